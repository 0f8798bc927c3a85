// The About dialog's product picture: the motif at full size over the product name, on a
// transparent ground, as a 32-bit straight-alpha bitmap and in the alpha picture's stored form.
#include "Artwork.h"
#include "Motif.h"
#include "Raster.h"
#include "core/Scale.h"

#include <cmath>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

namespace artgen {
namespace {

constexpr int kWidth = 175;
constexpr int kHeight = 215;
constexpr Box kMotifBox{4, 7, 167, 170};   // pixels 4..166, 7..169
constexpr Box kNameBox{28, 177, 152, 190}; // pixels 28..151, rows 177..189
const Color kNameColour = Rgb(68, 92, 97);

// Transparent pixels are white, so that a blend that ignores alpha shows a white box.
const Color kGround = Rgb(255, 255, 255, 0);

// Whether pixel (x, y) of the image lies in the design box, at the image's scale.
bool InBox(const Raster& image, const Box& b, int x, int y) {
    const float s = image.Scale();
    return x >= b.x0 * s && x < b.x1 * s && y >= b.y0 * s && y < b.y1 * s;
}

// The largest bold face whose ink fits the name box's height, drawn extended (up to half as
// wide again) and letter-spaced so that the name spans its box under the disc.
void DrawName(Raster& image) {
    const std::string name = "Orvalis";
    // The fit runs in pixels of the image, on the font at the image's scale.
    const float s = image.Scale();
    const float boxWidth = (kNameBox.x1 - kNameBox.x0) * s;
    const float boxHeight = (kNameBox.y1 - kNameBox.y0) * s;
    auto fits = [&](const Font& font) {
        const Box ink = font.InkBounds(name);
        return ink.y1 - ink.y0 <= boxHeight && ink.x1 - ink.x0 <= boxWidth - 4 * s;
    };
    int size = image.Px(30);
    while (size > 6 && !fits(Font(TahomaBold(), size, size + 1))) {
        --size;
    }
    int width = size + 1;
    while (fits(Font(TahomaBold(), size, width + 1)) && width < size * 3 / 2) {
        ++width;
    }
    Font font(TahomaBold(), size, width);
    font.SetEmbolden(0.5f * s);
    int tracking = 0;
    font.SetTracking(1);
    while (fits(font)) {
        font.SetTracking(++tracking + 1);
    }
    font.SetTracking(tracking);
    const Box ink = font.InkBounds(name);
    const int x =
        static_cast<int>(std::lround(kNameBox.x0 * s + (boxWidth - (ink.x1 - ink.x0)) / 2 - ink.x0));
    const int baseline =
        static_cast<int>(std::lround(kNameBox.y0 * s + (boxHeight - (ink.y1 - ink.y0)) / 2 - ink.y0));
    font.Draw(image, x, baseline, name, kNameColour);
}

// Nothing may reach outside the motif and name boxes. Transparent pixels are white, except
// where a soft glow or shadow fades out below one level: those keep their colour, so the
// picture carries colours at alpha 0 that only a blend ignoring alpha would show.
void Finish(Raster& image) {
    for (int y = 0; y < image.Height(); ++y) {
        for (int x = 0; x < image.Width(); ++x) {
            Color& c = image.At(x, y);
            if (!InBox(image, kMotifBox, x, y) && !InBox(image, kNameBox, x, y)) {
                c = kGround;
            } else if (c.a < 1e-4f) {
                c = kGround;
            } else if (c.a < 0.5f / 255) {
                c.a = 0;
            }
        }
    }
}

std::string ReadAll(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::string data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in.good() && !in.eof()) {
        throw std::runtime_error("cannot read " + file.string());
    }
    return data;
}

// The image control's stored picture data: the type name with its length byte, then the
// bitmap file image with its 4-byte length.
void WriteStoredPicture(const std::filesystem::path& file, const std::string& bitmapFile) {
    const std::string typeName = "TPNGGraphic";
    std::string out;
    out += static_cast<char>(typeName.size());
    out += typeName;
    const auto n = static_cast<uint32_t>(bitmapFile.size());
    for (int i = 0; i < 4; ++i) {
        out += static_cast<char>((n >> (8 * i)) & 0xFF);
    }
    out += bitmapFile;
    std::ofstream stream(file, std::ios::binary | std::ios::trunc);
    stream.write(out.data(), static_cast<std::streamsize>(out.size()));
    if (!stream) {
        throw std::runtime_error("cannot write " + file.string());
    }
}

} // namespace

void DrawAboutPicture(const Paths& paths, int dpi) {
    Raster image(core::ScaleLength(kWidth, dpi), core::ScaleLength(kHeight, dpi), kGround, dpi);
    const MotifLook look = MotifIn(kMotifBox.x0, kMotifBox.y0, kMotifBox.x1 - kMotifBox.x0);
    DrawMotif(image, look);
    DrawName(image);
    Finish(image);

    if (dpi != core::kDesignDpi) {
        // The rows of the 32-bit bitmap, straight alpha, compressed; the program builds the
        // stored form from them.
        WritePngRgba(paths.resources / PictureFile("about.bmp", dpi), image);
        return;
    }
    const std::filesystem::path bitmap = paths.resources / "about.bmp";
    WriteBmp32(bitmap, image);
    WriteStoredPicture(paths.resources / "about.picture", ReadAll(bitmap));
}

} // namespace artgen
