// The deleting platform services, other than the file tree, over the real ones:
// each counts what a clean removes and, in preview, deletes nothing. Every call
// that deletes nothing goes to the inner service as it is.
#pragma once

#include <memory>
#include <string>

#include "cleaning/PlacesHistory.h"
#include "cleaning/Tallying.h"
#include "platform/Platform.h"

namespace tallow {

/// Values of a key, each an entry without size.
class TTallyingRegistry : public IRegistry {
  public:
    TTallyingRegistry(IRegistry& inner, TTallyMode mode, TItemTally& tally)
        : inner_(inner), mode_(mode), tally_(tally) {}
    TRegistryString Read(RegistryRoot root,
                         RegistryView view,
                         const std::string& path,
                         const std::string& valueName) const override {
        return inner_.Read(root, view, path, valueName);
    }
    bool DeleteAllValues(RegistryRoot root, const std::string& path) override;
    std::uint64_t CountValues(RegistryRoot root, const std::string& path, bool withSubkeys) const override {
        return inner_.CountValues(root, path, withSubkeys);
    }
    std::vector<std::pair<std::string, std::string>> ReadStrings(RegistryRoot root,
                                                                 const std::string& path) const override {
        return inner_.ReadStrings(root, path);
    }
    /// A preview writes nothing.
    bool WriteString(RegistryRoot root,
                     const std::string& path,
                     const std::string& valueName,
                     const std::string& value) override {
        return mode_ == TTallyMode::kClean && inner_.WriteString(root, path, valueName, value);
    }
    bool DeleteValue(RegistryRoot root, const std::string& path, const std::string& valueName) override;

  private:
    IRegistry& inner_;
    TTallyMode mode_;
    TItemTally& tally_;
};

/// URL cache entries, with the size of their local files as the walk read them.
class TTallyingUrlCache : public IUrlCache {
  public:
    TTallyingUrlCache(IUrlCache& inner, TTallyMode mode, TItemTally& tally)
        : inner_(inner), mode_(mode), tally_(tally) {}
    bool LibraryFound() override { return inner_.LibraryFound(); }
    UrlCacheHandle FindFirst(const char* pattern, void* buffer, std::uint32_t& size) override {
        return inner_.FindFirst(pattern, buffer, size);
    }
    bool FindNext(UrlCacheHandle walk, void* buffer, std::uint32_t& size) override {
        return inner_.FindNext(walk, buffer, size);
    }
    UrlCacheHandle FindFirstEx(const char* pattern,
                               std::uint32_t flags,
                               std::uint32_t filter,
                               std::int64_t group,
                               void* buffer,
                               std::uint32_t& size) override {
        return inner_.FindFirstEx(pattern, flags, filter, group, buffer, size);
    }
    bool FindNextEx(UrlCacheHandle walk, void* buffer, std::uint32_t& size) override {
        return inner_.FindNextEx(walk, buffer, size);
    }
    bool DeleteEntry(const std::string& url) override;
    bool Close(UrlCacheHandle walk) override { return inner_.Close(walk); }
    std::uint32_t LastError() override { return inner_.LastError(); }
    /// Also notes the entry's size for its deletion.
    TUrlCacheEntry ReadEntry(const void* buffer) override;

  private:
    IUrlCache& inner_;
    TTallyMode mode_;
    TItemTally& tally_;
    TUrlCacheEntry last_;
};

/// One entry when the clipboard held data.
class TTallyingClipboard : public IClipboard {
  public:
    TTallyingClipboard(IClipboard& inner, TTallyMode mode, TItemTally& tally)
        : inner_(inner), mode_(mode), tally_(tally) {}
    bool Open(WindowHandle owner) override { return inner_.Open(owner); }
    void Empty() override;
    void Close() override { inner_.Close(); }
    bool HasData() override { return inner_.HasData(); }

  private:
    IClipboard& inner_;
    TTallyMode mode_;
    TItemTally& tally_;
};

/// The items and bytes the recycle bins held (a clean: what left them).
class TTallyingRecycleBin : public IRecycleBin {
  public:
    TTallyingRecycleBin(IRecycleBin& inner, TTallyMode mode, TItemTally& tally)
        : inner_(inner), mode_(mode), tally_(tally) {}
    void EmptyAll(WindowHandle parent) override;
    std::optional<TRecycleBinContent> Query() override { return inner_.Query(); }

  private:
    IRecycleBin& inner_;
    TTallyMode mode_;
    TItemTally& tally_;
};

/// Credentials, each an entry without size.
class TTallyingCredentialStore : public ICredentialStore {
  public:
    TTallyingCredentialStore(ICredentialStore& inner, TTallyMode mode, TItemTally& tally)
        : inner_(inner), mode_(mode), tally_(tally) {}
    std::vector<TCredential> List() override { return inner_.List(); }
    bool Delete(const TCredential& credential) override;

  private:
    ICredentialStore& inner_;
    TTallyMode mode_;
    TItemTally& tally_;
};

/// The addresses of the URL history, each an entry without size.
class TTallyingUrlHistoryStore : public IUrlHistoryStore {
  public:
    TTallyingUrlHistoryStore(std::unique_ptr<IUrlHistoryStore> inner, TTallyMode mode, TItemTally& tally)
        : inner_(std::move(inner)), mode_(mode), tally_(tally) {}
    void ClearHistory() override;
    std::uint64_t CountEntries() override { return inner_->CountEntries(); }

  private:
    std::unique_ptr<IUrlHistoryStore> inner_;
    TTallyMode mode_;
    TItemTally& tally_;
};

/// The history rows of Firefox's places databases; a database held by the
/// browser makes the item "in use", one that fails makes it "failed".
class TTallyingPlacesHistory : public IPlacesHistory {
  public:
    TTallyingPlacesHistory(IPlacesHistory& inner, TTallyMode mode, TItemTally& tally)
        : inner_(inner), mode_(mode), tally_(tally) {}
    TPlacesResult ClearHistory(const std::string& places, const std::string& favicons) override;
    TPlacesResult CountHistory(const std::string& places, const std::string& favicons) override {
        return inner_.CountHistory(places, favicons);
    }

  private:
    IPlacesHistory& inner_;
    TTallyMode mode_;
    TItemTally& tally_;
};

}  // namespace tallow
