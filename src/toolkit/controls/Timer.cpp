#include "toolkit/controls/Timer.h"

namespace tallow {

namespace {
ITimerService*& Service() {
    static ITimerService* service = nullptr;
    return service;
}
}  // namespace

void SetTimerService(ITimerService* service) {
    Service() = service;
}

TTimer::TTimer(TComponent* owner) : TComponent(owner) {}

TTimer::~TTimer() {
    if (running_ && Service() != nullptr)
        Service()->Stop(*this);
}

void TTimer::PublishProperties(PropertyList& out) {
    TComponent::PublishProperties(out);
    out.Integer<TTimer>("Interval", "Cardinal", &TTimer::Interval,
                        [](TTimer& t, int v) { t.SetInterval(v < 0 ? 0u : unsigned(v)); });
    out.Boolean<TTimer>("Enabled", &TTimer::Enabled, &TTimer::SetEnabled);
}

void TTimer::SetInterval(unsigned ms) {
    interval_ = ms;
    Update();
}

void TTimer::SetEnabled(bool on) {
    enabled_ = on;
    Update();
}

void TTimer::Loaded() {
    TComponent::Loaded();
    Update();
}

// Runs only while enabled with a non-zero interval and not loading.
void TTimer::Update() {
    if (Service() == nullptr)
        return;
    if (running_)
        Service()->Stop(*this);
    running_ = enabled_ && interval_ > 0 && !IsLoading();
    if (running_)
        Service()->Start(*this, interval_);
}

void TTimer::Tick() {
    if (enabled_ && OnTimer)
        OnTimer(this);
}

}  // namespace tallow
