// Plain types shared by the application engine and its callers: the message
// dialog's parameters and results, and the window messages the engine handles.
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>

namespace tallow {

//--- Message dialog parameters --------------------------------------------

enum class TMsgDlgType { mtWarning = 0, mtError = 1, mtInformation = 2, mtConfirmation = 3, mtCustom = 4 };

enum TMsgDlgBtn {
    mbYes = 0,
    mbNo = 1,
    mbOK = 2,
    mbCancel = 3,
    mbAbort = 4,
    mbRetry = 5,
    mbIgnore = 6,
    mbAll = 7,
    mbNoToAll = 8,
    mbYesToAll = 9,
    mbHelp = 10,
};

/// A set of buttons: bit n stands for the button with value n.
using TMsgDlgButtons = uint32_t;

constexpr TMsgDlgButtons MsgButtons(std::initializer_list<TMsgDlgBtn> buttons) {
    TMsgDlgButtons set = 0;
    for (TMsgDlgBtn b : buttons) {
        set |= TMsgDlgButtons(1) << b;
    }
    return set;
}

/// The result of a modal dialog.
using TModalResult = int;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = 1;
constexpr TModalResult mrCancel = 2;
constexpr TModalResult mrAbort = 3;
constexpr TModalResult mrRetry = 4;
constexpr TModalResult mrIgnore = 5;
constexpr TModalResult mrYes = 6;
constexpr TModalResult mrNo = 7;
constexpr TModalResult mrAll = 8;
constexpr TModalResult mrNoToAll = 9;
constexpr TModalResult mrYesToAll = 10;

//--- Window messages ---------------------------------------------------------

/// A window handle as a number (HWND on Windows).
using WindowHandle = uintptr_t;

/// One window message as the owner window receives it. `result` is what the
/// window procedure returns.
struct EngineMessage {
    uint32_t msg = 0;
    uintptr_t wParam = 0;
    intptr_t lParam = 0;
    intptr_t result = 0;
};

/// Handles a message of a window; the handler a window procedure forwards to.
using MessageHandler = std::function<void(EngineMessage&)>;

/// The system's WM_COPYDATA and the layout of its record (COPYDATASTRUCT).
constexpr uint32_t kWmCopyData = 0x004A;
struct CopyDataRecord {
    uintptr_t dwData;
    uint32_t cbData;
    const void* lpData;
};

}  // namespace tallow
