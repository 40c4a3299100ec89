// TraceViewer.exe: the receiving end of the program's debug trace. It makes the
// shared queue, answers "-a PID" through the launching process's start event,
// and shows each record (time, process, thread, tag, text) in a window whose
// filter it publishes to the senders; with "-o" or "--stdout" it writes the
// records to standard output, one tab-separated line each, for scripts.
#include <windows.h>

#include <string>
#include <vector>

#include "TraceViewerQueue.h"
#include "TraceViewerWindow.h"
#include "platform/WinServices.h"

namespace {

int WriteToStdout(tallow::TTraceViewerQueue& queue) {
    HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    for (;;) {
        std::string lines;
        for (const tallow::TTraceRecordFields& record : queue.WaitAndTake(250)) {
            lines += tallow::FormatTraceLine(record) + "\n";
        }
        DWORD written = 0;
        if (!lines.empty() && !WriteFile(out, lines.data(), DWORD(lines.size()), &written, nullptr)) {
            return 0;  // the reader went away
        }
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
    std::vector<std::string> args(__argv + 1, __argv + __argc);
    const tallow::TViewerOptions options = tallow::ParseViewerOptions(args);
    tallow::TTraceViewerQueue queue(tallow::WinSharedMemory(), tallow::WinEvents());
    bool anotherViewer = false;
    const bool made = queue.Create(anotherViewer);
    if (options.launchedBy) {
        queue.AnswerLaunch();  // also when another viewer reads the queue: the sender may go on
    }
    if (!made) {
        return anotherViewer ? 0 : 1;
    }
    return options.toStdout ? WriteToStdout(queue) : tallow::RunTraceViewerWindow(instance, queue, show);
}
