#include <windows.h>

#include "platform/OwnerOnlySecurity_win.h"
#include "platform/WinServices.h"

namespace tallow {

namespace {

class TWinSharedView : public ISharedView {
  public:
    TWinSharedView(HANDLE mapping, void* view, std::size_t size) : mapping_(mapping), view_(view), size_(size) {}
    ~TWinSharedView() override {
        UnmapViewOfFile(view_);
        CloseHandle(mapping_);
    }
    std::uint8_t* Data() override { return static_cast<std::uint8_t*>(view_); }
    std::size_t Size() const override { return size_; }

  private:
    HANDLE mapping_;
    void* view_;
    std::size_t size_;
};

// Maps all of `mapping`; the view's size is the committed region the system gave it.
std::unique_ptr<ISharedView> MapWhole(HANDLE mapping) {
    void* view = MapViewOfFile(mapping, FILE_MAP_READ | FILE_MAP_WRITE, 0, 0, 0);
    MEMORY_BASIC_INFORMATION region = {};
    if (!view || VirtualQuery(view, &region, sizeof region) == 0) {
        if (view) {
            UnmapViewOfFile(view);
        }
        CloseHandle(mapping);
        return nullptr;
    }
    return std::make_unique<TWinSharedView>(mapping, view, region.RegionSize);
}

class TWinSharedMemory : public ISharedMemory {
  public:
    std::unique_ptr<ISharedView> Open(const std::string& name) override {
        HANDLE mapping = OpenFileMappingA(FILE_MAP_READ | FILE_MAP_WRITE, FALSE, name.c_str());
        return mapping ? MapWhole(mapping) : nullptr;
    }

    std::unique_ptr<ISharedView> Create(const std::string& name, std::size_t size, bool& existed) override {
        existed = false;
        const unsigned long long bytes = size;
        TOwnerOnlySecurity security;
        if (!security.Attributes()) {
            return nullptr;
        }
        HANDLE mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, security.Attributes(), PAGE_READWRITE,
                                            DWORD(bytes >> 32), DWORD(bytes & 0xFFFFFFFFu), name.c_str());
        if (!mapping) {
            return nullptr;
        }
        if (GetLastError() == ERROR_ALREADY_EXISTS) {
            existed = true;
            CloseHandle(mapping);
            return nullptr;
        }
        return MapWhole(mapping);
    }
};

}  // namespace

ISharedMemory& WinSharedMemory() {
    static TWinSharedMemory memory;
    return memory;
}

}  // namespace tallow
