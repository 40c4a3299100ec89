// TTimer: fires OnTimer every Interval milliseconds while Enabled, on the
// user-interface thread. The window layer provides the ticking.
#pragma once

#include <functional>

#include "components/Component.h"
#include "toolkit/controls/Control.h"

namespace tallow {

class TTimer;

class ITimerService {
  public:
    virtual ~ITimerService() = default;
    virtual void Start(TTimer& timer, unsigned intervalMs) = 0;
    virtual void Stop(TTimer& timer) = 0;
};

void SetTimerService(ITimerService* service);

class TTimer : public TComponent {
    TALLOW_CLASS(TTimer, TComponent)

    explicit TTimer(TComponent* owner);
    ~TTimer() override;
    void PublishProperties(PropertyList& out) override;

    unsigned Interval() const { return interval_; }
    void SetInterval(unsigned ms);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool on);

    TComponentEvent OnTimer;
    // Called by the timer service on each tick.
    void Tick();
    void Loaded() override;

  private:
    void Update();
    unsigned interval_ = 1000;
    bool enabled_ = true;
    bool running_ = false;
};

}  // namespace tallow
