#include "fakes/FakeSettings.h"

#include "framework/CLSettingsValues.h"

namespace tallow {

std::string TFakeSettings::ReadString(const std::string& name) const {
    auto it = values.find(name);
    return it == values.end() ? std::string() : it->second;
}

void TFakeSettings::WriteString(const std::string& name, const std::string& value) {
    values[name] = value;
    writes.push_back(name + "=" + value);
}

void TFakeSettings::WriteStrings(const std::vector<std::pair<std::string, std::string>>& pairs) {
    ++batches;
    for (const auto& [name, value] : pairs)
        WriteString(name, value);
}

int TFakeSettings::ReadInteger(const std::string& name) const {
    return ParseSettingInteger(ReadString(name)).value_or(0);
}

double TFakeSettings::ReadFloat(const std::string& name) const {
    return ParseSettingFloat(ReadString(name), '.').value_or(0.0);
}

bool TFakeSettings::GetShowAgain(int module) const {
    auto it = showAgain.find(module);
    return it == showAgain.end() ? true : it->second;
}

int TFakeSettings::GetShowAgainResult(int module) const {
    auto it = showAgainResult.find(module);
    return it == showAgainResult.end() ? 1 : it->second;
}

std::string TFakeSettings::ShellFolder(const std::string& name) const {
    auto it = shellFolders.find(name);
    return it == shellFolders.end() ? std::string() : it->second;
}

}  // namespace tallow
