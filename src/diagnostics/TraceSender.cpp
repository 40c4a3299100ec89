#include "diagnostics/TraceSender.h"

namespace tallow {

void TTraceSender::Trace(const std::string& text) {
    TraceWithTag(text, std::string());
}

void TTraceSender::TraceWithTag(const std::string& text, const std::string& tag) {
    if (text.empty() || !Enabled) {
        return;
    }
    std::lock_guard<std::mutex> lock(mutex_);
    if (sink_) {
        sink_->TraceLine(text, tag);
    }
}

void TTraceSender::SetSink(ITraceSink* sink) {
    std::lock_guard<std::mutex> lock(mutex_);
    sink_ = sink;
}

TTraceSender& DebugTrace() {
    static TTraceSender sender;
    return sender;
}

namespace {
ITraceSink* g_previousSink = nullptr;
}

ScopedTraceCapture::ScopedTraceCapture() {
    g_previousSink = nullptr;
    DebugTrace().SetSink(this);
}

ScopedTraceCapture::~ScopedTraceCapture() {
    DebugTrace().SetSink(g_previousSink);
}

void ScopedTraceCapture::TraceLine(const std::string& text, const std::string& tag) {
    lines.push_back({text, tag});
}

}  // namespace tallow
