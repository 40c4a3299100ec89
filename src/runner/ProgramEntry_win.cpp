// The program entry: runs the application with its main window's class.
#include <windows.h>

#include <exception>
#include <string>

#include "cleaning/uMainFormProgram.h"
#include "framework/CLSettings.h"
#include "platform/WinServices.h"

namespace {

// Shows what ended the program in the standard error box. Nothing here may
// throw again: the title falls back to none when the settings are the trouble.
void ReportFatal(const char* what) {
    std::string title;
    try {
        title = tallow::AppSettings().ReadString("App.Name");
    } catch (...) {
    }
    try {
        tallow::WinApplication().ShowErrorBox(title, what);
    } catch (...) {
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    try {
        std::unique_ptr<tallow::IMainWindow> mainWindow;
        return tallow::RunApplication(tallow::MainFormClass(), mainWindow);
    } catch (const std::exception& e) {
        ReportFatal(e.what());
    } catch (...) {
        ReportFatal("Unknown error");
    }
    return 1;
}
