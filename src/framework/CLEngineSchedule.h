// The schedule of the automatic update check.
#pragma once

namespace tallow {

/// Whether the automatic update check is due: the whole days between `now` and
/// `lastDate` (either direction; both are day counts) reach `days`. A missing
/// last date (0) or a missing interval (0) makes it due.
bool IsUpdateDue(double now, double lastDate, int days);

}  // namespace tallow
