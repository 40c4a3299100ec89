#include "toolkit/skin/SkinClasses.h"

#include "toolkit/skin/ResourceStrData.h"
#include "toolkit/skin/SkinData.h"

namespace tallow {

void RegisterSkinClasses(ClassRegistry& registry) {
    registry.Register<TskSkinData>();
    registry.Register<TskResourceStrData>();
}

}  // namespace tallow
