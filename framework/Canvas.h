// A drawing surface over a device context. A Canvas does not own its DC unless
// it is a MemoryCanvas or a BitmapCanvas. Whatever it selects into the DC is
// selected out again before it is freed, by a scoped selection.
#pragma once

#include "Bitmap.h"
#include "Font.h"
#include "Handles.h"

#include <optional>
#include <string>

namespace fw {

class Canvas {
public:
    Canvas() = default;
    explicit Canvas(HDC dc) noexcept : dc_(dc) {}
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;
    virtual ~Canvas();

    HDC Handle() const noexcept { return dc_; }

    // The font used by text calls; selected into the DC until replaced.
    void SetFont(const Font& font);
    const Font& GetFont() const noexcept { return font_; }
    // Solid brush colour for fills; a clear brush style draws text without background.
    void SetBrushColor(Color c) noexcept { brushColor_ = c; }
    Color BrushColor() const noexcept { return brushColor_; }
    void SetBrushClear(bool clear) noexcept { brushClear_ = clear; }
    bool BrushClear() const noexcept { return brushClear_; }

    void FillRect(const RECT& r);
    void FillRect(const RECT& r, Color c);
    void FrameRect(const RECT& r, Color c);
    // Unscaled copy of the bitmap at (x, y); leaves out the transparent colour
    // when the bitmap's Transparent flag is set.
    void Draw(int x, int y, const Bitmap& bmp);
    void StretchDraw(const RECT& r, const Bitmap& bmp);
    // The one picture copy behind both: the bitmap into r, scaled when the sizes
    // differ, without its transparent colour when it is transparent. source is
    // a memory DC to select the bitmap into; callers that copy often keep one,
    // since making it costs more than the copy. Null makes one for this copy.
    void DrawBitmap(const RECT& r, const Bitmap& bmp, HDC source = nullptr);
    // DrawTextW in the current font and font colour; returns the height drawn.
    int DrawText(const std::wstring& text, RECT& r, UINT format);

protected:
    void Attach(HDC dc) noexcept { dc_ = dc; }
    // Puts the DC's own font back and frees ours; owners of the DC call it
    // before the DC goes.
    void ReleaseFont() noexcept { fontSelection_.reset(); }

private:
    HDC dc_ = nullptr;
    Font font_;
    UniqueFont hfont_;
    // Declared after the font it selects, so that it is undone first.
    std::optional<ScopedSelect> fontSelection_;
    Color brushColor_ = clWhite;
    bool brushClear_ = false;
};

// An off-screen buffer: a memory DC with a bitmap compatible with the display
// (or with a given DC). The buffer bitmap is selected out before it is freed.
class MemoryCanvas : public Canvas {
public:
    MemoryCanvas(int width, int height, HDC compatibleWith = nullptr);
    ~MemoryCanvas() override;
    int Width() const noexcept { return width_; }
    int Height() const noexcept { return height_; }

private:
    UniqueDC memDC_;
    UniqueBitmap bitmap_;
    std::optional<ScopedSelect> bitmapSelection_;
    int width_;
    int height_;
};

// A canvas on a Bitmap's pixels (the bitmap stays selected while the canvas lives).
class BitmapCanvas : public Canvas {
public:
    explicit BitmapCanvas(Bitmap& bmp);
    ~BitmapCanvas() override;

private:
    UniqueDC memDC_;
    std::optional<ScopedSelect> bitmapSelection_;
};

} // namespace fw
