#include "Label.h"

namespace fw {

Label::Label(Control* owner) : Control(owner) {
    SetParentColor(true);
}

void Label::SetTransparent(bool t) {
    if (t == transparent_)
        return;
    transparent_ = t;
    Invalidate();
}

void Label::SetAutoSize(bool a) {
    if (a == autoSize_)
        return;
    autoSize_ = a;
    AdjustBounds();
}

void Label::SetWordWrap(bool w) {
    if (w == wordWrap_)
        return;
    wordWrap_ = w;
    AdjustBounds();
    Invalidate();
}

void Label::SetShowAccelChar(bool s) {
    if (s == showAccelChar_)
        return;
    showAccelChar_ = s;
    AdjustBounds();
    Invalidate();
}

UINT Label::TextFormat() const noexcept {
    UINT f = DT_LEFT | DT_EXPANDTABS;
    if (wordWrap_)
        f |= DT_WORDBREAK;
    if (!showAccelChar_)
        f |= DT_NOPREFIX;
    return f;
}

std::wstring Label::DrawnText() const {
    const std::wstring& t = Text();
    if (t.empty() || (showAccelChar_ && t == L"&"))
        return t + L" ";
    return t;
}

void Label::SetParent(Control* parent) {
    Control::SetParent(parent);
    AdjustBounds();
}

void Label::FontChanged() {
    AdjustBounds();
    Invalidate();
}

void Label::TextChanged() {
    AdjustBounds();
}

void Label::AdjustBounds() {
    if (!autoSize_)
        return;
    WindowDC screen(nullptr);
    Canvas canvas(screen.get());
    canvas.SetFont(GetFont());
    RECT r{0, 0, wordWrap_ ? Width() : 0, 0};
    canvas.DrawText(DrawnText(), r, TextFormat() | DT_CALCRECT);
    SetBounds(Left(), Top(), wordWrap_ ? Width() : r.right - r.left, r.bottom - r.top);
}

void Label::Paint(Canvas& canvas) {
    RECT r = ClientRect();
    if (!transparent_)
        canvas.FillRect(r, GetColor());
    canvas.SetBrushClear(true);
    if (Enabled()) {
        canvas.DrawText(DrawnText(), r, TextFormat());
        if (FocusCue()) {
            // The dots take the DC's colours: black on white, inverted over the text.
            ::SetTextColor(canvas.Handle(), RGB(0, 0, 0));
            ::SetBkColor(canvas.Handle(), RGB(255, 255, 255));
            ::DrawFocusRect(canvas.Handle(), &r);
        }
        return;
    }
    // Disabled text: embossed, a highlight copy one pixel down-right under a shadow copy.
    Font f = GetFont();
    f.color = SystemColor(COLOR_BTNHIGHLIGHT);
    canvas.SetFont(f);
    RECT shadow = r;
    ::OffsetRect(&shadow, 1, 1);
    canvas.DrawText(DrawnText(), shadow, TextFormat());
    f.color = SystemColor(COLOR_BTNSHADOW);
    canvas.SetFont(f);
    canvas.DrawText(DrawnText(), r, TextFormat());
}

} // namespace fw
