// Containers and decoration: panel, page control with hidden tabs and its tab
// sheets, bevel line.
#pragma once

#include "toolkit/controls/Control.h"

namespace tallow {

class TskPanel : public TskControl {
    TALLOW_CLASS(TskPanel, TskControl)

    explicit TskPanel(TComponent* owner);
    void PublishProperties(PropertyList& out) override;
    const char* WindowClassName() const override { return "TallowPanel"; }

    // clDefault (0xFF000000) keeps the container's colour.
    TColor Color() const { return color_; }
    void SetColor(TColor c);
    bool BorderLine() const { return borderLine_; }
    void SetBorderLine(bool on);

    TColor BackgroundColor() const override;
    void Paint(ICanvas& canvas) override;

  private:
    TColor color_ = 0xFF000000;
    bool borderLine_ = false;
};

class TskPageControl;

class TskTabSheet : public TskControl {
    TALLOW_CLASS(TskTabSheet, TskControl)

    explicit TskTabSheet(TComponent* owner);
    const char* WindowClassName() const override { return "TallowTabSheet"; }
    void PublishProperties(PropertyList& out) override;

    TskPageControl* PageControl() const;
    void SetPageControl(TskPageControl* pages);
    TColor BackgroundColor() const override;
};

// A stack of tab sheets of which only the active one shows. The tabs themselves
// are hidden: buttons elsewhere choose the page.
class TskPageControl : public TskControl {
    TALLOW_CLASS(TskPageControl, TskControl)

    explicit TskPageControl(TComponent* owner);
    const char* WindowClassName() const override { return "TallowPageControl"; }

    TskTabSheet* ActivePage() const { return active_; }
    void SetActivePage(TskTabSheet* page);
    int PageCount() const;
    TskTabSheet* Pages(int index) const;
    // The area a sheet fills, inside the 1-px border.
    TRect SheetRect() const { return ClientRect().Inflated(-1, -1); }

    void SetBounds(int left, int top, int width, int height) override;
    void Paint(ICanvas& canvas) override;

  private:
    friend class TskTabSheet;
    void SheetAdded(TskTabSheet* sheet);
    TskTabSheet* active_ = nullptr;
};

enum class TBevelShape { TopLine, Box };

class TskBevel : public TskControl {
    TALLOW_CLASS(TskBevel, TskControl)

    explicit TskBevel(TComponent* owner);
    const char* WindowClassName() const override { return "TallowBevel"; }

    TBevelShape Shape() const { return shape_; }
    void SetShape(TBevelShape s);
    void Paint(ICanvas& canvas) override;

  private:
    TBevelShape shape_ = TBevelShape::TopLine;
};

}  // namespace tallow
