// Graphics and the picture container that holds at most one of them.
#pragma once

#include "Bitmap.h"
#include "Canvas.h"
#include "Handles.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <utility>

namespace fw {

class Graphic {
public:
    virtual ~Graphic() = default;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual bool Empty() const { return Width() == 0 || Height() == 0; }
    // Draws the graphic into r on the canvas.
    virtual void Draw(Canvas& canvas, const RECT& r) const = 0;
    virtual std::unique_ptr<Graphic> Clone() const = 0;
    // The class name under which the graphic is stored.
    virtual std::string TypeName() const = 0;
    // Reads the type's stored data (what follows the type name); throws
    // std::runtime_error with the reason when the data cannot be read.
    virtual void ReadStoredData(std::span<const std::uint8_t> data);
};

// The ordinary bitmap picture.
class BitmapGraphic : public Graphic {
public:
    BitmapGraphic() = default;
    explicit BitmapGraphic(const Bitmap& b) : bitmap_(b) {}
    explicit BitmapGraphic(Bitmap&& b) noexcept : bitmap_(std::move(b)) {}
    int Width() const override { return bitmap_.Width(); }
    int Height() const override { return bitmap_.Height(); }
    void Draw(Canvas& canvas, const RECT& r) const override;
    std::unique_ptr<Graphic> Clone() const override { return std::make_unique<BitmapGraphic>(*this); }
    std::string TypeName() const override { return "TBitmap"; }
    // Length-prefixed bitmap file image; length 0 gives an empty picture.
    void ReadStoredData(std::span<const std::uint8_t> data) override;

    Bitmap& GetBitmap() noexcept { return bitmap_; }
    const Bitmap& GetBitmap() const noexcept { return bitmap_; }

private:
    Bitmap bitmap_;
};

// An icon, drawn with DrawIconEx; it is no bitmap and cannot become one.
class IconGraphic : public Graphic {
public:
    explicit IconGraphic(HICON icon); // takes ownership
    int Width() const override { return width_; }
    int Height() const override { return height_; }
    void Draw(Canvas& canvas, const RECT& r) const override;
    std::unique_ptr<Graphic> Clone() const override;
    std::string TypeName() const override { return "TIcon"; }
    HICON Handle() const noexcept { return icon_.get(); }

private:
    UniqueIcon icon_;
    int width_ = 0;
    int height_ = 0;
};

// Holds at most one graphic; copying one picture into another copies the graphic.
class Picture {
public:
    Picture() = default;
    Picture(const Picture& o) { Assign(o); }
    Picture& operator=(const Picture& o) {
        if (this != &o)
            Assign(o);
        return *this;
    }

    void Assign(const Picture& o) { graphic_ = o.graphic_ ? o.graphic_->Clone() : nullptr; }
    void SetGraphic(std::unique_ptr<Graphic> g) noexcept { graphic_ = std::move(g); }
    void SetBitmap(const Bitmap& b) { graphic_ = std::make_unique<BitmapGraphic>(b); }
    void SetBitmap(Bitmap&& b) { graphic_ = std::make_unique<BitmapGraphic>(std::move(b)); }
    void Clear() noexcept { graphic_.reset(); }

    // A picture is held as soon as a graphic is, even an empty bitmap.
    bool HasGraphic() const noexcept { return graphic_ != nullptr; }
    Graphic* GetGraphic() const noexcept { return graphic_.get(); }
    int Width() const { return graphic_ ? graphic_->Width() : 0; }
    int Height() const { return graphic_ ? graphic_->Height() : 0; }

    // Copies the held graphic into bmp. Throws std::runtime_error when the
    // graphic is not a bitmap ("Cannot assign a TIcon to a TBitmap").
    void CopyToBitmap(Bitmap& bmp) const;

private:
    std::unique_ptr<Graphic> graphic_;
};

} // namespace fw
