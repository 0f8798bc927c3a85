#include "Raster.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <algorithm>
#include <stdexcept>

namespace artgen {

struct Font::Impl {
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    int tracking = 0;
    float embolden = 0;

    ~Impl() {
        if (face) {
            FT_Done_Face(face);
        }
        if (library) {
            FT_Done_FreeType(library);
        }
    }

    FT_GlyphSlot Load(unsigned char ch) const {
        if (FT_Load_Char(face, ch, FT_LOAD_NO_BITMAP | FT_LOAD_TARGET_LIGHT) != 0) {
            throw std::runtime_error("cannot load glyph");
        }
        FT_GlyphSlot glyph = face->glyph;
        if (embolden > 0 && glyph->format == FT_GLYPH_FORMAT_OUTLINE) {
            const auto strength = static_cast<FT_Pos>(embolden * 64);
            FT_Outline_EmboldenXY(&glyph->outline, strength, 0);
            glyph->advance.x += strength;
        }
        if (FT_Render_Glyph(glyph, FT_RENDER_MODE_NORMAL) != 0) {
            throw std::runtime_error("cannot render glyph");
        }
        return glyph;
    }

    long Kerning(unsigned char previous, unsigned char ch) const {
        if (!FT_HAS_KERNING(face) || previous == 0) {
            return 0;
        }
        FT_Vector delta{};
        FT_Get_Kerning(face, FT_Get_Char_Index(face, previous), FT_Get_Char_Index(face, ch),
                       FT_KERNING_DEFAULT, &delta);
        return delta.x >> 6;
    }

    // Calls visit(glyph, penX) for each character, pen advanced with kerning.
    template <typename Visit> int Walk(const std::string& text, Visit visit) const {
        long pen = 0;
        unsigned char previous = 0;
        for (char c : text) {
            const auto ch = static_cast<unsigned char>(c);
            pen += Kerning(previous, ch) + (previous != 0 ? tracking : 0);
            FT_GlyphSlot glyph = Load(ch);
            visit(glyph, static_cast<int>(pen));
            pen += glyph->advance.x >> 6;
            previous = ch;
        }
        return static_cast<int>(pen);
    }
};

Font::Font(const std::filesystem::path& file, int pixelSize, int pixelWidth)
    : impl_(std::make_unique<Impl>()) {
    if (FT_Init_FreeType(&impl_->library) != 0) {
        throw std::runtime_error("cannot start FreeType");
    }
    if (FT_New_Face(impl_->library, file.string().c_str(), 0, &impl_->face) != 0) {
        throw std::runtime_error("cannot open font " + file.string());
    }
    if (FT_Set_Pixel_Sizes(impl_->face, static_cast<FT_UInt>(pixelWidth), static_cast<FT_UInt>(pixelSize)) !=
        0) {
        throw std::runtime_error("cannot size font " + file.string());
    }
}

Font::~Font() = default;

void Font::SetTracking(int pixels) {
    impl_->tracking = pixels;
}

void Font::SetEmbolden(float pixels) {
    impl_->embolden = pixels;
}

int Font::Measure(const std::string& text) const {
    return impl_->Walk(text, [](FT_GlyphSlot, int) {});
}

Box Font::InkBounds(const std::string& text) const {
    Box box{1e9f, 1e9f, -1e9f, -1e9f};
    impl_->Walk(text, [&](FT_GlyphSlot g, int pen) {
        if (g->bitmap.width == 0 || g->bitmap.rows == 0) {
            return;
        }
        const float x0 = static_cast<float>(pen + g->bitmap_left);
        const float y0 = static_cast<float>(-g->bitmap_top);
        box.x0 = std::min(box.x0, x0);
        box.y0 = std::min(box.y0, y0);
        box.x1 = std::max(box.x1, x0 + static_cast<float>(g->bitmap.width));
        box.y1 = std::max(box.y1, y0 + static_cast<float>(g->bitmap.rows));
    });
    return box;
}

Raster Font::Mask(int width, int height, int x, int baseline, const std::string& text) const {
    Raster mask(width, height, Rgb(255, 255, 255, 0));
    impl_->Walk(text, [&](FT_GlyphSlot g, int pen) {
        const FT_Bitmap& bm = g->bitmap;
        for (unsigned row = 0; row < bm.rows; ++row) {
            for (unsigned col = 0; col < bm.width; ++col) {
                const int px = x + pen + g->bitmap_left + static_cast<int>(col);
                const int py = baseline - g->bitmap_top + static_cast<int>(row);
                if (!mask.Contains(px, py)) {
                    continue;
                }
                const float value = bm.buffer[row * static_cast<unsigned>(bm.pitch) + col] / 255.0f;
                Color& m = mask.At(px, py);
                m.a = std::min(1.0f, m.a + value);
            }
        }
    });
    return mask;
}

void Font::Draw(Raster& target, int x, int baseline, const std::string& text, const Paint& paint,
                float opacity) const {
    const Raster mask = Mask(target.Width(), target.Height(), x, baseline, text);
    const float s = target.Scale();
    for (int y = 0; y < target.Height(); ++y) {
        for (int px = 0; px < target.Width(); ++px) {
            const float a = mask.At(px, y).a;
            if (a > 0) {
                target.Blend(px, y, paint((px + 0.5f) / s, (y + 0.5f) / s), a * opacity);
            }
        }
    }
}

void Font::Draw(Raster& target, int x, int baseline, const std::string& text, Color c, float opacity) const {
    Draw(target, x, baseline, text, Solid(c), opacity);
}

std::filesystem::path TahomaRegular() {
    return "/usr/share/wine/fonts/tahoma.ttf";
}

std::filesystem::path TahomaBold() {
    return "/usr/share/wine/fonts/tahomabd.ttf";
}

} // namespace artgen
