// Collects the debug trace's lines while it lives, for tests that check what a
// routine traces and in which order.
#pragma once

#include <string>
#include <vector>

#include "diagnostics/TraceSender.h"

namespace tallow {

/// Installs itself as the trace's sink and gives the replaced sink back when it
/// ends, so captures nest.
class ScopedTraceCapture : public ITraceSink {
  public:
    ScopedTraceCapture() : previous_(DebugTrace().SetSink(this)) {}
    ~ScopedTraceCapture() override { DebugTrace().SetSink(previous_); }
    ScopedTraceCapture(const ScopedTraceCapture&) = delete;
    ScopedTraceCapture& operator=(const ScopedTraceCapture&) = delete;

    void TraceLine(const std::string& text, const std::string& tag) override { lines.push_back({text, tag}); }

    struct Line {
        std::string text;
        std::string tag;
    };
    std::vector<Line> lines;

  private:
    ITraceSink* previous_;
};

}  // namespace tallow
