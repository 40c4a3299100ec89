// The "Chrome and Edge" page of the real program over Chrome and Edge profiles in
// the test prefix's Local AppData, one browser at a time held open as when it runs.
#include <gtest/gtest.h>

#include <fstream>

#include "mainform_win/AppDriver_win.h"

namespace tallow::testing {
namespace {

const std::vector<const char*> kCleaned = {
    "History", "History-journal", "Sessions\\Session_1", "Cache\\Cache_Data\\f_1", "Network\\Cookies", "Login Data"};
const std::vector<const char*> kKept = {"Preferences", "Bookmarks", "Web Data", "Secure Preferences",
                                        "..\\Local State"};

// A user-data folder of the prefix's Local AppData (as Explorer's Shell Folders name it).
struct TProfiles {
    std::string userData;
    std::vector<std::string> profiles;

    TProfiles(const std::string& folder, std::vector<std::string> names) : profiles(std::move(names)) {
        char local[MAX_PATH] = {};
        DWORD size = sizeof local;
        RegGetValueA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                     "Local AppData", RRF_RT_REG_SZ, nullptr, local, &size);
        userData = std::string(local) + "\\" + folder + "\\User Data\\";
    }
    void Fill() const {
        for (const std::string& profile : profiles)
            for (const auto* names : {&kCleaned, &kKept})
                for (const char* name : *names) {
                    std::string path = userData + profile + "\\" + name;
                    for (std::size_t at = path.find('\\', 3); at != std::string::npos; at = path.find('\\', at + 1))
                        CreateDirectoryA(path.substr(0, at).c_str(), nullptr);
                    std::ofstream(path) << "x";
                }
    }
    // How many of the profiles' files `names` exist.
    int Count(const std::vector<const char*>& names) const {
        int n = 0;
        for (const std::string& profile : profiles)
            for (const char* name : names)
                n += GetFileAttributesA((userData + profile + "\\" + name).c_str()) != INVALID_FILE_ATTRIBUTES;
        return n;
    }
    // The lock file held open without sharing, as a running browser holds it.
    HANDLE Hold() const {
        return CreateFileA((userData + "lockfile").c_str(), GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS, 0, nullptr);
    }
};

// The note, the item buttons with Edge running and then closed, and a clear-all run
// of the page's items alone with Chrome running.
TEST(ChromePageTest, ItemsCleanEveryProfileOfTheBrowsersNotInUseAndNameTheOthers) {
    const TProfiles chrome("Google\\Chrome", {"Default"}), edge("Microsoft\\Edge", {"Default", "Profile 1"});
    chrome.Fill();
    edge.Fill();
    AppProcess app(BinDir() + "tallowmere.exe");
    HWND main = app.MainWindow();
    ASSERT_TRUE(main && WaitUntil([&] { return SendRegistered(main, "CL IfBusy") == 0; }));
    SendMessageA(FindChild(main, "TallowButton", "Chrome and Edge"), BM_CLICK, 0, 0);
    EXPECT_NE(FindChild(main, "TallowLabel", "Found: Google Chrome, Microsoft Edge"), nullptr);

    HANDLE edgeRunning = edge.Hold();
    ASSERT_NE(edgeRunning, INVALID_HANDLE_VALUE);
    std::string message = ClickAndAnswer(app.Pid(), RowButton(main, "Clear Browser History"));
    EXPECT_NE(message.find("still open: Microsoft Edge."), std::string::npos) << message;
    EXPECT_EQ(chrome.Count({"History", "History-journal", "Sessions\\Session_1"}), 0);
    EXPECT_EQ(edge.Count({"History", "History-journal", "Sessions\\Session_1"}), 6) << "Edge in use keeps its files";
    CloseHandle(edgeRunning);
    for (const char* row : {"Clear Browser History", "Delete Cache", "Delete Cookies", "Delete stored Passwords"})
        EXPECT_EQ(ClickAndAnswer(app.Pid(), RowButton(main, row)), "Done. The selected item has been cleared.") << row;
    EXPECT_EQ(chrome.Count(kCleaned) + edge.Count(kCleaned), 0);
    EXPECT_EQ(chrome.Count(kKept) + edge.Count(kKept), 15);
    EXPECT_EQ(edge.Count({"Cache\\Cache_Data", "Sessions"}), 4) << "emptied folders stay";

    chrome.Fill();
    edge.Fill();
    HANDLE chromeRunning = chrome.Hold();
    std::vector<HWND> boxes = Descendants(main, "TallowCheckBox");
    ASSERT_EQ(boxes.size(), 17u);
    for (HWND box : boxes)  // the shown page's items alone
        SendMessageA(box, BM_SETCHECK, IsWindowVisible(box) ? BST_CHECKED : BST_UNCHECKED, 0);
    HWND clearAll = nullptr;
    for (HWND b : Descendants(main, "TallowButton"))
        clearAll = GetParent(b) == main && WindowText(b) == "Clear Now" ? b : clearAll;
    message = ClickAndAnswer(app.Pid(), clearAll);
    CloseHandle(chromeRunning);
    EXPECT_NE(message.find("All ticked items have been cleared."), std::string::npos) << message;
    EXPECT_NE(message.find("still open: Google Chrome."), std::string::npos) << message;
    EXPECT_EQ(edge.Count(kCleaned), 0);
    EXPECT_EQ(chrome.Count(kCleaned), 6);
    EXPECT_EQ(chrome.Count(kKept) + edge.Count(kKept), 15);
}

}  // namespace
}  // namespace tallow::testing
