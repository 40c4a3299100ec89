// Finding toolkit windows the way UI automation does: by class and caption.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace tallow::test {

struct ChildWindow {
    HWND hwnd;
    std::string className;
    std::string text;  // by WM_GETTEXT
};

std::vector<ChildWindow> ChildWindows(HWND parent);
// The first descendant of `parent` of class `className` whose text is `text`.
HWND FindChild(HWND parent, const std::string& className, const std::string& text);
std::string WindowText(HWND hwnd);
// Polls for a visible top-level window of the class (owned by any process) up to `ms`.
HWND WaitForWindow(const char* className, int ms);
// Handles this thread's messages until `done` is true or `ms` pass.
bool PumpUntil(const std::function<bool()>& done, int ms);

}  // namespace tallow::test
