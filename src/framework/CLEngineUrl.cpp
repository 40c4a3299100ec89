#include "framework/CLEngineUrl.h"

#include "framework/CLEngineText.h"

namespace tallow {

std::string ComposeBrowserCommand(const std::string& openCommand, const std::string& url) {
    if (openCommand.find("%1") != std::string::npos) {
        return ReplaceAll(openCommand, "%1", url);
    }
    return openCommand + "  \"" + url + "\"";
}

}  // namespace tallow
