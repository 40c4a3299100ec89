// Fakes of the platform services: plain data a test fills and inspects.
// `TFakePlatform` bundles one of each and installs itself as the process-wide
// platform while it lives.
#pragma once

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/Platform.h"

namespace tallow {

/// ASCII case-insensitive ordering, for maps keyed by Windows names.
struct TNoCaseLess {
    bool operator()(const std::string& a, const std::string& b) const;
};

/// The registry as a 32-bit program sees it on 64-bit Windows: its own view is the
/// 32-bit view; the 64-bit view is apart.
class TFakeRegistry : public IRegistry {
public:
    using Values = std::map<std::pair<RegistryRoot, std::string>, std::string>;
    /// values[{root, path + "\\" + valueName}] (case-insensitive): the own (32-bit) view
    Values values;
    Values values64;  // the 64-bit view
    /// Keys that exist without values, as {root, path}, in `values` or `values64`.
    std::set<std::pair<RegistryRoot, std::string>> emptyKeys, emptyKeys64;
    void Set(RegistryRoot root, const std::string& path, const std::string& name, const std::string& value,
             RegistryView view = RegistryView::Own);
    void AddKey(RegistryRoot root, const std::string& path, RegistryView view = RegistryView::Own);
    TRegistryString Read(RegistryRoot root, RegistryView view, const std::string& path,
                         const std::string& valueName) const override;
};

class TFakeShellFolders : public IShellFolders {
public:
    std::map<std::string, std::string, TNoCaseLess> user;
    std::map<std::string, std::string, TNoCaseLess> common;
    std::string Folder(const std::string& name) const override;
    std::string CommonFolder(const std::string& name) const override;
};

/// Files and folders by full path (case-insensitive; '\' separators).
class TFakeFiles : public IFiles {
public:
    std::map<std::string, std::string, TNoCaseLess> files;
    std::set<std::string, TNoCaseLess> folders;     // without trailing backslash
    std::map<std::string, double, TNoCaseLess> creationTimes;
    std::set<std::string, TNoCaseLess> unwritable;  // paths whose writes fail half-way
    bool failReplace = false;
    std::vector<std::pair<std::string, std::string>> writes;  // every write: path, content

    std::optional<std::string> ReadFile(const std::string& path) const override;
    bool WriteFile(const std::string& path, const std::string& content) override;
    bool MoveReplacing(const std::string& from, const std::string& to) override;
    bool RemoveFile(const std::string& path) override;
    bool Exists(const std::string& path) const override;
    bool CreateFolders(const std::string& folder) override;
    std::string LongPathName(const std::string& path) const override;
    std::optional<double> CreationTime(const std::string& path) const override;
    /// Code page 28591: U+0000 to U+00FF as one byte each, '?' beyond.
    std::string WideToAnsi(std::u16string_view text) const override;
};

class TFakeProcessInfo : public IProcessInfo {
public:
    std::string moduleFileName = "C:\\Program Files\\Tallowmere\\tallowmere.exe";
    std::vector<std::string> parameters;
    std::uint32_t processId = 4242;
    std::string ModuleFileName() const override { return moduleFileName; }
    std::vector<std::string> Parameters() const override { return parameters; }
    std::uint32_t CurrentProcessId() const override { return processId; }
};

/// Windows of other processes: each answers registered messages from a table.
class TFakeWindowMessages : public IWindowMessages {
public:
    struct Window {
        std::string className;
        std::map<std::string, std::intptr_t> answers;  // message name -> result; missing: 0
    };
    struct Sent {
        WindowHandle window;
        std::string message;  // registered name, or "WM_COPYDATA"
        std::string bytes;    // WM_COPYDATA only
        std::uintptr_t dwData = 0;
    };
    std::map<WindowHandle, Window> windows;  // walked in handle order
    std::vector<Sent> sent;

