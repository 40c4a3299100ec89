// Text measuring for controls that size themselves (auto-size labels, dialog
// layout). The window layer installs GDI measuring; without it an estimate is used.
#pragma once

#include <functional>
#include <string>

#include "toolkit/controls/Geometry.h"

namespace tallow {

using TTextMeasurer =
    std::function<TSize(const std::string& text, const TFontSpec& font, int wrapWidth, unsigned flags)>;

void SetTextMeasurer(TTextMeasurer measurer);
// Width and height of `text`; wrapWidth > 0 wraps at that width.
TSize MeasureText(const std::string& text, const TFontSpec& font, int wrapWidth, unsigned flags);
// The estimate used without a window layer: average glyph width 0.55 em.
TSize EstimateText(const std::string& text, const TFontSpec& font, int wrapWidth);

}  // namespace tallow
