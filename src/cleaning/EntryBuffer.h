// A URL cache entry buffer of exactly the size a size query reported.
#pragma once

#include <cstdint>
#include <cstring>
#include <memory>

namespace tallow {

class TEntryBuffer {
  public:
    TEntryBuffer() = default;
    explicit TEntryBuffer(std::uint32_t size) { Allocate(size); }

    /// A new buffer of `size` bytes (none for 0) whose first field, the record's
    /// size, holds `size`.
    void Allocate(std::uint32_t size) {
        bytes_.reset(size ? new std::byte[size]() : nullptr);
        size_ = size;
        if (size >= sizeof size)
            std::memcpy(bytes_.get(), &size, sizeof size);
    }
    void Free() {
        bytes_.reset();
        size_ = 0;
    }
    void* data() { return bytes_.get(); }
    std::uint32_t size() const { return size_; }

  private:
    std::unique_ptr<std::byte[]> bytes_;
    std::uint32_t size_ = 0;
};

}  // namespace tallow
