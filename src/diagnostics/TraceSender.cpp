#include "diagnostics/TraceSender.h"

#include "platform/Platform.h"

namespace tallow {

void TTraceSender::Trace(const std::string& text) {
    TraceWithTag(text, std::string());
}

void TTraceSender::TraceWithTag(const std::string& text, const std::string& tag) {
    if (text.empty()) {
        return;
    }
    std::lock_guard<std::mutex> lock(mutex_);
    if (source_.process) {
        threadDepths_.emplace(source_.process->CurrentThreadId(), 0);
    }
    if (AutoStartViewer && !ViewerLaunchTried && channel_) {
        channel_->LaunchViewer();
        ViewerLaunchTried = true;
    }
    if (!Enabled) {
        return;
    }
    if (sink_) {
        sink_->TraceLine(text, tag);
    }
    SendToChannel(text, tag);
}

void TTraceSender::SendToChannel(const std::string& text, const std::string& tag) {
    if (!channel_ || !channel_->ChannelActive || !channel_->EnsureConnected()) {
        return;
    }
    if (channel_->ViewerFilterChanged()) {
        channel_->ReadViewerFilter(Filter);
    }
    if (!Filter.Passes(kTraceDefaultLevel, kTraceDefaultMessageType, tag)) {
        return;
    }
    TTraceRecordFields fields;
    fields.processId = source_.process->CurrentProcessId();
    fields.threadId = source_.process->CurrentThreadId();
    fields.tag = tag;
    fields.timeStamp = source_.clock->Now();
    fields.text = text;
    BuildTraceRecord(fields, record_);
    if (channel_->ChannelActive && channel_->EnsureConnected()) {
        channel_->SendRecord(record_.bytes.data(), record_.size);
    }
}

std::unique_ptr<TTraceChannel> TTraceSender::Connect(std::unique_ptr<TTraceChannel> channel,
                                                     const TTraceSource& source) {
    std::lock_guard<std::mutex> lock(mutex_);
    std::swap(channel_, channel);
    source_ = channel_ ? source : TTraceSource{};
    return channel;
}

ITraceSink* TTraceSender::SetSink(ITraceSink* sink) {
    std::lock_guard<std::mutex> lock(mutex_);
    ITraceSink* previous = sink_;
    sink_ = sink;
    return previous;
}

std::map<std::uint32_t, int> TTraceSender::ThreadDepths() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return threadDepths_;
}

TTraceSender& DebugTrace() {
    static TTraceSender sender;
    return sender;
}

TScopedTraceConnection::TScopedTraceConnection(const TPlatform& platform) {
    const TTraceServices services = TTraceServices::From(platform);
    if (services.usable() && platform.clock) {
        DebugTrace().Connect(std::make_unique<TMapFileChannel>(services, true),
                             TTraceSource{platform.process, platform.clock});
        connected_ = true;
    }
}

TScopedTraceConnection::~TScopedTraceConnection() {
    if (connected_) {
        DebugTrace().Connect(nullptr, {});
    }
}

}  // namespace tallow
