// The button base's built-in style strips: three frames side by side (normal, hover, pressed).
#include "Artwork.h"
#include "Raster.h"

#include <string>

namespace artgen {
namespace {

struct FaceColors {
    Color top, bottom, border;
};

struct StripStyle {
    std::string name;
    int width, height;
    float radius;
    Color background; // the strip's top-left pixel: the mask colour when drawn transparent
    FaceColors normal, hover, pressed;
    float gloss; // opacity of the white sheen over the upper half
};

const StripStyle kStyles[] = {
    {"SILVER_BUTTON",
     252,
     23,
     11,
     Rgb(232, 232, 232),
     {Rgb(250, 250, 250), Rgb(200, 203, 208), Rgb(128, 130, 136)},
     {Rgb(196, 224, 250), Rgb(84, 150, 222), Rgb(52, 98, 168)},
     {Rgb(120, 170, 230), Rgb(50, 104, 184), Rgb(36, 70, 130)},
     0.7f},
    {"CLASSIC_BUTTON",
     54,
     21,
     3,
     Rgb(236, 233, 216),
     {Rgb(255, 255, 255), Rgb(226, 223, 212), Rgb(0, 60, 116)},
     {Rgb(255, 250, 236), Rgb(236, 226, 200), Rgb(230, 148, 36)},
     {Rgb(214, 210, 196), Rgb(236, 234, 226), Rgb(0, 60, 116)},
     0.3f},
    {"NAVY_BUTTON",
     222,
     21,
     4,
     Rgb(214, 222, 236),
     {Rgb(92, 128, 196), Rgb(28, 52, 118), Rgb(16, 30, 76)},
     {Rgb(122, 160, 226), Rgb(44, 76, 150), Rgb(20, 38, 92)},
     {Rgb(24, 44, 102), Rgb(64, 98, 170), Rgb(12, 24, 64)},
     0.35f},
    {"AMBER_BUTTON",
     222,
     21,
     9,
     Rgb(226, 230, 226),
     {Rgb(236, 246, 236), Rgb(150, 190, 156), Rgb(86, 122, 92)},
     {Rgb(246, 255, 244), Rgb(130, 206, 142), Rgb(70, 130, 80)},
     {Rgb(120, 170, 128), Rgb(190, 226, 194), Rgb(60, 100, 66)},
     0.5f},
    {"GLASS_BUTTON",
     231,
     27,
     7,
     Rgb(206, 222, 240),
     {Rgb(178, 214, 248), Rgb(62, 132, 210), Rgb(34, 84, 150)},
     {Rgb(208, 234, 255), Rgb(86, 164, 240), Rgb(40, 100, 176)},
     {Rgb(70, 132, 204), Rgb(150, 196, 240), Rgb(28, 70, 128)},
     0.6f},
};

void PaintFrame(Raster& strip, int x0, int width, int height, const StripStyle& style, const FaceColors& face,
                bool pressed) {
    const float l = static_cast<float>(x0) + 0.5f;
    const float r = static_cast<float>(x0 + width) - 0.5f;
    const float t = 0.5f, b = static_cast<float>(height) - 0.5f;
    strip.Fill(RoundRect(l, t, r, b, style.radius), face.border);
    strip.Fill(RoundRect(l + 1, t + 1, r - 1, b - 1, style.radius - 1),
               Vertical(t, b, {{0, face.top}, {1, face.bottom}}));
    // A sheen over the upper half; a pressed face is lit from below instead.
    const float mid = static_cast<float>(height) / 2;
    const Shape upper =
        Intersect(RoundRect(l + 2, t + 2, r - 2, b - 2, style.radius - 2), Rect(l, t, r, mid));
    const Shape lower =
        Intersect(RoundRect(l + 2, t + 2, r - 2, b - 2, style.radius - 2), Rect(l, mid, r, b));
    strip.Fill(pressed ? lower : upper,
               Vertical(pressed ? b : t, mid,
                        {{0, Rgb(255, 255, 255, style.gloss)}, {1, Rgb(255, 255, 255, 0.05f)}}));
}

} // namespace

void DrawStrips(const Paths& paths) {
    for (const StripStyle& style : kStyles) {
        Raster strip(style.width, style.height, style.background);
        const int frame = style.width / 3;
        PaintFrame(strip, 0, frame, style.height, style, style.normal, false);
        PaintFrame(strip, frame, frame, style.height, style, style.hover, false);
        // The last frame takes the rightmost columns, as the button base cuts it.
        PaintFrame(strip, style.width - frame, frame, style.height, style, style.pressed, true);
        WriteBmp24(paths.resources / "strips" / (style.name + ".bmp"), strip);
    }
}

} // namespace artgen
