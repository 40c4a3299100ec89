#include "toolkit/controls/Peer.h"

namespace tallow {

namespace {
IWindowFactory*& Factory() {
    static IWindowFactory* factory = nullptr;
    return factory;
}
}  // namespace

void SetWindowFactory(IWindowFactory* factory) {
    Factory() = factory;
}
IWindowFactory* WindowFactory() {
    return Factory();
}

}  // namespace tallow
