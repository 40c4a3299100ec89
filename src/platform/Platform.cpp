#include "platform/Platform.h"

#include <stdexcept>

namespace tallow {

namespace {
const TPlatform* g_installed = nullptr;
}

const TPlatform& SystemPlatform() {
    const TPlatform& platform = g_installed ? *g_installed : DefaultPlatform();
    if (!platform.files) {
        throw std::logic_error("no platform services installed");
    }
    return platform;
}

void SetSystemPlatform(const TPlatform* platform) {
    g_installed = platform;
}

}  // namespace tallow
