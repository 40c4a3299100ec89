// The program entry: runs the application with its main window's class.
#include <windows.h>

#include "cleaning/uMainFormProgram.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    std::unique_ptr<tallow::IMainWindow> mainWindow;
    return tallow::RunApplication(tallow::MainFormClass(), mainWindow);
}
