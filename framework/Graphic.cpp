#include "Graphic.h"

#include "core/StoredPicture.h"

#include <stdexcept>

namespace fw {

void Graphic::ReadStoredData(std::span<const std::uint8_t>) {
    throw std::runtime_error("Stored data of " + TypeName() + " cannot be read");
}

void BitmapGraphic::Draw(Canvas& canvas, const RECT& r) const {
    canvas.StretchDraw(r, bitmap_);
}

void BitmapGraphic::ReadStoredData(std::span<const std::uint8_t> data) {
    core::BitmapReadResult result = core::ReadStoredBitmapData(data);
    if (auto* error = std::get_if<core::BitmapReadError>(&result))
        throw std::runtime_error(error->message);
    if (auto* decoded = std::get_if<core::DecodedBitmap>(&result))
        bitmap_.LoadDecoded(*decoded);
    else
        bitmap_.Clear();
}

IconGraphic::IconGraphic(HICON icon) : icon_(icon) {
    ICONINFO info{};
    if (icon && ::GetIconInfo(icon, &info)) {
        UniqueBitmap mask(info.hbmMask), color(info.hbmColor);
        BITMAP bm{};
        ::GetObjectW(mask.get(), sizeof bm, &bm);
        width_ = bm.bmWidth;
        height_ = color ? bm.bmHeight : bm.bmHeight / 2;
    }
}

void IconGraphic::Draw(Canvas& canvas, const RECT& r) const {
    ::DrawIconEx(canvas.Handle(), r.left, r.top, icon_.get(), r.right - r.left, r.bottom - r.top, 0, nullptr,
                 DI_NORMAL);
}

std::unique_ptr<Graphic> IconGraphic::Clone() const {
    return std::make_unique<IconGraphic>(::CopyIcon(icon_.get()));
}

void Picture::CopyToBitmap(Bitmap& bmp) const {
    if (!graphic_) {
        bmp.Clear();
        return;
    }
    if (auto* b = dynamic_cast<const BitmapGraphic*>(graphic_.get())) {
        bmp.Assign(b->GetBitmap());
        return;
    }
    throw std::runtime_error("Cannot assign a " + graphic_->TypeName() + " to a TBitmap");
}

} // namespace fw
