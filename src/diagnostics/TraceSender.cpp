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

ITraceSink* TTraceSender::SetSink(ITraceSink* sink) {
    std::lock_guard<std::mutex> lock(mutex_);
    ITraceSink* previous = sink_;
    sink_ = sink;
    return previous;
}

TTraceSender& DebugTrace() {
    static TTraceSender sender;
    return sender;
}

}  // namespace tallow
