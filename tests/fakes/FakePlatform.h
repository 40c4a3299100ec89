// Fakes of the platform services: plain data a test fills and inspects.
// `TFakePlatform` bundles one of each and installs itself as the process-wide
// platform while it lives.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "fakes/FakeHttp.h"
#include "fakes/FakeSignatures.h"
#include "fakes/FakeTraceServices.h"
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
    void Set(RegistryRoot root,
             const std::string& path,
             const std::string& name,
             const std::string& value,
             RegistryView view = RegistryView::Own);
    void AddKey(RegistryRoot root, const std::string& path, RegistryView view = RegistryView::Own);
    TRegistryString Read(RegistryRoot root,
                         RegistryView view,
                         const std::string& path,
                         const std::string& valueName) const override;
    /// Removes the values of the key from the own view; the key stays (as an empty key).
    bool DeleteAllValues(RegistryRoot root, const std::string& path) override;
    std::vector<std::pair<std::string, std::string>> ReadStrings(RegistryRoot root,
                                                                 const std::string& path) const override;
    bool WriteString(RegistryRoot root,
                     const std::string& path,
                     const std::string& valueName,
                     const std::string& value) override;
    bool DeleteValue(RegistryRoot root, const std::string& path, const std::string& valueName) override;
    /// Keys under which writes fail (as for a user without write access).
    std::set<std::pair<RegistryRoot, std::string>> readOnlyKeys;
    std::uint64_t CountValues(RegistryRoot root, const std::string& path, bool withSubkeys) const override;
    /// The names of the values of key `path` in the own view.
    std::vector<std::string> ValueNames(RegistryRoot root, const std::string& path) const;
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
    std::set<std::string, TNoCaseLess> folders;  // without trailing backslash
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
    std::uint32_t threadId = 77;
    std::uint32_t CurrentThreadId() const override { return threadId; }
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
    std::intptr_t Send(WindowHandle window,
                       std::uint32_t message,
                       std::uintptr_t wParam,
                       std::intptr_t lParam) override;
    std::intptr_t SendCopyData(WindowHandle window, std::uintptr_t dwData, const std::string& bytes) override;
    bool Post(WindowHandle window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override;
    /// The registered names, in order of their first registration.
    const std::vector<std::string>& Registered() const { return registered_; }
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

/// Sizes in whole units of 1024 ("245 MB", "12 bytes"); counts grouped by three
/// with `thousands`.
class TFakeLocale : public ILocale {
  public:
    char separator = '.';
    char thousands = ',';
    char DecimalSeparator() const override { return separator; }
    std::string FormatByteSize(std::uint64_t bytes) const override;
    std::string FormatCount(std::uint64_t count) const override;
};

class TFakeSystemInfo : public ISystemInfo {
  public:
    WindowsVersionInfo version;
    bool hasIsWow64Process = true;
    bool wow64 = false;
    uint16_t langId = 0x0409;
    WindowsVersionInfo Version() const override { return version; }
    bool HasIsWow64Process() const override { return hasIsWow64Process; }
    bool IsWow64Process() const override { return hasIsWow64Process && wow64; }
    uint16_t SystemDefaultLangId() const override { return langId; }
};

class TFakeApplication : public IApplication {
  public:
    bool comInitialized = false;
    int messageLoops = 0;
    int terminations = 0;
    std::vector<unsigned> sleeps;
    std::vector<std::pair<std::string, std::string>> errorBoxes;
    std::function<void()> onMessageLoop;        // runs inside RunMessageLoop
    std::vector<std::function<void()>> posted;  // PostToUiThread's tasks, not yet run
    std::mutex postedMutex;                     // PostToUiThread is called from workers too
    std::function<void(unsigned)> onSleep;      // runs after each Sleep is recorded
    std::vector<std::string>* log = nullptr;    // optional shared event log

    bool InitializeCom() override;
    void UninitializeCom() override { comInitialized = false; }
    void RunMessageLoop() override;
    void Terminate() override { ++terminations; }
    void ProcessMessages() override {}
    void Sleep(unsigned milliseconds) override;
    void ShowErrorBox(const std::string& title, const std::string& text) override;
    void PostToUiThread(std::function<void()> task) override {
        std::lock_guard<std::mutex> lock(postedMutex);
        posted.push_back(std::move(task));
    }
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

/// The output of a run without a window, kept per stream.
class TFakeParentConsole : public IParentConsole {
  public:
    bool present = true;  // false: no redirection and no parent console
    std::string output, error;
    bool Write(ConsoleStream stream, const std::string& text) override {
        (stream == ConsoleStream::Output ? output : error) += present ? text : "";
        return present;
    }
};

class TFakeProcessWindows : public IProcessWindows {
  public:
    std::map<std::string, WindowHandle> own;  // class name -> this process's first window of it
    WindowHandle active = 0;
    WindowHandle FindOwnWindow(const std::string& className) override;
    WindowHandle ActiveWindow() override { return active; }
};

//--- The services of the cleaners -----------------------------------------

/// A file tree keyed by full path (no trailing backslash, letter case ignored; the
/// key keeps the letters as stored, and names are UTF-8). A directory link lists its
/// target's entries when listed by path, as a system that follows links would, so a
/// cleaner that enters a link is caught. Paths given to it are resolved laxly ("."
/// and ".." segments, '/' as a separator), so a cleaner that joins a hostile name
/// into a path is caught too.
class TFakeFileTree : public IFileTree {
  public:
    struct Node {
        std::uint32_t attributes = file_attr::kArchive;
        bool locked = false;     // held open by another process
        std::string linkTarget;  // directory links only
        std::uint64_t size = 0;  // files only
    };
    std::map<std::string, Node, TNoCaseLess> nodes;
    std::vector<std::string> listed;  // folders listed, in order
    /// Names a listing of the folder reports besides its nodes (names no file system
    /// should hand out), with their attributes.
    std::map<std::string, std::vector<TFileEntry>, TNoCaseLess> strayNames;
    std::set<std::string, TNoCaseLess> unlistable;   // listing by handle fails
    std::set<std::string, TNoCaseLess> noFinalPath;  // final path cannot be established
    bool followsLinksOnOpen = false;                 // like Wine: opening a link "itself" opens its target
    unsigned codePage = 1252;                        // of the ANSI names (1252 or 932)
    /// Runs once, right after the next listing by handle: a change racing the walk.
    std::function<void()> afterListing;

    void AddFolder(const std::string& path);
    void AddFile(const std::string& path,
                 std::uint32_t attributes = file_attr::kArchive,
                 bool locked = false,
                 std::uint64_t size = 0);
    void AddLink(const std::string& path, const std::string& target);
    bool Exists(const std::string& path) const;
    /// Every path at or below `folder`, sorted.
    std::set<std::string> Below(const std::string& folder) const;
    /// `name` as the system's ANSI conversion gives it in `codePage`, "best fit"
    /// included: code page 1252 maps the full-width \ . / : to ASCII, 932 the yen sign to \.
    std::string AnsiForm(const std::string& name) const;
    std::size_t OpenHandles() const { return handles_.size(); }

    std::vector<TFileEntry> ListEntries(const std::string& folder) override;
    bool DeleteFile(const std::string& path) override;
    std::optional<std::uint32_t> Attributes(const std::string& path) override;
    std::optional<std::uint64_t> FileSize(const std::string& path) override;
    /// A file added as `locked`.
    bool IsHeldOpen(const std::string& path) override;
    std::wstring WidePath(const std::string& path) override;
    FolderHandle OpenFolder(const std::wstring& path) override;
    std::optional<std::wstring> FinalPath(FolderHandle folder) override;
    std::optional<std::vector<TWideEntry>> List(FolderHandle folder) override;
    TChildKind OpenChild(FolderHandle parent, const std::wstring& name, FolderHandle& child) override;
    bool DeleteChildFile(FolderHandle parent, const std::wstring& name) override;
    bool RemoveChildLink(FolderHandle parent, const std::wstring& name) override;
    bool CloseFolder(FolderHandle folder, bool remove) override;

  private:
    bool HasChildren(const std::string& path) const;
    std::vector<TFileEntry> Children(const std::string& path) const;
    /// `path` with every link on the way replaced by its target, letters as stored.
    std::string Resolve(const std::string& path) const;
    std::string Join(FolderHandle parent, const std::wstring& name) const;
    FolderHandle NewHandle(const std::string& path);

    std::map<FolderHandle, std::string> handles_;
    FolderHandle nextHandle_ = 0x100;
};

class TFakeSystemFolders : public ISystemFolders {
  public:
    std::string temp = "C:\\Users\\me\\AppData\\Local\\Temp\\";
    std::vector<std::wstring> protectedFolders = {L"C:\\Windows",
                                                  L"C:\\Windows\\System32",
                                                  L"C:\\Program Files",
                                                  L"C:\\Program Files (x86)",
                                                  L"C:\\Users",
                                                  L"C:\\Users\\me",
                                                  L"C:\\Users\\me\\Documents",
                                                  L"C:\\Users\\me\\Desktop",
                                                  L"C:\\Program Files\\Tallowmere\\"};
    std::string TempPath() override { return temp; }
    std::vector<std::wstring> ProtectedFolders() override { return protectedFolders; }
};

/// A URL cache whose entry records are [record size][type][entry size, 8 bytes][URL, NUL]. Every call checks the
/// WinInet contract: a record buffer must be exactly as large as the size query
/// said and carry that size in its first field.
class TFakeUrlCache : public IUrlCache {
  public:
    struct Entry {
        std::string url;
        std::uint32_t type = cache_entry::kNormal;
        bool locked = false;
        std::uint64_t size = 0;  // of the entry's local file
    };
    std::vector<Entry> entries;
    bool libraryFound = true;
    bool failWithoutErrorCode = false;  // a find failure that leaves the last error 0

    // What happened.
    std::vector<std::string> deleted;
    std::vector<UrlCacheHandle> closed;
    std::vector<std::optional<std::string>> patterns;  // of FindFirstEx calls; nullopt for null
    std::vector<std::uint32_t> filters;
    std::vector<std::string> contractBreaches;
    int libraryQueries = 0;

    bool LibraryFound() override;
    UrlCacheHandle FindFirst(const char* pattern, void* buffer, std::uint32_t& size) override;
    bool FindNext(UrlCacheHandle walk, void* buffer, std::uint32_t& size) override;
    UrlCacheHandle FindFirstEx(const char* pattern,
                               std::uint32_t flags,
                               std::uint32_t filter,
                               std::int64_t group,
                               void* buffer,
                               std::uint32_t& size) override;
    bool FindNextEx(UrlCacheHandle walk, void* buffer, std::uint32_t& size) override;
    bool DeleteEntry(const std::string& url) override;
    bool Close(UrlCacheHandle walk) override;
    std::uint32_t LastError() override { return lastError_; }
    TUrlCacheEntry ReadEntry(const void* buffer) override;

    bool HasEntry(const std::string& url) const;

  private:
    struct Walk {
        std::vector<std::string> urls;  // the matching entries when the walk began
        std::size_t next = 0;
    };
    UrlCacheHandle Begin(const char* pattern, std::uint32_t filter, void* buffer, std::uint32_t& size);
    bool Step(UrlCacheHandle walk, void* buffer, std::uint32_t& size);
    bool Deliver(const Entry& entry, void* buffer, std::uint32_t& size);
    bool Fail(std::uint32_t error);
    const Entry* Find(const std::string& url) const;

    std::map<UrlCacheHandle, Walk> walks_;
    UrlCacheHandle nextHandle_ = 0x100;
    std::uint32_t lastError_ = 0;
};

/// A credential store holding what a test puts in `credentials`.
class TFakeCredentialStore : public ICredentialStore {
  public:
    std::vector<TCredential> credentials;
    std::set<std::wstring> undeletable;  // targets whose deletion fails
    std::vector<std::wstring> deleted;   // targets, in order
    std::vector<TCredential> List() override { return credentials; }
    bool Delete(const TCredential& credential) override;
    bool Holds(const std::wstring& target) const;
};

class TFakeClipboard : public IClipboard {
  public:
    bool heldByOther = false;
    bool hasData = true;  // emptied by Empty
    WindowHandle owner = 0;
    int emptied = 0;
    int closed = 0;
    bool Open(WindowHandle ownerWindow) override;
    void Empty() override {
        ++emptied;
        hasData = false;
    }
    void Close() override { ++closed; }
    bool HasData() override { return hasData; }
};

class TFakeRecycleBin : public IRecycleBin {
  public:
    std::vector<WindowHandle> emptiedWithParent;
    TRecycleBinContent content;  // emptied by EmptyAll
    bool queryFails = false;
    void EmptyAll(WindowHandle parent) override {
        emptiedWithParent.push_back(parent);
        content = {};
    }
    std::optional<TRecycleBinContent> Query() override {
        return queryFails ? std::nullopt : std::optional<TRecycleBinContent>(content);
    }
};

class TFakeProgramStarter : public IProgramStarter {
  public:
    bool result = true;
    std::vector<TProcessRequest> started;
    std::function<void(const TProcessRequest&)> onStart;  // the started program's doing, when set
    bool Start(const TProcessRequest& request) override;
};

/// Counts its clears in `clears`; holds `*entries` addresses, when given, which a
/// clear empties.
class TFakeUrlHistoryStore : public IUrlHistoryStore {
  public:
    explicit TFakeUrlHistoryStore(int& clears, std::uint64_t* entries = nullptr) : clears_(clears), entries_(entries) {}
    void ClearHistory() override {
        ++clears_;
        if (entries_)
            *entries_ = 0;
    }
    std::uint64_t CountEntries() override { return entries_ ? *entries_ : 0; }

  private:
    int& clears_;
    std::uint64_t* entries_;
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
    TFakeSystemInfo systemInfo;
    TFakeApplication application;
    TFakeForeground foreground;
    TFakeShellStart shell;
    TFakeProcessWindows windows;
    TFakeParentConsole console;
    TFakeFileTree fileTree;
    TFakeSystemFolders systemFolders;
    TFakeClipboard clipboard;
    TFakeRecycleBin recycleBin;
    TFakeProgramStarter starter;
    TFakeUrlCache urlCache;
    TFakeCredentialStore credentials;
    TFakeHttp http;
    TFakeSharedMemory sharedMemory;
    TFakeEvents events;
    TFakeSignatureVerifier signatures;
    int historyClears = 0;  // ClearHistory calls of the URL history stores made

    const TPlatform& Platform() const { return platform_; }

  private:
    TPlatform platform_;
};

}  // namespace tallow
