// `PurgeUrlCache`: the plain walk over the whole URL cache.
#include "cleaning/EntryBuffer.h"
#include "cleaning/uCC.h"
#include "diagnostics/TraceSender.h"

namespace tallow {
namespace {

constexpr std::uint32_t kPurgedTypes = cache_entry::kCookie | cache_entry::kUrlHistory | cache_entry::kNormal;

// The size of the first entry; a handle that the query should not have opened is closed.
std::uint32_t FirstEntrySize(IUrlCache& cache) {
    std::uint32_t size = 0;
    if (UrlCacheHandle stray = cache.FindFirst(nullptr, nullptr, size)) {
        cache.Close(stray);
        return 0;
    }
    return size;
}

}  // namespace

void TCleaners::PurgeUrlCache() {
    IUrlCache& cache = *p_.urlCache;
    TTraceSender& trace = DebugTrace();

    std::uint32_t size = FirstEntrySize(cache);
    trace.Trace("FindFirstUrlCacheEntry");
    TEntryBuffer buffer(size);
    trace.Trace("GetMem");
    UrlCacheHandle walk = cache.FindFirst(nullptr, buffer.data(), size);
    trace.Trace("FindFirstUrlCacheEntry");

    bool found = walk != 0;
    while (found) {
        trace.Trace(std::string(51, '='));
        TUrlCacheEntry entry = cache.ReadEntry(buffer.data());
        if (entry.type & kPurgedTypes)
            cache.DeleteEntry(entry.sourceUrl);  // an entry that cannot go stays
        trace.Trace("Delete --- " + entry.sourceUrl);
        trace.Trace("Repeat");
        buffer.Free();
        trace.Trace("FreeMem");
        size = 0;
        cache.FindNext(walk, nullptr, size);
        trace.Trace("FindNextUrlCacheEntry");
        buffer.Allocate(size);
        trace.Trace("GetMem");
        found = cache.FindNext(walk, buffer.data(), size);
    }
    trace.Trace("repeat end");
    buffer.Free();
    trace.Trace("FreeMem");
    cache.Close(walk);
    trace.Trace("FindCloseUrlCache");
}

}  // namespace tallow
