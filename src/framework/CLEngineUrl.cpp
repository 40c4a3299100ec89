#include "framework/CLEngineUrl.h"

#include "framework/CLEngineText.h"

namespace tallow {

std::string ComposeBrowserCommand(const std::string& openCommand, const std::string& url) {
    const std::string quoted = "\"" + url + "\"";
    if (openCommand.find("%1") == std::string::npos) {
        return openCommand + "  " + quoted;
    }
    // Every %1 becomes one quoted argument, whether or not the command quotes it.
    std::string out;
    size_t from = 0;
    for (size_t at = openCommand.find("%1"); at != std::string::npos; at = openCommand.find("%1", from)) {
        const bool inQuotes =
            at > 0 && openCommand[at - 1] == '"' && at + 2 < openCommand.size() && openCommand[at + 2] == '"';
        out.append(openCommand, from, at - from);
        out += inQuotes ? url : quoted;
        from = at + 2;
    }
    out.append(openCommand, from, std::string::npos);
    return out;
}

}  // namespace tallow
