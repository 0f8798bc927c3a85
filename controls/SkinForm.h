// TSkinForm: a windowless control that makes its owner form wear a picture.
// It paints Glyph as the form's face, cuts the form's window to the picture's
// pixels that are not TransparentColor (never the last column), sizes the
// form's client area to the picture, and moves the form when its face is
// dragged with any mouse button: with the left, the system's own move; with
// another, a move of its own that ends when that button is released.
#pragma once

#include "framework/Bitmap.h"
#include "framework/Control.h"
#include "framework/Form.h"

namespace controls {

// Replaces the window's region by the shape of the bitmap's pixels that are
// not exactly transparentColor, less the last column, built from horizontal runs.
void SetWindowRegionFromBitmap(HWND wnd, const fw::Bitmap& bitmap, fw::Color transparentColor);
// The region SetWindowRegionFromBitmap gives the window, still owned by the caller.
fw::UniqueRgn CreateRegionFromBitmap(const fw::Bitmap& bitmap, fw::Color transparentColor);

class TSkinForm : public fw::Control {
public:
    explicit TSkinForm(fw::Control* owner);
    ~TSkinForm() override;

    // Reading gives the control's own bitmap; changing it in place applies
    // nothing until the next assignment.
    fw::Bitmap& Glyph() noexcept { return glyph_; }
    // Copies the bitmap (null empties the glyph), applies the skin, repaints.
    void SetGlyph(const fw::Bitmap* bitmap);
    fw::Color TransparentColor() const noexcept { return transparentColor_; }
    // Stores the colour (no comparison with the old one), applies the skin, repaints.
    void SetTransparentColor(fw::Color c);
    fw::Form* OwnerForm() const noexcept { return ownerForm_; }

    fw::NotifyEvent OnRegionChanged;
    fw::NotifyEvent OnPaint;

    void Paint(fw::Canvas& canvas) override;
    void MouseDown(fw::MouseButton button, fw::ShiftState shift, int x, int y) override;
    LRESULT Perform(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void ApplySkin();
    void RepaintNow();
    void DragWith(fw::MouseButton button);

    fw::Form* ownerForm_ = nullptr;
    fw::Bitmap glyph_;
    fw::Color transparentColor_ = 0;
};

} // namespace controls
