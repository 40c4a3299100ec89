// Text labels: plain (TskLabel), with a soft shadow (TskShadowLabel) and the
// link label that opens its target address when clicked (TskLinkLabel).
#pragma once

#include <functional>
#include <string>

#include "toolkit/controls/Control.h"

namespace tallow {

constexpr TColor clDefault = 0xFF000000;  // "use the skin's text colour"

class TskLabel : public TskControl {
    TALLOW_CLASS(TskLabel, TskControl)

    explicit TskLabel(TComponent* owner);
    void PublishProperties(PropertyList& out) override;
    const char* WindowClassName() const override { return "TallowLabel"; }

    TColor Color() const { return color_; }
    void SetColor(TColor c);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool on);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool on);
    // Horizontal alignment flag of the caption (tfLeft, tfCenter, tfRight).
    unsigned Alignment() const { return alignment_; }
    void SetAlignment(unsigned a);

    void Paint(ICanvas& canvas) override;
    // Resizes to the caption when AutoSize is on (word-wrapped labels keep their width).
    virtual void AdjustSize();

  protected:
    void CaptionChanged() override { AdjustSize(); }
    TColor TextColor() const;
    unsigned TextFlags() const;
    // Extra room the text needs around it (the shadow of a shadowed label).
    virtual int Margin() const { return 0; }

  private:
    TColor color_ = clDefault;
    bool autoSize_ = false;
    bool wordWrap_ = false;
    unsigned alignment_ = tfLeft;
};

class TskShadowLabel : public TskLabel {
    TALLOW_CLASS(TskShadowLabel, TskLabel)

    explicit TskShadowLabel(TComponent* owner);
    void PublishProperties(PropertyList& out) override;
    const char* WindowClassName() const override { return "TallowShadowLabel"; }

    // clDefault (the default) takes the skin's shadow colour.
    TColor ShadowColor() const { return shadowColor_; }
    void SetShadowColor(TColor c);
    int ShadowSize() const { return shadowSize_; }
    void SetShadowSize(int s);
    int ShadowOffset() const { return shadowOffset_; }
    void SetShadowOffset(int o);

    void Paint(ICanvas& canvas) override;

  protected:
    int Margin() const override { return shadowSize_ + shadowOffset_; }

  private:
    TColor shadowColor_ = clDefault;  // the skin's shadow colour
    int shadowSize_ = 1;
    int shadowOffset_ = 1;
};

// Opens an address with the shell; the window layer installs the real one.
using TUrlOpener = std::function<void(const std::string& url)>;
void SetUrlOpener(TUrlOpener opener);

class TskLinkLabel : public TskLabel {
    TALLOW_CLASS(TskLinkLabel, TskLabel)

    explicit TskLinkLabel(TComponent* owner);
    void PublishProperties(PropertyList& out) override;
    const char* WindowClassName() const override { return "TallowLinkLabel"; }

    const std::string& URL() const { return url_; }
    void SetURL(const std::string& url) { url_ = url; }

    TCursorKind Cursor() const override { return TCursorKind::Hand; }
    // Opens the target address when it is a web address (SafeWebAddress, in its
    // encoded form); any other address, an empty one included, does nothing.
    void Click() override;
    void Paint(ICanvas& canvas) override;

  private:
    std::string url_;
};

}  // namespace tallow
