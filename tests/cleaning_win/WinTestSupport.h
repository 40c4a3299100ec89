// Support for the Windows tests of the cleaners: helper processes that hold files,
// the clipboard or a window; a scratch folder; in-memory settings; directory links.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "fakes/FakeSettings.h"
#include "platform/Platform.h"

#include "support_win/TempVariable_win.h"

namespace tallow::wintest {

/// Runs the helper modes of this test program; true when argv asked for one.
bool RunHelperMode(int argc, char** argv);

/// This program started again in a helper mode; ready once the helper holds what it
/// was asked to hold; ends the helper when destroyed.
class THelperProcess {
  public:
    /// Modes: "hold-files" (args: paths), "hold-clipboard", "mozilla-window".
    THelperProcess(const std::string& mode, const std::vector<std::string>& args = {});
    ~THelperProcess();
    THelperProcess(const THelperProcess&) = delete;
    THelperProcess& operator=(const THelperProcess&) = delete;
    bool Ready() const { return ready_; }

  private:
    std::string tag_;
    void* process_ = nullptr;
    void* quit_ = nullptr;
    bool ready_ = false;
};

/// Settings in memory whose program folder is this test program's.
TFakeSettings TestSettings();

/// The system's services; without `urlHistory`, no URL history store (an empty factory).
TPlatform TestPlatform(bool urlHistory = true);

/// A fresh folder below the (test prefix's) temporary folder, removed afterwards as
/// far as possible; `Path()` ends in a backslash.
class TScratchFolder {
  public:
    explicit TScratchFolder(const std::string& name);
    ~TScratchFolder();
    const std::string& Path() const { return path_; }

  private:
    std::string path_;
};

using tallow::testing::TTempVariable;

void MakeFolder(const std::string& path);
void WriteTextFile(const std::string& path, const std::string& text, unsigned attributes = 0);
std::string ReadTextFile(const std::string& path);
bool PathExists(const std::string& path);
/// Every path below `folder` (relative to it, folders without trailing backslash).
std::set<std::string> TreeBelow(const std::string& folder);
/// Makes `link` a directory link to `target`: a symbolic link where the system
/// creates one, else (Wine) a link made on the host side. False when neither works.
bool MakeDirectoryLink(const std::string& link, const std::string& target);
/// Deletes a registry key of the test prefix with everything below it.
void DeleteRegistryTree(bool machine, const std::string& key);
void SetRegistryString(bool machine, const std::string& key, const std::string& name, const std::string& value);
std::string ProgramFolder();

}  // namespace tallow::wintest
