// The runner probe: a program entry like the shipped one, with the plain main
// window, started by the runner's Wine tests.
#include <windows.h>

#include "runner/PlainMainWindow.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    std::unique_ptr<tallow::IMainWindow> mainWindow;
    return tallow::RunApplication(tallow::PlainMainWindowClass(), mainWindow);
}
