// A tabbed page control: the system's tab control with one TabSheet per tab.
// The sheets are windows of ours inside the tab control's display area; only
// the active one is shown. Clicking a tab, the arrow keys on the focused tabs
// (the system control's own keys) and Ctrl+Tab switch pages.
#pragma once

#include "SystemControl.h"
#include "WinControl.h"

#include <vector>

namespace fw {

class TabSheet;

class PageControl : public WinControl {
public:
    explicit PageControl(Control* owner);
    ~PageControl() override;

    int PageCount() const noexcept { return static_cast<int>(pages_.size()); }
    TabSheet* Page(int index) const noexcept;
    TabSheet* ActivePage() const noexcept { return active_; }
    int ActivePageIndex() const noexcept;
    void SetActivePage(TabSheet* page);
    void SelectNextPage(bool forward);
    // The area the sheets fill, in the page control's client coordinates.
    RECT DisplayRect();

    bool DialogKey(WORD key, ShiftState shift) override;

protected:
    void CreateParamsFor(CreateParams& p) override;
    void CreateWnd() override;
    void FontChanged() override;
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
    bool Reflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

private:
    friend class TabSheet;
    void AddPage(TabSheet* page);
    void RemovePage(TabSheet* page) noexcept;
    void PageTextChanged(TabSheet* page);
    // Shows the active sheet, hides the others, selects its tab.
    void ShowActivePage();
    void PlaceSheets();

    std::vector<TabSheet*> pages_;
    TabSheet* active_ = nullptr;
    WindowFont font_;
};

// One page of a PageControl; its text is the tab's caption.
class TabSheet : public WinControl {
public:
    explicit TabSheet(Control* owner);
    ~TabSheet() override;

    PageControl* GetPageControl() const noexcept { return pageControl_; }
    int PageIndex() const noexcept;

protected:
    void SetParent(Control* parent) override;
    void CreateParamsFor(CreateParams& p) override;
    void TextChanged() override;
    // With visual styles the page shows the tab control's pane, as the frame around it does.
    void EraseBackground(Canvas& canvas) override;

private:
    PageControl* pageControl_ = nullptr;
};

} // namespace fw
