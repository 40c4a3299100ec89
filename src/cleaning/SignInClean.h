// Cleaning at sign-in: the value "Tallowmere" under the user's Run key makes
// Windows start the program with /clean whenever the user signs in. The same
// value under the machine's Run key (set by the administrative template) cleans
// for every user; the user then has nothing to switch.
#pragma once

#include <string>

#include "platform/Registry.h"

namespace tallow {

extern const char kRunKey[];    // "Software\Microsoft\Windows\CurrentVersion\Run"
extern const char kRunValue[];  // "Tallowmere"

/// The Run value's text for `programPath`: the quoted path followed by " /clean".
std::string SignInCommand(const std::string& programPath);
/// True when command line `command` starts `programPath` (quoted or not; letter
/// case ignored), whatever arguments follow.
bool CommandStartsProgram(const std::string& command, const std::string& programPath);

class TSignInClean {
  public:
    TSignInClean(IRegistry& registry, std::string programPath)
        : registry_(registry), programPath_(std::move(programPath)) {}

    /// The user's Run value is there and starts this program.
    bool IsOn() const;
    /// The machine's Run value is set (in either registry view), so every user
    /// cleans at sign-in by the administrator's choice.
    bool FixedByMachine() const;
    /// Adds (`on`) or removes the user's Run value; true when it now is as asked.
    bool Set(bool on);

  private:
    IRegistry& registry_;
    std::string programPath_;
};

}  // namespace tallow
