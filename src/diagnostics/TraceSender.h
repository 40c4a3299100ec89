// The debug trace: short text lines sent to an external viewer in debug mode.
//
// `DebugTrace()` is the process-wide sender. Outside debug mode (`Enabled` false)
// a trace call costs a flag test. Until the shared-memory channel to the viewer
// exists, an enabled sender hands each line to the installed sink, if any; tests
// install a sink to read the lines a routine traces, in order.
#pragma once

#include <mutex>
#include <string>

namespace tallow {

/// Receives every line that an enabled sender sends.
class ITraceSink {
  public:
    virtual ~ITraceSink() = default;
    virtual void TraceLine(const std::string& text, const std::string& tag) = 0;
};

class TTraceSender {
  public:
    bool Enabled = true;
    bool AutoStartViewer = true;

    /// Sends `text` with an empty tag. An empty text sends nothing.
    void Trace(const std::string& text);
    /// Sends `text` with `tag`. An empty text sends nothing.
    void TraceWithTag(const std::string& text, const std::string& tag);

    /// Installs the sink that receives the lines (nullptr: none) and returns the
    /// one it replaces. Not owned.
    ITraceSink* SetSink(ITraceSink* sink);

  private:
    std::mutex mutex_;
    ITraceSink* sink_ = nullptr;
};

/// The process-wide sender, constructed on first use.
TTraceSender& DebugTrace();

}  // namespace tallow
