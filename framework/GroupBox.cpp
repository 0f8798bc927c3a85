#include "GroupBox.h"

#include "SystemControl.h"

namespace fw {

GroupBox::GroupBox(Control* owner) : WinControl(owner) {}

void GroupBox::CreateParamsFor(CreateParams& p) {
    InitCommonControlClasses(ICC_STANDARD_CLASSES);
    WinControl::CreateParamsFor(p);
    p.systemClass = WC_BUTTONW;
    p.style |= BS_GROUPBOX | WS_CLIPCHILDREN;
    p.caption.clear();
}

LRESULT GroupBox::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_ERASEBKGND:
        return 1; // the paint below covers the whole client area
    case WM_PAINT: {
        // The system frame and the windowless children go into the buffer, then one blit.
        PaintDC pdc(HandleIfAllocated());
        const RECT r = ClientRect();
        Buffer().Paint(pdc.get(), SIZE{r.right, r.bottom}, r, [&](Canvas& buffer) {
            // A themed group box is see-through: what lies under it is the parent's face.
            if (!DrawThemedParentBackground(HandleIfAllocated(), buffer.Handle()))
                EraseBackground(buffer);
            DefWndProc(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(buffer.Handle()), PRF_CLIENT);
            PaintControls(buffer.Handle(), nullptr);
        });
        return 0;
    }
    default:
        return WinControl::WndProc(msg, wp, lp);
    }
}

} // namespace fw
