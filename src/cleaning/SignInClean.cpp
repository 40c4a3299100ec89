#include "cleaning/SignInClean.h"

#include "components/TextCase.h"

namespace tallow {

const char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char kRunValue[] = "Tallowmere";

std::string SignInCommand(const std::string& programPath) {
    return "\"" + programPath + "\" /clean";
}

bool CommandStartsProgram(const std::string& command, const std::string& programPath) {
    if (programPath.empty())
        return false;
    if (!command.empty() && command.front() == '"') {
        const size_t close = command.find('"', 1);
        return close != std::string::npos && SameText(command.substr(1, close - 1), programPath);
    }
    // Unquoted: the path, then the end or a blank before the arguments.
    return StartsWithText(command, programPath) &&
           (command.size() == programPath.size() || command[programPath.size()] == ' ');
}

bool TSignInClean::IsOn() const {
    auto command = registry_.ReadString(RegistryRoot::CurrentUser, kRunKey, kRunValue);
    return command && CommandStartsProgram(*command, programPath_);
}

bool TSignInClean::FixedByMachine() const {
    // A 32-bit program's reads land in the 32-bit view; a template applied by the
    // 64-bit system writes the 64-bit one. Windows runs both.
    for (RegistryView view : {RegistryView::Bits32, RegistryView::Bits64}) {
        // Whatever path it names: the administrator chose for every user.
        auto command = registry_.Read(RegistryRoot::LocalMachine, view, kRunKey, kRunValue).value;
        if (command && !command->empty())
            return true;
    }
    return false;
}

bool TSignInClean::Set(bool on) {
    if (on)
        return registry_.WriteString(RegistryRoot::CurrentUser, kRunKey, kRunValue, SignInCommand(programPath_)) &&
               IsOn();
    return registry_.DeleteValue(RegistryRoot::CurrentUser, kRunKey, kRunValue);
}

}  // namespace tallow
