// Facts about the running process.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tallow {

class IProcessInfo {
  public:
    virtual ~IProcessInfo() = default;
    /// Full path of the program file exactly as GetModuleFileNameA returns it.
    virtual std::string ModuleFileName() const = 0;
    /// The command-line parameters after the program name, split as the C
    /// runtime splits them (quotes removed).
    virtual std::vector<std::string> Parameters() const = 0;
    virtual std::uint32_t CurrentProcessId() const = 0;
    /// The system's id of the calling thread.
    virtual std::uint32_t CurrentThreadId() const = 0;
};

}  // namespace tallow
