// Registers the skin components for stored window descriptions.
#pragma once

#include "components/ClassRegistry.h"

namespace tallow {

/// Registers TskSkinData and TskResourceStrData.
void RegisterSkinClasses(ClassRegistry& registry);

}  // namespace tallow
