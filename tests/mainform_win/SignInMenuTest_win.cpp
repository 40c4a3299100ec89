// The "Clean at sign-in" entry of the real program's system menu, opened with
// Alt+Space and chosen by its mnemonic as a user would.
#include <gtest/gtest.h>

#include <cstring>
#include <optional>

#include "mainform_win/AppDriver_win.h"

namespace tallow::testing {
namespace {

const char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

std::optional<std::string> RunValue(HKEY root) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, kRunKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return std::nullopt;
    char data[1024] = {};
    DWORD size = sizeof data - 1;
    DWORD type = 0;
    const LONG status = RegQueryValueExA(key, "Tallowmere", nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS || type != REG_SZ)
        return std::nullopt;
    return std::string(data);
}

void SetRunValue(HKEY root, const char* command) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(root, kRunKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr), ERROR_SUCCESS);
    if (command)
        RegSetValueExA(key, "Tallowmere", 0, REG_SZ, reinterpret_cast<const BYTE*>(command),
                       DWORD(strlen(command) + 1));
    else
        RegDeleteValueA(key, "Tallowmere");
    RegCloseKey(key);
}

// Opens the system menu of `main`, presses `key` in it and waits for the menu to go
// (closing it with Escape when the key chose nothing).
void PressInSystemMenu(const AppProcess& app, HWND main, char key) {
    PostMessageA(main, WM_SYSCOMMAND, SC_KEYMENU, ' ');
    HWND popup = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
        std::vector<HWND> menus = TopWindows(app.Pid(), "#32768");
        popup = menus.empty() ? nullptr : menus[0];
        return popup != nullptr;
    })) << "no system menu";
    PostMessageA(popup, WM_CHAR, WPARAM(key), 0);
    if (!WaitUntil([&] { return TopWindows(app.Pid(), "#32768").empty(); }, 3000)) {
        PostMessageA(popup, WM_KEYDOWN, VK_ESCAPE, 0);
        ASSERT_TRUE(WaitUntil([&] { return TopWindows(app.Pid(), "#32768").empty(); })) << "the menu stays";
    }
}

TEST(SignInMenuTest, EntryAddsAndRemovesTheUsersRunValueUnlessTheMachineCleansForEveryone) {
    SetRunValue(HKEY_CURRENT_USER, nullptr);
    AppProcess app(BinDir() + "tallowmere.exe");
    ASSERT_TRUE(app.Started());
    HWND main = app.MainWindow();
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return SendRegistered(main, "CL IfBusy") == 0; }));

    PressInSystemMenu(app, main, 's');
    ASSERT_TRUE(WaitUntil([] { return RunValue(HKEY_CURRENT_USER).has_value(); })) << "no Run value added";
    const std::string expected = "\"" + BinDir() + "tallowmere.exe\" /clean";
    EXPECT_EQ(_stricmp(RunValue(HKEY_CURRENT_USER).value_or("").c_str(), expected.c_str()), 0)
        << RunValue(HKEY_CURRENT_USER).value_or("") << " is not " << expected;

    PressInSystemMenu(app, main, 's');
    EXPECT_TRUE(WaitUntil([] { return !RunValue(HKEY_CURRENT_USER).has_value(); })) << "the Run value stays";

    // The machine's value disables the entry: the key chooses nothing.
    SetRunValue(HKEY_LOCAL_MACHINE, "\"C:\\Program Files\\Tallowmere\\tallowmere.exe\" /clean");
    PressInSystemMenu(app, main, 's');
    Sleep(500);
    EXPECT_FALSE(RunValue(HKEY_CURRENT_USER).has_value()) << "a disabled entry switched";
    SetRunValue(HKEY_LOCAL_MACHINE, nullptr);
    EXPECT_FALSE(RunValue(HKEY_LOCAL_MACHINE).has_value());
    app.Close();
}

}  // namespace
}  // namespace tallow::testing
