#include "cleaning/SettingsSnapshot.h"

#include <cstdlib>

#include "components/TextCase.h"

namespace tallow {
namespace {

// What the cleaners read of the settings.
const char* const kCopiedValues[] = {"FireFoxPath"};
const char* const kCopiedShellFolders[] = {"Cache", "AppData", "Local AppData"};

}  // namespace

TSettingsSnapshot::TSettingsSnapshot(const ISettingsStore& source) : exeDir_(source.ExeDir()) {
    for (const char* name : kCopiedValues)
        values_[Key(name)] = source.ReadString(name);
    for (const char* name : kCopiedShellFolders)
        shellFolders_[Key(name)] = source.ShellFolder(name);
}

std::string TSettingsSnapshot::Key(const std::string& name) {
    return LowerCaseAscii(name);
}

std::string TSettingsSnapshot::ReadString(const std::string& name) const {
    auto it = values_.find(Key(name));
    return it == values_.end() ? std::string() : it->second;
}

void TSettingsSnapshot::WriteString(const std::string& name, const std::string& value) {
    values_[Key(name)] = value;
}

void TSettingsSnapshot::WriteStrings(const std::vector<std::pair<std::string, std::string>>& values) {
    for (const auto& [name, value] : values)
        WriteString(name, value);
}

int TSettingsSnapshot::ReadInteger(const std::string& name) const {
    return std::atoi(ReadString(name).c_str());
}

double TSettingsSnapshot::ReadFloat(const std::string& name) const {
    return std::atof(ReadString(name).c_str());
}

std::string TSettingsSnapshot::ShellFolder(const std::string& name) const {
    auto it = shellFolders_.find(Key(name));
    return it == shellFolders_.end() ? std::string() : it->second;
}

}  // namespace tallow
