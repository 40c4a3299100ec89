// The transport of the debug trace: a base channel that sends nothing, and the
// channel over the viewer's named shared memory, its queue mutex and events.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "diagnostics/TraceRecord.h"

namespace tallow {

class ISharedMemory;
class ISharedView;
class IEvents;
class INamedEvent;
class IRegistry;
class IProcessInfo;
class IProgramStarter;
struct TPlatform;

/// Receives the trace's own errors ("Mutex Opened Error.", "Mutex Obtained
/// Error." or a system error text). The default discards them: no error of
/// the trace reaches the user or the caller.
using TTraceErrorHook = std::function<void(const std::string&)>;

class TTraceChannel {
  public:
    explicit TTraceChannel(bool waitForViewer) : WaitForViewer(waitForViewer) {}
    virtual ~TTraceChannel() = default;
    TTraceChannel(const TTraceChannel&) = delete;
    TTraceChannel& operator=(const TTraceChannel&) = delete;

    const bool WaitForViewer;
    bool ChannelActive = true;

    virtual void SetChannelActive(bool active) { ChannelActive = active; }
    /// True when the channel can send now, connecting first when it is not.
    virtual bool EnsureConnected() { return false; }
    virtual void UpdateFlushEvent() {}
    virtual void LaunchViewer() {}
    virtual bool ViewerFilterChanged() { return false; }
    virtual void ReadViewerFilter(TTraceFilter&) {}
    virtual void SendRecord(const std::uint8_t*, std::uint32_t) {}
};

/// What the shared-memory channel needs of the platform.
struct TTraceServices {
    ISharedMemory* sharedMemory = nullptr;
    IEvents* events = nullptr;
    const IRegistry* registry = nullptr;
    const IProcessInfo* process = nullptr;
    IProgramStarter* starter = nullptr;

    /// The services of `platform`; `usable` is false when one of them is missing.
    static TTraceServices From(const TPlatform& platform);
    bool usable() const { return sharedMemory && events && registry && process && starter; }
};

class TMapFileChannel : public TTraceChannel {
  public:
    TMapFileChannel(const TTraceServices& services, bool waitForViewer, TTraceErrorHook errorHook = {});
    ~TMapFileChannel() override;

    /// Connects to the viewer's objects in the first namespace (Global, then
    /// Local) where its mapping and queue event open and its header is intact.
    bool EnsureConnected() override;
    /// Makes (or opens) the flush event in the namespace of the connection.
    void UpdateFlushEvent() override;
    /// Starts the viewer with "-a <process id>" and waits up to 5000 ms for its
    /// start event (made in the first namespace that allows it). The viewer is
    /// the registry's "TraceViewer" value under the user's "Software\TraceView"
    /// key, else TraceViewer.exe beside the program.
    void LaunchViewer() override;
    bool ViewerFilterChanged() override;
    void ReadViewerFilter(TTraceFilter& filter) override;
    /// Appends the record under the queue mutex, sets the queue event and, when
    /// waiting for the viewer, waits up to 100 ms for the flush event. A record
    /// the queue cannot hold safely is dropped.
    void SendRecord(const std::uint8_t* record, std::uint32_t size) override;

    /// Closes the flush event, the queue event and the view with its mapping.
    void CloseChannel();

    /// The viewer's program and its command line for this process.
    std::string ViewerPath() const;
    std::string ViewerCommand() const;

  private:
    void Report(const std::string& error) const;
    bool ConnectIn(TraceNamespace space);
    std::string Name(const char* globalName) const { return TraceObjectName(globalName, space_); }

    TTraceServices services_;
    TTraceErrorHook errorHook_;
    TraceNamespace space_ = TraceNamespace::Global;  // of the current or last connection
    std::unique_ptr<ISharedView> view_;
    std::unique_ptr<INamedEvent> queueEvent_;
    std::unique_ptr<INamedEvent> flushEvent_;
};

}  // namespace tallow
