// The "Chrome and Edge" page of the real program over Chrome and Edge profiles in
// the test prefix's Local AppData, one of them held open as a running browser holds it.
#include <gtest/gtest.h>

#include <fstream>
#include <set>

#include "mainform_win/AppDriver_win.h"

namespace tallow::testing {
namespace {

// The prefix's Local AppData as the program finds it (Explorer's Shell Folders).
std::string LocalAppData() {
    char value[MAX_PATH] = {};
    DWORD size = sizeof value;
    RegGetValueA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                 "Local AppData", RRF_RT_REG_SZ, nullptr, value, &size);
    return std::string(value) + "\\";
}

bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void Write(const std::string& path) {
    for (std::size_t at = path.find('\\', 3); at != std::string::npos; at = path.find('\\', at + 1))
        CreateDirectoryA(path.substr(0, at).c_str(), nullptr);
    std::ofstream(path, std::ios::binary) << "x";
}

const char* const kItemFiles[] = {
    "History", "History-journal", "Sessions\\Session_1", "Cache\\Cache_Data\\f_1", "Network\\Cookies", "Login Data"};
const char* const kKeptFiles[] = {"Preferences", "Bookmarks", "Web Data", "Secure Preferences"};

// A user-data folder with the given profiles, each holding the items' files and those that stay.
struct TProfileTree {
    std::string userData;
    std::vector<std::string> profiles;
    void Fill() const {
        Write(userData + "Local State");
        Write(userData + "lockfile");
        for (const std::string& profile : profiles) {
            for (const char* name : kItemFiles)
                Write(userData + profile + name);
            for (const char* name : kKeptFiles)
                Write(userData + profile + name);
        }
    }
    // The profiles' files of the item files `names` that exist, as "profile\name".
    std::set<std::string> Present(std::initializer_list<const char*> names) const {
        std::set<std::string> present;
        for (const std::string& profile : profiles)
            for (const char* name : names)
                if (Exists(userData + profile + name))
                    present.insert(profile + name);
        return present;
    }
    bool KeptFilesStay() const {
        for (const std::string& profile : profiles)
            for (const char* name : kKeptFiles)
                if (!Exists(userData + profile + name))
                    return false;
        return Exists(userData + "Local State");
    }
};

// Holds a file open without sharing, as a running browser holds its lock file.
class THeldFile {
  public:
    explicit THeldFile(const std::string& path)
        : h_(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS, 0, nullptr)) {}
    ~THeldFile() { Release(); }
    bool Held() const { return h_ != INVALID_HANDLE_VALUE; }
    void Release() {
        if (h_ != INVALID_HANDLE_VALUE)
            CloseHandle(h_);
        h_ = INVALID_HANDLE_VALUE;
    }

  private:
    HANDLE h_;
};

class ChromePageTest : public ::testing::Test {
  protected:
    void SetUp() override {
        app_ = std::make_unique<AppProcess>(BinDir() + "tallowmere.exe");
        ASSERT_TRUE(app_->Started());
        main_ = app_->MainWindow();
        ASSERT_NE(main_, nullptr);
        ASSERT_TRUE(WaitUntil([&] { return SendRegistered(main_, "CL IfBusy") == 0; }));
    }
    void TearDown() override { app_.reset(); }

    // The visible control of class `cls` whose text is `text`.
    HWND Visible(const std::string& cls, const std::string& text) {
        for (HWND w : Descendants(main_, cls))
            if (WindowText(w) == text && IsWindowVisible(w))
                return w;
        return nullptr;
    }
    // The visible label whose text begins with `prefix`; its text, or empty.
    std::string LabelStarting(const std::string& prefix) {
        for (HWND w : Descendants(main_, "TallowLabel"))
            if (IsWindowVisible(w) && WindowText(w).rfind(prefix, 0) == 0)
                return WindowText(w);
        return "";
    }
    // Clicks `button` and answers the messages that follow: Yes to a question, then
    // OK; returns the text of the last message shown.
    std::string ClickAndAnswer(HWND button) {
        PostMessageA(button, BM_CLICK, 0, 0);
        std::string text;
        for (;;) {
            std::vector<HWND> dialogs;
            if (!WaitUntil([&] { return !(dialogs = TopWindows(app_->Pid(), "TallowMessageDialog")).empty(); }, 60000))
                return "(no message)";
            std::string message;
            for (HWND w : Descendants(dialogs[0]))
                if (ClassOf(w) != "TallowButton")
                    message += WindowText(w);
            std::vector<HWND> answers = Descendants(dialogs[0], "TallowButton");
            PostMessageA(answers[0], BM_CLICK, 0, 0);  // Yes, or the only OK
            WaitUntil([&] { return !IsWindow(dialogs[0]) || !IsWindowVisible(dialogs[0]); });
            if (answers.size() == 1)
                return message;
        }
    }
    HWND RowButton(const std::string& caption) {
        HWND box = Visible("TallowCheckBox", caption);
        if (!box)
            return nullptr;
        RECT boxRect;
        GetWindowRect(box, &boxRect);
        for (HWND b : Descendants(GetParent(box), "TallowButton")) {
            RECT r;
            GetWindowRect(b, &r);
            if (r.top == boxRect.top)
                return b;
        }
        return nullptr;
    }

