#include "TraceViewerQueue.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace tallow {

TViewerOptions ParseViewerOptions(const std::vector<std::string>& args) {
    TViewerOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "-o" || args[i] == "--stdout") {
            options.toStdout = true;
        } else if ((args[i] == "-a" || args[i] == "/a") && i + 1 < args.size()) {
            options.launchedBy = static_cast<std::uint32_t>(std::strtoul(args[++i].c_str(), nullptr, 10));
        }
    }
    return options;
}

std::string FormatTraceTime(double dayCount) {
    const double fraction = dayCount - std::floor(dayCount);
    long long ms = std::llround(fraction * 86400000.0) % 86400000;
    char text[32];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d.%03d", int(ms / 3600000), int(ms / 60000 % 60),
                  int(ms / 1000 % 60), int(ms % 1000));
    return text;
}

std::string FormatTraceLine(const TTraceRecordFields& record) {
    const auto flat = [](std::string text) {
        for (char& c : text) {
            if (c == '\t' || c == '\r' || c == '\n') {
                c = ' ';
            }
        }
        return text;
    };
    return FormatTraceTime(record.timeStamp) + "\t" + std::to_string(record.processId) + "\t" +
           std::to_string(record.threadId) + "\t" + flat(record.tag) + "\t" + flat(record.text);
}

TTraceViewerQueue::TTraceViewerQueue(ISharedMemory& memory, IEvents& events) : events_(events), memory_(memory) {}

bool TTraceViewerQueue::Create(bool& anotherViewer) {
    anotherViewer = false;
    for (TraceNamespace space : kTraceNamespaces) {
        if (CreateIn(space, anotherViewer)) {
            return true;
        }
        if (anotherViewer) {
            return false;
        }
    }
    return false;
}

bool TTraceViewerQueue::CreateIn(TraceNamespace space, bool& anotherViewer) {
    const auto name = [space](const char* globalName) { return TraceObjectName(globalName, space); };
    // 4 bytes after the queue area: a length word written whole at its end stays in the mapping.
    view_ = memory_.Create(name(kTraceMapName), kQueueOffset + kQueueSize + 4, anotherViewer);
    if (view_) {
        mutex_ = events_.CreateNamedMutex(name(kTraceQueueMutexName));
        queueEvent_ = events_.CreateNamedEvent(name(kTraceQueueEventName), false, false);
        flushEvent_ = events_.CreateNamedEvent(name(kTraceFlushEventName), false, false);
    }
    if (!view_ || !mutex_ || !queueEvent_ || !flushEvent_) {
        Close();
        return false;
    }
    InitTraceHeader(view_->Data(), kQueueOffset + kQueueSize, kQueueOffset);
    return true;
}

void TTraceViewerQueue::Close() {
    flushEvent_.reset();
    queueEvent_.reset();
    mutex_.reset();
    view_.reset();
}

void TTraceViewerQueue::AnswerLaunch() {
    for (TraceNamespace space : kTraceNamespaces) {
        if (std::unique_ptr<INamedEvent> started =
                events_.OpenNamedEvent(TraceObjectName(kTraceStartEventName, space))) {
            started->Set();
        }
    }
}

std::vector<TTraceRecordFields> TTraceViewerQueue::WaitAndTake(unsigned timeoutMs) {
    queueEvent_->Wait(timeoutMs);
    return Take();
}

std::vector<TTraceRecordFields> TTraceViewerQueue::Take() {
    std::vector<TTraceRecordFields> records;
    if (mutex_->Acquire(1000).outcome != WaitOutcome::Signalled) {
        return records;
    }
    DrainTraceQueue(view_->Data(), view_->Size(), [&](const std::uint8_t* record, std::size_t size) {
        if (auto fields = ParseTraceRecord(record, size)) {
            records.push_back(std::move(*fields));
        }
    });
    mutex_->Release();
    if (!records.empty()) {
        flushEvent_->Set();
    }
    return records;
}

void TTraceViewerQueue::Publish(const TTraceFilter& filter) {
    if (mutex_->Acquire(1000).outcome == WaitOutcome::Signalled) {
        PublishTraceFilter(view_->Data(), filter);
        mutex_->Release();
    }
}

}  // namespace tallow
