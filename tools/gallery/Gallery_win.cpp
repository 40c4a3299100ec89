// The gallery program. Switches:
//   /skin=<file>    load a skin file first
//   /dialog=<n>     open the message dialog of entry n (0 warning ... 4 custom)
//                   once the window is up; the result goes to lblResult
//   /page=<n>       show page n of the page control
#include <windows.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "GalleryForm.h"
#include "GallerySkin.h"
#include "toolkit/controls/Application.h"
#include "toolkit/win/WindowLayer.h"

namespace {

std::string ExeDir() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string dir(path);
    return dir.substr(0, dir.find_last_of("\\/") + 1);
}

std::string SwitchValue(const std::string& name) {
    std::string prefix = "/" + name + "=";
    for (int i = 1; i < __argc; ++i) {
        std::string arg = __argv[i];
        if (arg.compare(0, prefix.size(), prefix) == 0)
            return arg.substr(prefix.size());
    }
    return {};
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    using namespace tallow;
    InstallWindowLayer();
    Application().SetTitle("Toolkit Gallery");
    auto form = std::make_unique<TGalleryForm>(nullptr, ExeDir() + "res\\");
    std::string skin = SwitchValue("skin");
    if (!skin.empty())
        ApplyGallerySkin(*form, skin);
    std::string page = SwitchValue("page");
    if (!page.empty()) {
        int n = std::atoi(page.c_str());
        if (n >= 0 && n < int(form->pages.size()))
            form->pcMain->SetActivePage(form->pages[size_t(n)]);
    }
    std::string dialog = SwitchValue("dialog");
    const UINT kOpenDialog = WM_APP + 1;
    if (!dialog.empty()) {
        int n = std::atoi(dialog.c_str());
        TWndMethod inherited = form->WindowProc();
        TGalleryForm* f = form.get();
        form->SetWindowProc([f, inherited, n, kOpenDialog](TMessage& m) {
            if (m.msg == kOpenDialog) {
                f->ShowDialog(n);
                return;
            }
            inherited(m);
        });
    }
    Application().SetMainForm(form.get());
    form->Show();
    if (!dialog.empty())
        form->Post(kOpenDialog);
    Application().Run();
    return 0;
}
