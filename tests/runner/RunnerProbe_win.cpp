// The runner probe: a program entry like the shipped one, with the plain main
// window, started by the runner's Wine tests. With TALLOW_PROBE_END_DELAY_MS
// set it stands in for an instance that is slow to end: after its message
// loop it waits that long before it ends (and lets go of its mutex).
#include <windows.h>

#include <cstdlib>

#include "runner/PlainMainWindow.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    char delay[16] = {};
    const DWORD got = GetEnvironmentVariableA("TALLOW_PROBE_END_DELAY_MS", delay, sizeof delay);
    std::unique_ptr<tallow::IMainWindow> mainWindow;
    const int code = tallow::RunApplication(tallow::PlainMainWindowClass(), mainWindow);
    if (got > 0 && got < sizeof delay) {
        Sleep(static_cast<DWORD>(std::strtoul(delay, nullptr, 10)));
    }
    return code;
}
