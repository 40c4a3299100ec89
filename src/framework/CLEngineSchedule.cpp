#include "framework/CLEngineSchedule.h"

#include <cmath>

namespace tallow {

bool IsUpdateDue(double now, double lastDate, int days) {
    double elapsed = std::trunc(std::fabs(now - lastDate));
    return elapsed >= static_cast<double>(days);
}

}  // namespace tallow
