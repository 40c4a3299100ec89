#include "platform/AtomicFile.h"

namespace tallow {

bool WriteFileAtomically(IFiles& files, const std::string& path, const std::string& content) {
    const std::string temp = path + ".tmp";
    if (files.WriteFile(temp, content) && files.MoveReplacing(temp, path)) {
        return true;
    }
    files.RemoveFile(temp);
    return false;
}

}  // namespace tallow
