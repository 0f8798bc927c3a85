#include "Artwork.h"

#include "Common.h"
#include "LauncherLayout.h"
#include "core/Resample.h"
#include "core/Scale.h"
#include "framework/GraphicRegistry.h"
#include "framework/PngResource.h"

#include <iterator>
#include <stdexcept>

namespace ui {

namespace {

// The About picture's size at 100%.
constexpr int kAboutWidth = 175, kAboutHeight = 215;
constexpr char kAboutResource[] = "ABOUTPICTURE";

HINSTANCE Module() {
    return ::GetModuleHandleW(nullptr);
}

// The picture stored at a scale: a bitmap resource at 100%, a PNG one above.
bool LoadStored(fw::Bitmap& bitmap, const std::string& name, int storedDpi) {
    const std::wstring resource = Wide(core::ScaledResourceName(name, storedDpi));
    if (storedDpi == core::kDesignDpi)
        return bitmap.LoadFromResource(Module(), resource.c_str());
    return fw::LoadPngResource(bitmap, Module(), resource.c_str());
}

// The stored picture brought to the size it has at dpi.
fw::Bitmap Resampled(const fw::Bitmap& stored, int designWidth, int designHeight, int dpi,
                     fw::Color transparentColor) {
    fw::Bitmap sized(core::ScaleLength(designWidth, dpi), core::ScaleLength(designHeight, dpi),
                     stored.BitsPerPixel());
    core::ResampleArea(stored.View(), sized.MutableView(), transparentColor);
    return sized;
}

} // namespace

int StoredDpiFor(int dpi) noexcept {
    for (const int stored : core::kStoredDpis)
        if (stored >= dpi)
            return stored;
    return *std::rbegin(core::kStoredDpis);
}

bool LoadScaledBitmap(fw::Bitmap& bitmap, const std::string& name, int designWidth, int designHeight,
                      int dpi) {
    const int stored = StoredDpiFor(dpi);
    if (stored == dpi)
        return LoadStored(bitmap, name, stored);
    fw::Bitmap picture;
    if (!LoadStored(picture, name, stored))
        return false;
    // No colour of the button pictures is the skin's transparent one, so none is left out.
    bitmap = Resampled(picture, designWidth, designHeight, dpi, layout::kSkin.transparentColor);
    return true;
}

bool LoadSkin(fw::Bitmap& bitmap, int dpi) {
    const layout::SkinLayout& skin = layout::kSkin;
    if (!LoadScaledBitmap(bitmap, skin.resource, skin.bounds.width, skin.bounds.height, dpi))
        return false;
    if (StoredDpiFor(dpi) != dpi) {
        // Averaging softens the outline; it is cut again exactly as the design's.
        fw::Bitmap design;
        if (!design.LoadFromResource(Module(), Wide(skin.resource).c_str()))
            return false;
        core::ApplyScaledOutline(bitmap.MutableView(), design.View(), skin.transparentColor, dpi);
    }
    return true;
}

void LoadAboutPicture(fw::Picture& picture, int dpi) {
    const int stored = StoredDpiFor(dpi);
    const std::string name = core::ScaledResourceName(kAboutResource, stored);
    if (stored == core::kDesignDpi && dpi == stored) {
        // The stored form itself: type name, then the bitmap file image.
        HRSRC res = ::FindResourceW(Module(), Wide(name).c_str(), MAKEINTRESOURCEW(10)); // RT_RCDATA
        HGLOBAL data = res ? ::LoadResource(Module(), res) : nullptr;
        const void* bytes = data ? ::LockResource(data) : nullptr;
        if (!bytes)
            throw std::runtime_error("Resource " + name + " not found");
        fw::LoadStoredPicture(picture,
                              {static_cast<const std::uint8_t*>(bytes), ::SizeofResource(Module(), res)});
        return;
    }
    // The other scales hold the same bitmap as a PNG; it goes into a picture of the
    // stored form's type, as reading the stored form would make it.
    fw::Bitmap bitmap;
    if (stored == core::kDesignDpi) {
        fw::Picture design;
        LoadAboutPicture(design, stored);
        const auto* graphic = dynamic_cast<const fw::BitmapGraphic*>(design.GetGraphic());
        if (!graphic)
            throw std::runtime_error("Resource " + name + " holds no bitmap");
        bitmap = graphic->GetBitmap();
    } else if (!fw::LoadPngResource(bitmap, Module(), Wide(name).c_str()) || bitmap.BitsPerPixel() != 32) {
        throw std::runtime_error("Resource " + name + " not found");
    }
    if (stored != dpi)
        bitmap = Resampled(bitmap, kAboutWidth, kAboutHeight, dpi, 0);
    const fw::GraphicTypeEntry* type = fw::GraphicRegistry::Instance().FindByTypeName("TPNGGraphic");
    std::unique_ptr<fw::Graphic> graphic = type ? type->factory() : nullptr;
    auto* alpha = dynamic_cast<fw::BitmapGraphic*>(graphic.get());
    if (!alpha) {
        picture.Clear(); // as a stored picture of an unknown type: empty, no error
        return;
    }
    alpha->GetBitmap() = std::move(bitmap);
    picture.SetGraphic(std::move(graphic));
}

} // namespace ui
