#include "PageControl.h"

#include "Form.h"

#include <algorithm>

namespace fw {

PageControl::PageControl(Control* owner) : WinControl(owner) {
    SetTabStop(true);
}

PageControl::~PageControl() {
    // The sheets go first (they unregister themselves), then the window, then its font.
    DestroyChildren();
    DestroyHandle();
}

TabSheet* PageControl::Page(int index) const noexcept {
    return index >= 0 && index < PageCount() ? pages_[static_cast<size_t>(index)] : nullptr;
}

int PageControl::ActivePageIndex() const noexcept {
    const auto it = std::find(pages_.begin(), pages_.end(), active_);
    return it == pages_.end() ? -1 : static_cast<int>(it - pages_.begin());
}

void PageControl::CreateParamsFor(CreateParams& p) {
    InitCommonControlClasses(ICC_TAB_CLASSES);
    WinControl::CreateParamsFor(p);
    p.systemClass = WC_TABCONTROLW;
    p.style |= WS_CLIPCHILDREN | WS_TABSTOP;
    p.caption.clear();
}

void PageControl::CreateWnd() {
    HWND h = HandleIfAllocated();
    font_.Apply(h, GetFont());
    for (size_t i = 0; i < pages_.size(); ++i) {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<wchar_t*>(pages_[i]->Text().c_str());
        TabCtrl_InsertItem(h, static_cast<int>(i), &item);
    }
    if (active_)
        TabCtrl_SetCurSel(h, ActivePageIndex());
}

void PageControl::FontChanged() {
    if (HWND h = HandleIfAllocated()) {
        font_.Apply(h, GetFont());
        PlaceSheets(); // the tab height follows the font
    }
}

RECT PageControl::DisplayRect() {
    RECT r = ClientRect();
    if (HWND h = HandleIfAllocated())
        TabCtrl_AdjustRect(h, FALSE, &r);
    return r;
}

void PageControl::AddPage(TabSheet* page) {
    pages_.push_back(page);
    if (HWND h = HandleIfAllocated()) {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<wchar_t*>(page->Text().c_str());
        TabCtrl_InsertItem(h, PageCount() - 1, &item);
    }
    // The first page is shown until another is chosen.
    if (!active_)
        active_ = page;
    ShowActivePage();
}

void PageControl::RemovePage(TabSheet* page) noexcept {
    const auto it = std::find(pages_.begin(), pages_.end(), page);
    if (it == pages_.end())
        return;
    const int index = static_cast<int>(it - pages_.begin());
    pages_.erase(it);
    if (HWND h = HandleIfAllocated())
        TabCtrl_DeleteItem(h, index);
    if (active_ == page) {
        active_ = pages_.empty() ? nullptr : pages_[static_cast<size_t>(std::min(index, PageCount() - 1))];
        try {
            ShowActivePage();
        } catch (...) {
            // Only window calls below; nothing to undo while a sheet goes away.
        }
    }
}

void PageControl::PageTextChanged(TabSheet* page) {
    HWND h = HandleIfAllocated();
    const auto it = std::find(pages_.begin(), pages_.end(), page);
    if (!h || it == pages_.end())
        return;
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<wchar_t*>(page->Text().c_str());
    TabCtrl_SetItem(h, static_cast<int>(it - pages_.begin()), &item);
    PlaceSheets();
}

void PageControl::SetActivePage(TabSheet* page) {
    if (page == active_ || (page && page->GetPageControl() != this))
        return;
    // The focus must not stay on a sheet that is about to be hidden.
    Form* form = ParentForm();
    if (active_ && form && form->FocusedControl()) {
        for (const Control* c = form->FocusedControl(); c; c = c->Parent())
            if (c == active_) {
                if (CanFocus())
                    SetFocus();
                break;
            }
    }
    active_ = page;
    ShowActivePage();
}

void PageControl::SelectNextPage(bool forward) {
    if (pages_.empty())
        return;
    const int n = PageCount();
    const int i = ActivePageIndex();
    SetActivePage(Page(((i < 0 ? 0 : i + (forward ? 1 : -1)) % n + n) % n));
}

void PageControl::ShowActivePage() {
    if (HWND h = HandleIfAllocated(); h && active_ && TabCtrl_GetCurSel(h) != ActivePageIndex())
        TabCtrl_SetCurSel(h, ActivePageIndex());
    PlaceSheets();
    // Show the new sheet before hiding the old one, so nothing behind them flashes.
    if (active_)
        active_->SetVisible(true);
    for (TabSheet* p : pages_)
        if (p != active_)
            p->SetVisible(false);
}

void PageControl::PlaceSheets() {
    if (!HandleAllocated())
        return;
    const RECT r = DisplayRect();
    for (TabSheet* p : pages_)
        p->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

bool PageControl::DialogKey(WORD key, ShiftState shift) {
    if (key == VK_TAB && (shift & ssCtrl) && HandleAllocated()) {
        HWND focus = ::GetFocus();
        if (focus == HandleIfAllocated() || ::IsChild(HandleIfAllocated(), focus)) {
            SelectNextPage(!(shift & ssShift));
            return true;
        }
    }
    return WinControl::DialogKey(key, shift);
}

LRESULT PageControl::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_SIZE) {
        const LRESULT r = WinControl::WndProc(msg, wp, lp);
        PlaceSheets();
        return r;
    }
    return WinControl::WndProc(msg, wp, lp);
}

bool PageControl::Reflected(UINT msg, WPARAM, LPARAM lp, LRESULT& result) {
    if (msg != WM_NOTIFY)
        return false;
    const auto* hdr = reinterpret_cast<const NMHDR*>(lp);
    if (hdr->code == TCN_SELCHANGE) {
        SetActivePage(Page(TabCtrl_GetCurSel(HandleIfAllocated())));
        result = 0;
        return true;
    }
    return false;
}

TabSheet::TabSheet(Control* owner) : WinControl(owner) {
    SetVisibleFlag(false);
}

TabSheet::~TabSheet() {
    DestroyChildren();
    DestroyHandle();
    if (pageControl_)
        pageControl_->RemovePage(this);
}

int TabSheet::PageIndex() const noexcept {
    if (!pageControl_)
        return -1;
    const auto& pages = pageControl_->pages_;
    const auto it = std::find(pages.begin(), pages.end(), this);
    return it == pages.end() ? -1 : static_cast<int>(it - pages.begin());
}

void TabSheet::SetParent(Control* parent) {
    if (pageControl_)
        pageControl_->RemovePage(this);
    WinControl::SetParent(parent);
    pageControl_ = dynamic_cast<PageControl*>(parent);
    if (pageControl_)
        pageControl_->AddPage(this);
}

void TabSheet::CreateParamsFor(CreateParams& p) {
    WinControl::CreateParamsFor(p);
    p.className = L"OrvalisTabSheet";
    p.style |= WS_CLIPCHILDREN;
    if (pageControl_) {
        const RECT r = pageControl_->DisplayRect();
        p.x = r.left;
        p.y = r.top;
        p.width = r.right - r.left;
        p.height = r.bottom - r.top;
    }
}

void TabSheet::EraseBackground(Canvas& canvas) {
    if (!pageControl_ || !DrawThemedParentBackground(HandleIfAllocated(), canvas.Handle()))
        WinControl::EraseBackground(canvas);
}

void TabSheet::TextChanged() {
    if (pageControl_)
        pageControl_->PageTextChanged(this);
}

} // namespace fw
