// Named shared memory between processes: file mappings backed by the paging file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace tallow {

/// A mapped view of a named file mapping; unmapping and closing happen when it ends.
class ISharedView {
  public:
    virtual ~ISharedView() = default;
    virtual std::uint8_t* Data() = 0;
    /// Bytes that may be read and written from Data() on: the whole view, which
    /// the system may round up beyond the size the mapping was made with.
    virtual std::size_t Size() const = 0;
};

class ISharedMemory {
  public:
    virtual ~ISharedMemory() = default;
    /// OpenFileMappingA for reading and writing, the whole mapping mapped;
    /// nullptr when no mapping of that name exists or it cannot be mapped.
    virtual std::unique_ptr<ISharedView> Open(const std::string& name) = 0;
    /// CreateFileMappingA of `size` bytes of the paging file, mapped whole and
    /// zero-filled, that only the current user and SYSTEM may open. nullptr when
    /// a mapping of that name exists already (`existed` then true) or it cannot
    /// be made (a standard user may not make one in "Global\").
    virtual std::unique_ptr<ISharedView> Create(const std::string& name, std::size_t size, bool& existed) = 0;
};

}  // namespace tallow
