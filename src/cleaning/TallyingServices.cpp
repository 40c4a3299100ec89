#include "cleaning/TallyingServices.h"

namespace tallow {

bool TTallyingRegistry::DeleteAllValues(RegistryRoot root, const std::string& path) {
    const std::uint64_t before = inner_.CountValues(root, path, false);
    if (mode_ == TTallyMode::kPreview) {
        CountRemoved(tally_, 0, before);
        return true;
    }
    const bool emptied = inner_.DeleteAllValues(root, path);
    const std::uint64_t after = inner_.CountValues(root, path, false);
    CountRemoved(tally_, 0, before > after ? before - after : 0);
    return emptied;
}

bool TTallyingRegistry::DeleteValue(RegistryRoot root, const std::string& path, const std::string& valueName) {
    if (!inner_.Read(root, RegistryView::Own, path, valueName).value.has_value())
        return true;
    if (mode_ == TTallyMode::kPreview) {
        CountRemoved(tally_, 0, 1);
        return true;
    }
    const bool gone = inner_.DeleteValue(root, path, valueName);
    if (gone)
        CountRemoved(tally_, 0, 1);
    return gone;
}

TUrlCacheEntry TTallyingUrlCache::ReadEntry(const void* buffer) {
    last_ = inner_.ReadEntry(buffer);
    return last_;
}

bool TTallyingUrlCache::DeleteEntry(const std::string& url) {
    const std::uint64_t size = url == last_.sourceUrl ? last_.size : 0;
    if (mode_ == TTallyMode::kClean && !inner_.DeleteEntry(url))
        return false;
    CountRemoved(tally_, size);
    return true;
}

void TTallyingClipboard::Empty() {
    const bool held = inner_.HasData();
    if (mode_ == TTallyMode::kClean)
        inner_.Empty();
    if (held && (mode_ == TTallyMode::kPreview || !inner_.HasData()))
        CountRemoved(tally_);
}

void TTallyingRecycleBin::EmptyAll(WindowHandle parent) {
    const TRecycleBinContent before = inner_.Query().value_or(TRecycleBinContent{});
    TRecycleBinContent after;
    if (mode_ == TTallyMode::kClean) {
        inner_.EmptyAll(parent);
        after = inner_.Query().value_or(TRecycleBinContent{});
    }
    if (before.items > after.items)
        CountRemoved(tally_, before.bytes > after.bytes ? before.bytes - after.bytes : 0, before.items - after.items);
}

bool TTallyingCredentialStore::Delete(const TCredential& credential) {
    if (mode_ == TTallyMode::kClean && !inner_.Delete(credential))
        return false;
    CountRemoved(tally_);
    return true;
}

void TTallyingUrlHistoryStore::ClearHistory() {
    const std::uint64_t before = inner_->CountEntries();
    std::uint64_t after = 0;
    if (mode_ == TTallyMode::kClean) {
        inner_->ClearHistory();
        after = inner_->CountEntries();
    }
    CountRemoved(tally_, 0, before > after ? before - after : 0);
}

TPlacesResult TTallyingPlacesHistory::ClearHistory(const std::string& places, const std::string& favicons) {
    TPlacesResult result =
        mode_ == TTallyMode::kPreview ? inner_.CountHistory(places, favicons) : inner_.ClearHistory(places, favicons);
    CountRemoved(tally_, 0, result.rows);
    if (result.outcome == TPlacesOutcome::kLocked)
        NoteStatus(tally_, TItemStatus::kInUse);
    else if (result.outcome == TPlacesOutcome::kFailed)
        NoteStatus(tally_, TItemStatus::kFailed);
    return result;
}

}  // namespace tallow
