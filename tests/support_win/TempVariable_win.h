// Points the temporary folder (TMP and TEMP) of this process, and of the
// programs it starts, at a test's own folder while it lives.
#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace tallow::testing {

class TTempVariable {
  public:
    explicit TTempVariable(const std::string& folder) {
        for (const char* name : {"TMP", "TEMP"}) {
            char old[MAX_PATH] = {};
            DWORD n = GetEnvironmentVariableA(name, old, MAX_PATH);
            saved_.push_back({name, std::string(old, n < MAX_PATH ? n : 0)});
            SetEnvironmentVariableA(name, folder.c_str());
        }
    }
    ~TTempVariable() {
        for (const auto& [name, value] : saved_) {
            SetEnvironmentVariableA(name.c_str(), value.c_str());
        }
    }
    TTempVariable(const TTempVariable&) = delete;
    TTempVariable& operator=(const TTempVariable&) = delete;

  private:
    std::vector<std::pair<std::string, std::string>> saved_;
};

}  // namespace tallow::testing
