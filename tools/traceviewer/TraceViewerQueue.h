// The viewer's side of the trace queue: it makes the shared mapping, the
// queue mutex and the events, takes the records the senders append and tells
// them it has read them; and it publishes the filter the user chose.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "diagnostics/TraceRecord.h"
#include "platform/Events.h"
#include "platform/SharedMemory.h"

namespace tallow {

/// Command line of the viewer: "-a PID" answers the start event of the process
/// that launched it; "-o" or "--stdout" writes the records to standard output
/// (tab-separated) instead of showing a window.
struct TViewerOptions {
    bool toStdout = false;
    std::optional<std::uint32_t> launchedBy;
};
TViewerOptions ParseViewerOptions(const std::vector<std::string>& args);

/// "hh:mm:ss.zzz" of a local day count.
std::string FormatTraceTime(double dayCount);
/// time, process, thread, tag and text separated by tabs; tabs and line ends
/// in the tag and text become spaces.
std::string FormatTraceLine(const TTraceRecordFields& record);

class TTraceViewerQueue {
  public:
    /// The queue area's size: room for a few hundred full records.
    static const std::uint32_t kQueueSize = 1 << 20;
    static const std::uint32_t kQueueOffset = 64;

    TTraceViewerQueue(ISharedMemory& memory, IEvents& events);

    /// Makes the shared objects in the "Global\" namespace or, where this user
    /// may not make objects there, in "Local\". False when another viewer owns
    /// them already (`anotherViewer`) or they cannot be made in either.
    bool Create(bool& anotherViewer);
    /// Sets the start event of the process that launched this viewer, in each
    /// namespace that has one.
    void AnswerLaunch();

    /// Waits up to `timeoutMs` for the queue event, takes every unread record
    /// in order and sets the flush event.
    std::vector<TTraceRecordFields> WaitAndTake(unsigned timeoutMs);
    /// Takes every unread record now, without waiting.
    std::vector<TTraceRecordFields> Take();

    void Publish(const TTraceFilter& filter);

  private:
    bool CreateIn(TraceNamespace space, bool& anotherViewer);
    void Close();

    IEvents& events_;
    ISharedMemory& memory_;
    std::unique_ptr<ISharedView> view_;
    std::unique_ptr<INamedMutex> mutex_;
    std::unique_ptr<INamedEvent> queueEvent_;
    std::unique_ptr<INamedEvent> flushEvent_;
};

}  // namespace tallow
