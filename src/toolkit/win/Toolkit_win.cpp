#include <windows.h>
// after windows.h, which they need
#include <imm.h>
#include <shellapi.h>

#include <map>

#include "platform/Platform.h"
#include "toolkit/controls/Application.h"
#include "toolkit/controls/Label.h"
#include "toolkit/controls/TextMeasure.h"
#include "toolkit/controls/Timer.h"
#include "toolkit/win/Canvas_win.h"
#include "toolkit/win/ControlWindow_win.h"
#include "toolkit/win/FormWindow_win.h"
#include "toolkit/win/WindowLayer.h"

namespace tallow {

namespace {

class Win32Factory : public IWindowFactory {
  public:
    IFormPeer* CreateFormWindow(TskForm& form) override { return new FormWindow(form); }
    IControlPeer* CreateControlWindow(TskControl& control) override { return new ControlWindow(control); }
};

// Timers without a window: SetTimer with a callback, looked up by id.
class Win32Timers : public ITimerService {
  public:
    void Start(TTimer& timer, unsigned ms) override {
        UINT_PTR id = SetTimer(nullptr, 0, ms, &Win32Timers::Fired);
        if (id != 0)
            Timers()[id] = &timer;
    }
    void Stop(TTimer& timer) override {
        auto& map = Timers();
        for (auto it = map.begin(); it != map.end();) {
            if (it->second == &timer) {
                KillTimer(nullptr, it->first);
                it = map.erase(it);
            } else {
                ++it;
            }
        }
    }

  private:
    static std::map<UINT_PTR, TTimer*>& Timers() {
        static std::map<UINT_PTR, TTimer*> timers;
        return timers;
    }
    static void CALLBACK Fired(HWND, UINT, UINT_PTR id, DWORD) {
        auto it = Timers().find(id);
        if (it == Timers().end())
            return;
        try {
            it->second->Tick();
        } catch (const std::exception& e) {
            ReportException(e.what());
        } catch (...) {
            ReportException("Unknown error");
        }
    }
};

}  // namespace

void InstallWindowLayer() {
    // No toolkit window takes typed text, so the program's windows need no input
    // method: without it, Windows (and Wine) spare each of them the input
    // method's own window and its set-up.
    ImmDisableIME(static_cast<DWORD>(-1));
    static Win32Factory factory;
    static Win32Timers timers;
    SetWindowFactory(&factory);
    SetTimerService(&timers);
    Application().SetPlatformApplication(SystemPlatform().application);
    SetTextMeasurer(&MeasureScreenText);
    SetUrlOpener(
        [](const std::string& url) { ShellExecuteA(nullptr, "open", url.c_str(), nullptr, nullptr, SW_SHOWNORMAL); });
}

}  // namespace tallow
