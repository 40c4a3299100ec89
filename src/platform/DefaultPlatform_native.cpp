// The native tree has no system services; tests install fakes.
#include "platform/Platform.h"

namespace tallow {

const TPlatform& DefaultPlatform() {
    static const TPlatform none;
    return none;
}

}  // namespace tallow
