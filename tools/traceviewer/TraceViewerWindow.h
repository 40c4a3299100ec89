// The viewer's window: the filter bar and the list of records.
#pragma once

#include <windows.h>

#include "TraceViewerQueue.h"

namespace tallow {

/// Shows the window and runs its message loop until it is closed.
int RunTraceViewerWindow(HINSTANCE instance, TTraceViewerQueue& queue, int show);

}  // namespace tallow
