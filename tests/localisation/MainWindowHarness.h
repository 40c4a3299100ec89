// The main window without a window layer, over fakes, and the shipped language
// files: shared by the language tests and the language benchmark.
#pragma once

#include <memory>
#include <string>

#include "cleaning/uMainForm.h"
#include "fakes/FakePlatform.h"
#include "fakes/FakeSettings.h"
#include "toolkit/controls/Application.h"

namespace tallow::testing {

/// A TfrmMain whose program folder is "C:\\Tallowmere\\" in the fake files.
class MainWindowHarness {
  public:
    MainWindowHarness();
    ~MainWindowHarness();
    TfrmMain& Window() { return *form_; }
    /// Puts the shipped language file `name` (e.g. "German") into the fake program
    /// folder and returns its path there.
    std::string PutLanguage(const std::string& name);

    TFakePlatform platform;
    TApplication app;
    TFakeSettings settings;

  private:
    std::unique_ptr<TfrmMain> form_;
};

/// The bytes of the shipped language file dist/langs/<name>.lan.
std::string ShippedLanguage(const std::string& name);

}  // namespace tallow::testing
