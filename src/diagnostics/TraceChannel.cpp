#include "diagnostics/TraceChannel.h"

#include "platform/Platform.h"

namespace tallow {

namespace {

const unsigned kMutexWaitMs = 1000;
const unsigned kFlushWaitMs = 100;
const unsigned kStartWaitMs = 5000;

std::string Quoted(const std::string& path) {
    return path.find(' ') == std::string::npos ? path : "\"" + path + "\"";
}

std::string FolderOf(const std::string& file) {
    const std::size_t slash = file.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : file.substr(0, slash + 1);
}

}  // namespace

TTraceServices TTraceServices::From(const TPlatform& platform) {
    TTraceServices services;
    services.sharedMemory = platform.sharedMemory;
    services.events = platform.events;
    services.registry = platform.registry;
    services.process = platform.process;
    services.starter = platform.starter;
    return services;
}

TMapFileChannel::TMapFileChannel(const TTraceServices& services, bool waitForViewer, TTraceErrorHook errorHook)
    : TTraceChannel(waitForViewer), services_(services), errorHook_(std::move(errorHook)) {
    UpdateFlushEvent();
}

TMapFileChannel::~TMapFileChannel() {
    CloseChannel();
}

void TMapFileChannel::Report(const std::string& error) const {
    if (errorHook_) {
        errorHook_(error);
    }
}

void TMapFileChannel::CloseChannel() {
    flushEvent_.reset();
    queueEvent_.reset();
    view_.reset();
}

void TMapFileChannel::UpdateFlushEvent() {
    if (WaitForViewer) {
        flushEvent_ = services_.events->CreateNamedEvent(Name(kTraceFlushEventName), false, false);
    } else {
        flushEvent_.reset();
    }
}

bool TMapFileChannel::ConnectIn(TraceNamespace space) {
    space_ = space;
    view_ = services_.sharedMemory->Open(Name(kTraceMapName));
    if (view_) {
        queueEvent_ = services_.events->OpenNamedEvent(Name(kTraceQueueEventName));
    }
    if (view_ && queueEvent_) {
        UpdateFlushEvent();
        if (TraceHeaderIntact(view_->Data(), view_->Size())) {
            return true;
        }
    }
    CloseChannel();
    return false;
}

bool TMapFileChannel::EnsureConnected() {
    if (view_ && queueEvent_) {
        if (TraceHeaderIntact(view_->Data(), view_->Size())) {
            return true;
        }
        CloseChannel();
        return false;
    }
    for (TraceNamespace space : kTraceNamespaces) {
        if (ConnectIn(space)) {
            return true;
        }
    }
    return false;
}

bool TMapFileChannel::ViewerFilterChanged() {
    return view_ && TraceHeaderIntact(view_->Data(), view_->Size()) &&
           ReadTraceWord(view_->Data() + trace_header::FilterChanged) != 0;
}

void TMapFileChannel::ReadViewerFilter(TTraceFilter& filter) {
    if (view_ && TraceHeaderIntact(view_->Data(), view_->Size())) {
        TakeTraceFilter(view_->Data(), filter);
    }
}

void TMapFileChannel::SendRecord(const std::uint8_t* record, std::uint32_t size) {
    if (!view_) {
        return;
    }
    const std::optional<TTraceQueueArea> area = TraceQueueArea(view_->Data(), view_->Size());
    if (!area || area->size <= size) {
        return;
    }
    std::unique_ptr<INamedMutex> mutex = services_.events->OpenNamedMutex(Name(kTraceQueueMutexName));
    if (!mutex) {
        Report("Mutex Opened Error.");
        CloseChannel();
        return;
    }
    if (mutex->Acquire(kMutexWaitMs).outcome != WaitOutcome::Signalled) {
        Report("Mutex Obtained Error.");
        return;
    }
    try {
        AppendTraceRecord(view_->Data(), view_->Size(), record, size);
        mutex->Release();
        mutex.reset();
        queueEvent_->Set();
        if (WaitForViewer && flushEvent_) {
            const TWaitResult flushed = flushEvent_->Wait(kFlushWaitMs);
            if (flushed.outcome == WaitOutcome::Failed) {
                Report(flushed.errorText);
            }
        }
    } catch (...) {
        if (mutex) {
            mutex->Release();
        }
        CloseChannel();
    }
}

std::string TMapFileChannel::ViewerPath() const {
    const std::string viewer =
        services_.registry->ReadString(RegistryRoot::CurrentUser, "Software\\TraceView", "TraceViewer").value_or("");
    return viewer.empty() ? FolderOf(services_.process->ModuleFileName()) + "TraceViewer.exe" : viewer;
}

std::string TMapFileChannel::ViewerCommand() const {
    return Quoted(ViewerPath()) + " -a " + std::to_string(services_.process->CurrentProcessId());
}

void TMapFileChannel::LaunchViewer() {
    std::unique_ptr<INamedEvent> started;
    for (TraceNamespace space : kTraceNamespaces) {
        if (!started) {
            started = services_.events->CreateNamedEvent(TraceObjectName(kTraceStartEventName, space), false, false);
        }
    }
    TProcessRequest request;
    request.application = ViewerPath();
    request.commandLine = ViewerCommand();
    if (services_.starter->Start(request) && started) {
        started->Wait(kStartWaitMs);
    }
}

}  // namespace tallow
