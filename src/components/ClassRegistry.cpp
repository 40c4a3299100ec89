#include "components/ClassRegistry.h"

#include "components/TextCase.h"

namespace tallow {

void ClassRegistry::Register(const std::string& className, Factory factory) {
    factories_[LowerCaseAscii(className)] = std::move(factory);
}

bool ClassRegistry::Contains(std::string_view className) const {
    return factories_.count(LowerCaseAscii(className)) != 0;
}

TComponent* ClassRegistry::Create(std::string_view className, TComponent* owner) const {
    const auto it = factories_.find(LowerCaseAscii(className));
    if (it == factories_.end())
        return nullptr;
    return it->second(owner);
}

ClassRegistry& GlobalClassRegistry() {
    static ClassRegistry registry;
    return registry;
}

}  // namespace tallow
