// The program entry: runs the application with its main window's class.
#include <windows.h>

#include "runner/PlainMainWindow.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    std::unique_ptr<tallow::IMainWindow> mainWindow;
    return tallow::RunApplication(tallow::PlainMainWindowClass(), mainWindow);
}
