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
        // The system frame and the windowless children go into one buffer, then one blit.
        PaintDC pdc(HandleIfAllocated());
        const RECT r = ClientRect();
        if (r.right <= 0 || r.bottom <= 0)
            return 0;
        MemoryCanvas buffer(r.right, r.bottom, pdc.get());
        // A themed group box is see-through: what lies under it is the parent's face.
        if (!DrawThemedParentBackground(HandleIfAllocated(), buffer.Handle()))
            EraseBackground(buffer);
        DefWndProc(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(buffer.Handle()), PRF_CLIENT);
        PaintControls(buffer.Handle(), nullptr);
        buffer.CopyTo(pdc.get(), 0, 0);
        return 0;
    }
    default:
        return WinControl::WndProc(msg, wp, lp);
    }
}

} // namespace fw
