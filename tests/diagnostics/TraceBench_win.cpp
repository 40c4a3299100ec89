// Benchmark of the trace (not a test): lines per second from this process
// through the shared queue to a running TraceViewer.exe, which writes them to
// standard output (here: NUL) and flushes after each batch it reads.
//   trace_bench_win [lines]   (default 20,000; TraceViewer.exe beside this program)
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "diagnostics/TraceSender.h"
#include "platform/Platform.h"

int main(int argc, char** argv) {
    using namespace tallow;
    const int lines = argc > 1 ? std::atoi(argv[1]) : 20000;
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE nul = CreateFileA("NUL", GENERIC_WRITE, FILE_SHARE_WRITE, &inherit, OPEN_EXISTING, 0, nullptr);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = startup.hStdError = nul;
    PROCESS_INFORMATION viewer = {};
    char command[] = "TraceViewer.exe --stdout";
    if (!CreateProcessA(nullptr, command, nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &viewer)) {
        std::printf("TraceViewer.exe did not start\n");
        return 1;
    }
    HANDLE mapping = nullptr;
    for (int i = 0; i < 100 && !mapping; ++i, Sleep(100)) {
        mapping = OpenFileMappingA(FILE_MAP_READ, FALSE, "Global\\TraceViewMap");
    }
    TScopedTraceConnection connection(SystemPlatform());
    DebugTrace().Enabled = true;
    DebugTrace().AutoStartViewer = false;
    const std::string text = "Setting Not Found :Update.LastDate (a line of typical length)";
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < lines; ++i) {
        DebugTrace().TraceWithTag(text, "CLSettings");
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("Wine, to TraceViewer.exe: %d lines in %.3f s = %.0f lines/s\n", lines, seconds, lines / seconds);
    TerminateProcess(viewer.hProcess, 0);
    CloseHandle(viewer.hProcess);
    CloseHandle(viewer.hThread);
    if (mapping) {
        CloseHandle(mapping);
    }
    return 0;
}
