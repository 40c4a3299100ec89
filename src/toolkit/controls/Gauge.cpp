#include "toolkit/controls/Gauge.h"

#include <algorithm>
#include <cstdint>

namespace tallow {

int GaugeFillWidth(int minValue, int maxValue, int value, int width) {
    if (maxValue <= minValue || width <= 0)
        return 0;
    int64_t span = int64_t(maxValue) - minValue;
    int64_t done = std::clamp<int64_t>(int64_t(value) - minValue, 0, span);
    return int(done * width / span);
}

TskGauge::TskGauge(TComponent* owner) : TskControl(owner) {}

void TskGauge::PublishProperties(PropertyList& out) {
    TskControl::PublishProperties(out);
    out.Integer<TskGauge>("MinValue", "Integer", &TskGauge::MinValue, &TskGauge::SetMinValue);
    out.Integer<TskGauge>("MaxValue", "Integer", &TskGauge::MaxValue, &TskGauge::SetMaxValue);
    out.Integer<TskGauge>("Value", "Integer", &TskGauge::Value, &TskGauge::SetValue);
}

void TskGauge::SetMinValue(int v) {
    min_ = v;
    max_ = std::max(max_, min_);
    SetValue(value_);
    Invalidate();
}

void TskGauge::SetMaxValue(int v) {
    max_ = v;
    min_ = std::min(min_, max_);
    SetValue(value_);
    Invalidate();
}

void TskGauge::SetValue(int v) {
    int clamped = std::clamp(v, min_, max_);
    if (clamped == value_)
        return;
    value_ = clamped;
    Invalidate();
}

void TskGauge::StepBy(int delta) {
    int64_t v = std::clamp<int64_t>(int64_t(value_) + delta, min_, max_);
    SetValue(int(v));
}

void TskGauge::Paint(ICanvas& canvas) {
    const TSkinPalette p = Palette();
    TRect r = ClientRect();
    canvas.FillRect(r, BackgroundColor());
    canvas.RoundRect(r, p.ButtonRadius, p.GaugeBackground, p.GaugeBorder);
    TRect inner = r.Inflated(-2, -2);
    int fill = GaugeFillWidth(min_, max_, value_, inner.Width());
    if (fill <= 0)
        return;
    TRect bar{inner.Left, inner.Top, inner.Left + fill, inner.Bottom};
    canvas.GradientV(bar, Blend(p.GaugeBar, Rgb(255, 255, 255), 80), Blend(p.GaugeBar, Rgb(0, 0, 0), 30));
    canvas.Line({bar.Left, bar.Top}, {bar.Right, bar.Top}, Blend(p.GaugeBar, Rgb(255, 255, 255), 150));
}

}  // namespace tallow
