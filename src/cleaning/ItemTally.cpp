#include "cleaning/ItemTally.h"

namespace tallow {

const char* ItemStatusText(TItemStatus status) {
    switch (status) {
        case TItemStatus::kOk:
            return "ok";
        case TItemStatus::kInUse:
            return "in use";
        case TItemStatus::kNotInstalled:
            return "not installed";
        case TItemStatus::kFailed:
            break;
    }
    return "failed";
}

}  // namespace tallow
