#include "platform/AtomicFile.h"

#include <cstdio>

namespace tallow {

std::string AtomicTemporaryName(const std::string& path, std::uint32_t writer, int attempt) {
    char suffix[32];
    std::snprintf(suffix, sizeof suffix, ".%08x-%d.tmp", static_cast<unsigned>(writer), attempt);
    return path + suffix;
}

bool WriteFileAtomically(IFiles& files, const std::string& path, const std::string& content, std::uint32_t writer) {
    for (int attempt = 0; attempt < kAtomicWriteAttempts; ++attempt) {
        const std::string temp = AtomicTemporaryName(path, writer, attempt);
        if (files.Exists(temp) && !files.RemoveLeftOver(temp)) {
            continue;  // a left-over that stays (a folder with content, or no right to delete it)
        }
        if (!files.WriteFile(temp, content)) {
            files.RemoveFile(temp);
            continue;  // e.g. a left-over still open in a writer that hangs
        }
        if (files.MoveReplacing(temp, path)) {
            return true;
        }
        files.RemoveFile(temp);
        return false;  // the file itself refuses the replace; another name cannot help
    }
    return false;
}

}  // namespace tallow
