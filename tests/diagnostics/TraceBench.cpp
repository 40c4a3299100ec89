// Benchmark of the trace (not a test): lines per second through the sender and
// SendRecord into an in-memory queue, drained by the viewer's queue side each
// time the sender sets the queue event (so the sender never waits 100 ms).
//   trace_bench [lines]   (default 200,000)
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "TraceViewerQueue.h"
#include "diagnostics/TraceSender.h"
#include "fakes/FakePlatform.h"

int main(int argc, char** argv) {
    using namespace tallow;
    const int lines = argc > 1 ? std::atoi(argv[1]) : 200000;
    TFakePlatform fake;
    TTraceViewerQueue viewer(fake.sharedMemory, fake.events);
    bool another = false;
    if (!viewer.Create(another)) {
        std::printf("no queue\n");
        return 1;
    }
    std::size_t drained = 0;
    fake.events.events[kTraceQueueEventName]->onSet = [&] { drained += viewer.Take().size(); };

    TScopedTraceConnection connection(fake.Platform());
    DebugTrace().Enabled = true;
    DebugTrace().AutoStartViewer = false;
    const std::string text = "Setting Not Found :Update.LastDate (a line of typical length)";
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < lines; ++i) {
        DebugTrace().TraceWithTag(text, "CLSettings");
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("native, in-memory queue: %d lines in %.3f s = %.0f lines/s (%zu drained)\n", lines, seconds,
                lines / seconds, drained);
    return drained == std::size_t(lines) ? 0 : 1;
}
