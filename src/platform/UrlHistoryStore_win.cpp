#include <windows.h>

#include <objbase.h>
#include <urlhist.h>

#include "platform/UrlHistoryStore.h"
#include "platform/WinServices.h"

namespace tallow {
namespace {

// {3C374A40-BAE4-11CF-BF7D-00AA006946EE}
constexpr CLSID kClsidUrlHistory = {0x3c374a40, 0xbae4, 0x11cf, {0xbf, 0x7d, 0x00, 0xaa, 0x00, 0x69, 0x46, 0xee}};
// {AFA0DC11-C313-11D0-831A-00C04FD5AE38}
constexpr IID kIidUrlHistoryStg2 = {0xafa0dc11, 0xc313, 0x11d0, {0x83, 0x1a, 0x00, 0xc0, 0x4f, 0xd5, 0xae, 0x38}};

class TWinUrlHistoryStore : public IUrlHistoryStore {
  public:
    explicit TWinUrlHistoryStore(IUrlHistoryStg2* store) : store_(store) {}
    ~TWinUrlHistoryStore() override { store_->Release(); }
    TWinUrlHistoryStore(const TWinUrlHistoryStore&) = delete;
    TWinUrlHistoryStore& operator=(const TWinUrlHistoryStore&) = delete;

    void ClearHistory() override { store_->ClearHistory(); }

    std::uint64_t CountEntries() override {
        IEnumSTATURL* urls = nullptr;
        if (FAILED(store_->EnumUrls(&urls)) || !urls)
            return 0;
        std::uint64_t count = 0;
        STATURL entry = {};
        entry.cbSize = sizeof entry;
        ULONG fetched = 0;
        while (urls->Next(1, &entry, &fetched) == S_OK && fetched == 1) {
            CoTaskMemFree(entry.pwcsUrl);
            CoTaskMemFree(entry.pwcsTitle);
            entry = {};
            entry.cbSize = sizeof entry;
            ++count;
        }
        urls->Release();
        return count;
    }

  private:
    IUrlHistoryStg2* store_;
};

}  // namespace

std::unique_ptr<IUrlHistoryStore> CreateUrlHistoryStore() {
    void* object = nullptr;
    HRESULT hr = CoCreateInstance(kClsidUrlHistory, nullptr, CLSCTX_INPROC_SERVER, kIidUrlHistoryStg2, &object);
    if (FAILED(hr) || !object)
        return nullptr;
    return std::make_unique<TWinUrlHistoryStore>(static_cast<IUrlHistoryStg2*>(object));
}

}  // namespace tallow
