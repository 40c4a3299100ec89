#include "cleaning/IECache.h"

#include "cleaning/EntryBuffer.h"

namespace tallow {
namespace {

constexpr std::uint32_t kFlagOfMember[] = {
    cache_entry::kNormal,
    0x2,
    cache_entry::kSticky,
    cache_entry::kCookie,
    cache_entry::kUrlHistory,
    cache_entry::kTrackOffline,
    cache_entry::kTrackOnline,
    cache_entry::kSparse,
    0x20000,
};

}  // namespace

std::uint32_t FilterMaskOf(TFilterOptions options) {
    std::uint32_t mask = 0;
    for (unsigned m = 0; m < std::size(kFlagOfMember); ++m) {
        if (options.Contains(static_cast<TFilterOption>(m)))
            mask |= kFlagOfMember[m];
    }
    return mask;
}

const char* PatternOf(TSearchPattern pattern) {
    switch (pattern) {
        case TSearchPattern::spCookies:
            return "Cookie:";
        case TSearchPattern::spHistory:
            return "Visited:";
        case TSearchPattern::spUrl:
            return "";
        case TSearchPattern::spAll:
            break;
    }
    return nullptr;
}

TIECache::~TIECache() {
    if (walkHandle_)
        CloseWalk();
}

void TIECache::SetFilterOptions(TFilterOptions options) {
    filterOptions_ = options;
    filterMask_ = FilterMaskOf(options);
}

bool TIECache::LibraryFound() {
    if (!libraryFound_)
        libraryFound_ = cache_.LibraryFound();
    return libraryFound_;
}

std::uint32_t TIECache::BeginEntryWalk(std::int64_t group) {
    if (!LibraryFound())
        return cache_error::kFileNotFound;
    if (walkHandle_)  // a walk left open is closed, not leaked
        CloseWalk();
    const char* pattern = PatternOf(searchPattern_);
    std::uint32_t size = 0;
    if (UrlCacheHandle stray = cache_.FindFirstEx(pattern, 0, filterMask_, group, nullptr, size)) {
        cache_.Close(stray);
        size = 0;
    }
    TEntryBuffer buffer(size);
    walkHandle_ = cache_.FindFirstEx(pattern, 0, filterMask_, group, buffer.data(), size);
    return TakeEntry(walkHandle_ != 0, buffer.data());
}

std::uint32_t TIECache::ContinueEntryWalk() {
    if (!LibraryFound())
        return cache_error::kFileNotFound;
    std::uint32_t size = 0;
    cache_.FindNextEx(walkHandle_, nullptr, size);
    TEntryBuffer buffer(size);
    bool found = cache_.FindNextEx(walkHandle_, buffer.data(), size);
    return TakeEntry(found, buffer.data());
}

// 0 with the entry's URL taken when `found`; otherwise the system's error, and
// "no more items" where the system reports a failure without one, so that no
// caller mistakes a failure for an entry.
std::uint32_t TIECache::TakeEntry(bool found, const void* buffer) {
    if (!found) {
        std::uint32_t error = cache_.LastError();
        return error ? error : cache_error::kNoMoreItems;
    }
    currentEntryUrl_ = cache_.ReadEntry(buffer).sourceUrl;
    return 0;
}

std::uint32_t TIECache::RemoveCacheEntry(const std::string& url) {
    if (!LibraryFound())
        return 0;
    if (!cache_.DeleteEntry(url)) {
        std::uint32_t error = cache_.LastError();
        return error ? error : cache_error::kFileNotFound;
    }
    currentEntryUrl_.clear();
    return 0;
}

void TIECache::RemoveMatchingEntries() {
    if (!LibraryFound())
        return;
    if (BeginEntryWalk(0) == 0) {
        do {
            RemoveCacheEntry(currentEntryUrl_);  // an entry that cannot go stays
        } while (ContinueEntryWalk() == 0);
    }
    CloseWalk();
}

void TIECache::CloseWalk() {
    cache_.Close(walkHandle_);
    walkHandle_ = 0;
}

}  // namespace tallow
