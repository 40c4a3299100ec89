// Progress gauge with an integer range. The value always lies in [Min, Max]:
// setting it clamps, and moving a bound past it drags it along.
#pragma once

#include "toolkit/controls/Control.h"

namespace tallow {

// Width in pixels of the filled part of a bar `width` wide.
int GaugeFillWidth(int minValue, int maxValue, int value, int width);

class TskGauge : public TskControl {
    TALLOW_CLASS(TskGauge, TskControl)

    explicit TskGauge(TComponent* owner);
    void PublishProperties(PropertyList& out) override;
    const char* WindowClassName() const override { return "TallowGauge"; }

    int MinValue() const { return min_; }
    int MaxValue() const { return max_; }
    int Value() const { return value_; }
    // A minimum above the maximum raises the maximum with it, and the reverse.
    void SetMinValue(int v);
    void SetMaxValue(int v);
    void SetValue(int v);
    // Value + delta, clamped; safe against overflow.
    void StepBy(int delta);

    void Paint(ICanvas& canvas) override;

  private:
    int min_ = 0;
    int max_ = 100;
    int value_ = 0;
};

}  // namespace tallow