    std::unique_ptr<AppProcess> app_;
    HWND main_ = nullptr;
};

// One pass over the page: the note, the item buttons with Edge held open and then
// closed, and a clear-all run of the page's items alone with Chrome held open.
TEST_F(ChromePageTest, ItemsCleanEveryProfileOfTheBrowsersNotInUseAndNameTheOthers) {
    const TProfileTree chrome{LocalAppData() + "Google\\Chrome\\User Data\\", {"Default\\"}};
    const TProfileTree edge{LocalAppData() + "Microsoft\\Edge\\User Data\\", {"Default\\", "Profile 1\\"}};
    chrome.Fill();
    edge.Fill();
    HWND page = Visible("TallowButton", "Chrome and Edge");
    ASSERT_NE(page, nullptr);
    SendMessageA(page, BM_CLICK, 0, 0);
    EXPECT_EQ(LabelStarting("Found"), "Found: Google Chrome, Microsoft Edge");

    THeldFile edgeRunning(edge.userData + "lockfile");
    ASSERT_TRUE(edgeRunning.Held());
    std::string message = ClickAndAnswer(RowButton("Clear Browser History"));
    EXPECT_NE(message.find("still open: Microsoft Edge."), std::string::npos) << message;
    EXPECT_TRUE(chrome.Present({"History", "History-journal", "Sessions\\Session_1"}).empty());
    EXPECT_EQ(edge.Present({"History", "History-journal"}).size(), 4u) << "Edge in use keeps its files";

    edgeRunning.Release();
    for (const char* row : {"Clear Browser History", "Delete Cache", "Delete Cookies", "Delete stored Passwords"})
        EXPECT_EQ(ClickAndAnswer(RowButton(row)), "Done. The selected item has been cleared.") << row;
    for (const TProfileTree* tree : {&chrome, &edge}) {
        EXPECT_TRUE(tree->Present({"History", "History-journal", "Sessions\\Session_1", "Cache\\Cache_Data\\f_1",
                                   "Network\\Cookies", "Login Data"})
                        .empty());
        EXPECT_TRUE(tree->KeptFilesStay());
        EXPECT_TRUE(Exists(tree->userData + tree->profiles[0] + "Cache\\Cache_Data")) << "the cache folder stays";
    }

    // The clear-all run with only the fifth page's items ticked.
    chrome.Fill();
    edge.Fill();
    THeldFile chromeRunning(chrome.userData + "lockfile");
    std::vector<HWND> boxes = Descendants(main_, "TallowCheckBox");
    ASSERT_EQ(boxes.size(), 17u);
    for (HWND box : boxes)
        SendMessageA(box, BM_SETCHECK, IsWindowVisible(box) ? BST_CHECKED : BST_UNCHECKED, 0);
    HWND clearAll = nullptr;
    for (HWND b : Descendants(main_, "TallowButton"))
        if (GetParent(b) == main_ && WindowText(b) == "Clear Now")
            clearAll = b;
    ASSERT_NE(clearAll, nullptr);
    message = ClickAndAnswer(clearAll);
    EXPECT_NE(message.find("All ticked items have been cleared."), std::string::npos) << message;
    EXPECT_NE(message.find("still open: Google Chrome."), std::string::npos) << message;
    EXPECT_TRUE(edge.Present({"History", "Network\\Cookies", "Login Data", "Cache\\Cache_Data\\f_1"}).empty());
    EXPECT_EQ(chrome.Present({"History", "Network\\Cookies", "Login Data"}).size(), 3u);
    EXPECT_TRUE(chrome.KeptFilesStay() && edge.KeptFilesStay());
}

}  // namespace
}  // namespace tallow::testing