    std::uint32_t RegisterMessage(const std::string& name) override;
    WindowHandle FindWindowByClass(const std::string& className, WindowHandle after) override;
    std::intptr_t Send(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                       std::intptr_t lParam) override;
    std::intptr_t SendCopyData(WindowHandle window, std::uintptr_t dwData, const std::string& bytes) override;
    bool Post(WindowHandle window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override;
    /// The names of the messages sent to `window`, in order.
    std::vector<std::string> SentTo(WindowHandle window) const;

private:
    std::vector<std::string> registered_;  // message number - 0xC000
};

class TFakeKernelObjects : public IKernelObjects {
public:
    std::set<std::string> mutexes;
    std::set<std::string> failing;  // names whose creation fails (not as existing)
    MutexResult CreateNamedMutex(const std::string& name) override;
    bool MutexExists(const std::string& name) const override { return mutexes.count(name) > 0; }
};

class TFakeSecurity : public ISecurity {
public:
    std::set<std::string, TNoCaseLess> writable;  // folders as asked
    std::vector<std::string> asked;
    bool CanWriteFolder(const std::string& folder) override;
};

class TFakeKeyState : public IKeyState {
public:
    bool control = false;
    bool shift = false;
    bool IsDown(Key key) const override { return key == Key::Control ? control : shift; }
};

class TFakeClock : public IClock {
public:
    double now = 46000.5;
    double Now() const override { return now; }
};

class TFakeLocale : public ILocale {
public:
    char separator = '.';
    char DecimalSeparator() const override { return separator; }
};

class TFakeApplication : public IApplication {
public:
    bool comInitialized = false;
    int messageLoops = 0;
    int terminations = 0;
    std::vector<unsigned> sleeps;
    std::vector<std::pair<std::string, std::string>> errorBoxes;
    std::function<void()> onMessageLoop;  // runs inside RunMessageLoop
    std::vector<std::function<void()>> posted;  // PostToUiThread's tasks, not yet run
    std::function<void(unsigned)> onSleep;  // runs after each Sleep is recorded
    std::vector<std::string>* log = nullptr;  // optional shared event log

    bool InitializeCom() override;
    void UninitializeCom() override { comInitialized = false; }
    void RunMessageLoop() override;
    void Terminate() override { ++terminations; }
    void ProcessMessages() override {}
    void Sleep(unsigned milliseconds) override;
    void ShowErrorBox(const std::string& title, const std::string& text) override;
    void PostToUiThread(std::function<void()> task) override { posted.push_back(std::move(task)); }
    /// Runs the posted tasks in order, with those they post meanwhile; how many ran.
    int RunPosted();
};

class TFakeForeground : public IForeground {
public:
    std::vector<WindowHandle> raised;
    bool ForceForegroundWindow(WindowHandle window) override {
        raised.push_back(window);
        return true;
    }
};

class TFakeShellStart : public IShellStart {
public:
    std::vector<std::string> opened;
    std::vector<std::string> started;  // command lines
    void Open(const std::string& target) override { opened.push_back(target); }
    void StartCommandLine(const std::string& commandLine) override { started.push_back(commandLine); }
};

class TFakeProcessWindows : public IProcessWindows {
public:
    std::map<std::string, WindowHandle> own;  // class name -> this process's first window of it
    WindowHandle active = 0;
    WindowHandle FindOwnWindow(const std::string& className) override;
    WindowHandle ActiveWindow() override { return active; }
};

class TFakePlatform {
public:
    TFakePlatform();
    ~TFakePlatform();
    TFakePlatform(const TFakePlatform&) = delete;
    TFakePlatform& operator=(const TFakePlatform&) = delete;

    TFakeRegistry registry;
    TFakeShellFolders shellFolders;
    TFakeFiles files;
    TFakeProcessInfo process;
    TFakeWindowMessages messages;
    TFakeKernelObjects kernel;
    TFakeSecurity security;
    TFakeKeyState keys;
    TFakeClock clock;
    TFakeLocale locale;
    TFakeApplication application;
    TFakeForeground foreground;
    TFakeShellStart shell;
    TFakeProcessWindows windows;

    const TPlatform& Platform() const { return platform_; }

private:
    TPlatform platform_;
};

}  // namespace tallow
