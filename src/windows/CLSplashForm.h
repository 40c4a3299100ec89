// TfrmCLSplashForm: the start-up picture with soft, transparent edges, centred
// on the screen while the main window is built. It has no frame, no buttons and
// no timer: it closes itself when it loses activation (the main window comes
// up, or the user clicks elsewhere), or at once when its picture file is missing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "framework/SettingsStore.h"
#include "toolkit/controls/Form.h"
#include "toolkit/controls/Geometry.h"
#include "toolkit/controls/PngForm.h"

namespace tallow {

/// The built-in picture (450 x 250, 8-bit RGBA PNG) that the window shows until
/// its picture file replaces it.
extern const uint8_t kBuiltInSplashPng[];
extern const std::size_t kBuiltInSplashPngSize;

/// What the window is built on: the settings store that names the program
/// folder (it outlives the window) and the size of the screen in pixels.
struct SplashFormServices {
    ISettingsStore* settings = nullptr;
    TSize screen{};
};

class TfrmCLSplashForm : public TskForm {
    TALLOW_CLASS(TfrmCLSplashForm, TskForm)

    /// Builds the window with the built-in picture and loads it (FormCreate
    /// loads the picture file and places the window). Made without an owner.
    TfrmCLSplashForm(TComponent* owner, SplashFormServices services);

    TskPngForm* skPngForm1 = nullptr;

    //--- Event handlers ------------------------------------------------------
    void FormCreate(TComponent* sender);
    void FormDeactivate(TComponent* sender);

  private:
    /// Asks the window to close itself once the message loop runs.
    void PostClose();

    SplashFormServices services_;
};

/// Where a picture of `picture` pixels goes to be centred on a screen of
/// `screen` pixels; negative when the picture is the larger.
TPoint SplashPlace(TSize screen, TSize picture);

}  // namespace tallow
