#include "cleaning/TallyingFileTree.h"

namespace tallow {
namespace {

bool IsReadOnly(std::uint32_t attributes) {
    return (attributes & file_attr::kReadOnly) != 0;
}

}  // namespace

bool TTallyingFileTree::DeleteFile(const std::string& path) {
    const std::optional<std::uint64_t> size = inner_.FileSize(path);
    if (mode_ == TTallyMode::kPreview) {
        auto attributes = inner_.Attributes(path);
        // The deletions that would fail: no such file, read-only, held by another program.
        if (!size || !attributes || IsReadOnly(*attributes) || inner_.IsHeldOpen(path))
            return false;
    } else if (!inner_.DeleteFile(path)) {
        return false;
    }
    CountRemoved(tally_, size.value_or(0));
    return true;
}

std::optional<std::vector<TWideEntry>> TTallyingFileTree::List(FolderHandle folder) {
    auto entries = inner_.List(folder);
    if (entries)
        listings_[folder] = {*entries, 0};
    else
        listings_.erase(folder);
    return entries;
}

const TWideEntry* TTallyingFileTree::Listed(FolderHandle folder, const std::wstring& name) {
    auto it = listings_.find(folder);
    if (it == listings_.end())
        return nullptr;
    TListing& listing = it->second;
    const std::size_t count = listing.entries.size();
    for (std::size_t step = 0; step < count; ++step) {
        const std::size_t at = (listing.next + step) % count;
        if (listing.entries[at].name == name) {
            listing.next = at + 1;
            return &listing.entries[at];
        }
    }
    return nullptr;
}

bool TTallyingFileTree::DeleteChildFile(FolderHandle parent, const std::wstring& name) {
    const TWideEntry* entry = Listed(parent, name);
    const std::uint64_t size = entry ? entry->size : 0;
    if (mode_ == TTallyMode::kPreview) {
        if (entry && IsReadOnly(entry->attributes))
            return false;
    } else if (!inner_.DeleteChildFile(parent, name)) {
        return false;
    }
    CountRemoved(tally_, size);
    return true;
}

bool TTallyingFileTree::RemoveChildLink(FolderHandle parent, const std::wstring& name) {
    if (mode_ == TTallyMode::kClean && !inner_.RemoveChildLink(parent, name))
        return false;
    CountRemoved(tally_);
    return true;
}

bool TTallyingFileTree::CloseFolder(FolderHandle folder, bool remove) {
    listings_.erase(folder);
    if (mode_ == TTallyMode::kPreview) {
        inner_.CloseFolder(folder, false);
        return remove;
    }
    return inner_.CloseFolder(folder, remove);
}

}  // namespace tallow
