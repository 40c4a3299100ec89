// TIECache: walks the WinInet URL cache with a search pattern and an entry-type
// filter, and deletes the entries it finds.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>

#include "platform/UrlCache.h"

namespace tallow {

/// Entry types of the filter, in declaration order (set bits 0 to 8).
enum class TFilterOption {
    NORMAL_ENTRY,
    STABLE_ENTRY,
    STICKY_ENTRY,
    COOKIE_ENTRY,
    URLHISTORY_ENTRY,
    TRACK_OFFLINE_ENTRY,
    TRACK_ONLINE_ENTRY,
    SPARSE_ENTRY,
    OCX_ENTRY,
};

/// A set of TFilterOption, stored as its set value (bit n for member n).
class TFilterOptions {
  public:
    constexpr TFilterOptions() = default;
    constexpr TFilterOptions(std::initializer_list<TFilterOption> members) {
        for (TFilterOption m : members)
            bits_ |= Bit(m);
    }
    /// The set with the stored value `value`; bits beyond the last member are dropped.
    static constexpr TFilterOptions FromSetValue(std::uint32_t value) {
        TFilterOptions set;
        set.bits_ = value & 0x1FF;
        return set;
    }
    constexpr std::uint32_t SetValue() const { return bits_; }
    constexpr bool Contains(TFilterOption m) const { return (bits_ & Bit(m)) != 0; }
    constexpr bool operator==(const TFilterOptions&) const = default;

  private:
    static constexpr std::uint32_t Bit(TFilterOption m) { return 1u << static_cast<unsigned>(m); }
    std::uint32_t bits_ = 0;
};

/// The default filter: normal, sticky, cookie, history, track offline and online (125).
constexpr TFilterOptions kDefaultFilterOptions = TFilterOptions::FromSetValue(125);

/// The WinInet entry-type filter of a set: the sum of its members' flags.
std::uint32_t FilterMaskOf(TFilterOptions options);

enum class TSearchPattern { spAll, spCookies, spHistory, spUrl };

/// The pattern a walk passes: null for spAll, "Cookie:", "Visited:", "" for spUrl.
const char* PatternOf(TSearchPattern pattern);

class TIECache {
  public:
    explicit TIECache(IUrlCache& cache) : cache_(cache) {}
    ~TIECache();
    TIECache(const TIECache&) = delete;
    TIECache& operator=(const TIECache&) = delete;

    TFilterOptions FilterOptions() const { return filterOptions_; }
    /// Also recomputes `FilterMask`.
    void SetFilterOptions(TFilterOptions options);
    std::uint32_t FilterMask() const { return filterMask_; }

    TSearchPattern SearchPattern() const { return searchPattern_; }
    void SetSearchPattern(TSearchPattern pattern) { searchPattern_ = pattern; }

    /// Whether WinInet offers what the walk needs; once true it stays true.
    bool LibraryFound();

    /// Starts a walk over `group`: 0 when a first entry was found (its URL is then
    /// `CurrentEntryUrl`), otherwise the system's error code; 2 without WinInet.
    std::uint32_t BeginEntryWalk(std::int64_t group);
    /// 0 when a next entry was found, otherwise the system's error code (259 at
    /// the end); 2 without WinInet.
    std::uint32_t ContinueEntryWalk();
    /// 0 when the entry was deleted (`CurrentEntryUrl` is then emptied), otherwise
    /// the system's error code; 0 without WinInet.
    std::uint32_t RemoveCacheEntry(const std::string& url);
    /// Deletes every entry that a walk over group 0 finds, then closes the walk.
    void RemoveMatchingEntries();

    const std::string& CurrentEntryUrl() const { return currentEntryUrl_; }
    UrlCacheHandle WalkHandle() const { return walkHandle_; }

  private:
    std::uint32_t TakeEntry(bool found, const void* buffer);
    void CloseWalk();

    IUrlCache& cache_;
    TFilterOptions filterOptions_ = kDefaultFilterOptions;
    std::uint32_t filterMask_ = FilterMaskOf(kDefaultFilterOptions);
    TSearchPattern searchPattern_ = TSearchPattern::spAll;
    bool libraryFound_ = false;
    UrlCacheHandle walkHandle_ = 0;
    std::string currentEntryUrl_;
};

}  // namespace tallow
