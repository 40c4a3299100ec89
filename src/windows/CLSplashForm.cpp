#include "windows/CLSplashForm.h"

#include <exception>

#include "components/WholeFile.h"
#include "toolkit/controls/ControlArgs.h"
#include "toolkit/controls/PngImage.h"

namespace tallow {

namespace {

// The system's WM_CLOSE: the window handles it by closing (hiding) itself.
constexpr uint32_t kWmClose = 0x0010;

}  // namespace

TPoint SplashPlace(TSize screen, TSize picture) {
    // Integer division truncates toward zero, also for a picture larger than the screen.
    return {(screen.Width - picture.Width) / 2, (screen.Height - picture.Height) / 2};
}

TfrmCLSplashForm::TfrmCLSplashForm(TComponent* owner, SplashFormServices services)
    : TskForm(owner), services_(services) {
    SetLoading(true);
    SetName("frmCLSplashForm");
    SetWindowClassName("TfrmCLSplashForm");
    SetBounds(439, 162, 705, 478);
    SetSystemMenuIcon(false);
    SetMinimizeIcon(false);
    skPngForm1 = CreateComponent<TskPngForm>(this, "skPngForm1");
    skPngForm1->PngImage().LoadFromMemory(kBuiltInSplashPng, kBuiltInSplashPngSize);
    OnCreate = [this](TComponent* sender) { FormCreate(sender); };
    OnDeactivate = [this](TComponent* sender) { FormDeactivate(sender); };
    for (int i = 0; i < ComponentCount(); ++i)
        Components(i)->Loaded();
    Loaded();
}

void TfrmCLSplashForm::FormCreate(TComponent*) {
    const std::string file = services_.settings->ExeDir() + "res\\images\\splash.png";
    if (!FileOpensForReading(file)) {
        PostClose();
        return;
    }
    try {
        skPngForm1->LoadFromFile(file);
        const TPngImage& picture = skPngForm1->PngImage();
        const TPoint at = SplashPlace(services_.screen, {picture.Width(), picture.Height()});
        SetBounds(at.X, at.Y, picture.Width(), picture.Height());
    } catch (const std::exception&) {
        PostClose();
    }
}

void TfrmCLSplashForm::FormDeactivate(TComponent*) {
    PostClose();
}

void TfrmCLSplashForm::PostClose() {
    Post(kWmClose);
}

}  // namespace tallow
