// The debug trace: short text lines sent to an external viewer in debug mode.
//
// `DebugTrace()` is the process-wide sender. Outside debug mode (`Enabled`
// false) a trace call costs a few flag tests. In debug mode the runner gives
// the sender its channel to the viewer (`Connect`); every line then goes to
// the viewer's shared-memory queue as one trace record. Tests may also install
// a sink, which receives every line an enabled sender sends, in order.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "diagnostics/TraceChannel.h"
#include "diagnostics/TraceRecord.h"

namespace tallow {

class IClock;

/// Receives every line that an enabled sender sends.
class ITraceSink {
  public:
    virtual ~ITraceSink() = default;
    virtual void TraceLine(const std::string& text, const std::string& tag) = 0;
};

/// Where the records' process and thread ids and time stamps come from.
struct TTraceSource {
    const IProcessInfo* process = nullptr;
    const IClock* clock = nullptr;
};

class TTraceSender {
  public:
    bool Enabled = true;
    bool AutoStartViewer = true;
    /// Set once the viewer was launched (or tried): one launch per process.
    bool ViewerLaunchTried = false;
    TTraceFilter Filter;

    /// Sends `text` with the default level and message type and an empty tag.
    /// An empty text sends nothing.
    void Trace(const std::string& text);
    /// The same with `tag` (its first 8 bytes travel).
    void TraceWithTag(const std::string& text, const std::string& tag);

    /// Gives the sender its channel (nullptr: none) and returns the one it replaces.
    std::unique_ptr<TTraceChannel> Connect(std::unique_ptr<TTraceChannel> channel, const TTraceSource& source);

    /// Installs the sink that receives the lines (nullptr: none) and returns the
    /// one it replaces. Not owned.
    ITraceSink* SetSink(ITraceSink* sink);

    /// The thread ids that traced so far, with their nesting depth (always 0).
    std::map<std::uint32_t, int> ThreadDepths() const;

  private:
    void SendToChannel(const std::string& text, const std::string& tag);

    mutable std::mutex mutex_;  // the sink, the channel and the depth table
    ITraceSink* sink_ = nullptr;
    std::unique_ptr<TTraceChannel> channel_;
    TTraceSource source_;
    std::map<std::uint32_t, int> threadDepths_;
    TTraceRecord record_;  // built under the lock; too large for every caller's stack
};

/// The process-wide sender, constructed on first use.
TTraceSender& DebugTrace();

/// Gives the process-wide sender the viewer's channel over `platform` while it
/// lives (when the platform has the services), and takes it back after.
class TScopedTraceConnection {
  public:
    explicit TScopedTraceConnection(const TPlatform& platform);
    ~TScopedTraceConnection();
    TScopedTraceConnection(const TScopedTraceConnection&) = delete;
    TScopedTraceConnection& operator=(const TScopedTraceConnection&) = delete;

  private:
    bool connected_ = false;
};

}  // namespace tallow
