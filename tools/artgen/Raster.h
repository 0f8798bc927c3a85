// Drawing layer of the artwork generator: a straight-alpha float raster with
// anti-aliased shapes, gradients, FreeType text and BMP/ICO writers.
//
// Coordinates: artwork is designed at 96 dpi. A raster drawn at another scale s = dpi / 96
// keeps its design coordinates: shapes, paints, blur radii and sample points are given in
// design units, and its pixel (x, y) covers the design square [x/s, (x+1)/s) x [y/s, (y+1)/s),
// y down. At 96 dpi both are the same. Pixel positions handed to Draw, Crop, Set and At are
// pixels of the raster itself.
// Colour channels r, g, b are 0..255, alpha a is 0..1, never premultiplied.
#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace artgen {

struct Color {
    float r = 0, g = 0, b = 0, a = 0;
};

inline Color Rgb(float r, float g, float b, float a = 1.0f) {
    return Color{r, g, b, a};
}
// Linear mix of two colours, t = 0 gives a, t = 1 gives b (alpha mixed too).
Color Mix(Color a, Color b, float t);
Color WithAlpha(Color c, float a);

struct Point {
    float x = 0, y = 0;
};

struct Box {
    float x0 = 0, y0 = 0, x1 = 0, y1 = 0;
};

// A paint gives the colour at a point; shapes are filled with a paint.
using Paint = std::function<Color(float x, float y)>;

struct Stop {
    float at; // 0..1 along the gradient
    Color color;
};

Paint Solid(Color c);
// Colour by projection of the point onto p0 -> p1, clamped at both ends.
Paint Linear(Point p0, Point p1, std::vector<Stop> stops);
// Shorthand: vertical gradient from y0 to y1.
Paint Vertical(float y0, float y1, std::vector<Stop> stops);
// Colour by normalised elliptic distance from the centre (0 at centre, 1 at the rim).
Paint Radial(Point centre, float rx, float ry, std::vector<Stop> stops);
// Colour by angle around the centre, t = angle / 2pi starting at +x going clockwise on screen.
Paint Conic(Point centre, std::vector<Stop> stops);
Color SampleStops(const std::vector<Stop>& stops, float t);

// A shape is an inside test plus a bounding box; coverage is found by supersampling.
struct Shape {
    std::function<bool(float x, float y)> inside;
    Box bounds;
};

Shape Rect(float x0, float y0, float x1, float y1);
Shape Circle(float cx, float cy, float r);
Shape Ellipse(float cx, float cy, float rx, float ry);
Shape RoundRect(float x0, float y0, float x1, float y1, float r);
// Rounded rectangle with a separate radius per corner: top-left, top-right, bottom-right, bottom-left.
Shape RoundRect4(float x0, float y0, float x1, float y1, float tl, float tr, float br, float bl);
Shape Polygon(std::vector<Point> points);    // non-zero winding
Shape Line(Point p0, Point p1, float width); // round caps
Shape Polyline(std::vector<Point> points, float width);
// Strokes: the band of the given width centred on the outline.
Shape StrokeCircle(float cx, float cy, float r, float width);
Shape StrokeEllipse(float cx, float cy, float rx, float ry, float width);

// Catmull-Rom curve through the control points, `steps` segments between two of them.
std::vector<Point> Spline(const std::vector<Point>& controls, bool closed, int steps = 8);

Shape Union(Shape a, Shape b);
Shape Intersect(Shape a, Shape b);
Shape Subtract(Shape a, Shape b);
Shape Translate(Shape s, float dx, float dy);

class Raster {
public:
    Raster() = default;
    Raster(int width, int height, Color fill = Color{}, int dpi = 96);

    int Width() const { return width_; }
    int Height() const { return height_; }
    int Dpi() const { return dpi_; }
    // Pixels per design unit.
    float Scale() const { return scale_; }
    // A design length in whole pixels of this raster, by the one scaling rule.
    int Px(int designLength) const;
    // The design pixel that pixel p of this raster shows, in integer division: the rule that
    // keeps the skin's outline the 100% outline at every scale.
    int DesignPixel(int p) const { return p * 96 / dpi_; }
    // The design coordinate of pixel p's centre, measured like a pixel index (p at 96 dpi).
    float DesignAt(int p) const { return (static_cast<float>(p) + 0.5f) / scale_ - 0.5f; }
    // A design coordinate moved onto the nearest pixel edge of this raster, so that straight
    // edges stay crisp at every scale; unchanged at 96 dpi, where the design is the grid.
    float Snap(float design) const;
    // A transparent raster of the same size and scale.
    Raster Blank() const { return Raster(width_, height_, Color{}, dpi_); }
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
    Color& At(int x, int y) { return pixels_[static_cast<size_t>(y) * width_ + x]; }
    const Color& At(int x, int y) const { return pixels_[static_cast<size_t>(y) * width_ + x]; }

    // Composites colour c with extra opacity `coverage` over the pixel ("over" operator).
    void Blend(int x, int y, Color c, float coverage = 1.0f);
    // Fills the shape with anti-aliased edges (samples x samples per pixel).
    void Fill(const Shape& shape, const Paint& paint, float opacity = 1.0f, int samples = 6);
    void Fill(const Shape& shape, Color c, float opacity = 1.0f, int samples = 6);
    // Sets pixels without blending (e.g. exact key colours).
    void Set(int x, int y, Color c);

    // Composites `src` with its top-left at (x, y) over this raster.
    void Draw(const Raster& src, int x, int y, float opacity = 1.0f);
    // Copies a region out (pixels outside are transparent).
    Raster Crop(int x, int y, int width, int height) const;
    // Separable Gaussian blur of all four channels (premultiplied internally); sigma in design units.
    Raster Blurred(float sigma) const;

private:
    int width_ = 0;
    int height_ = 0;
    int dpi_ = 96;
    float scale_ = 1.0f;
    std::vector<Color> pixels_;
};

// FreeType text at a fixed pixel size, grayscale anti-aliased, with kerning where the font has it.
class Font {
public:
    // pixelWidth 0 keeps the face's own proportions; a larger value draws it extended.
    Font(const std::filesystem::path& file, int pixelSize, int pixelWidth = 0);
    ~Font();
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;

    // Extra pixels added to every glyph's advance (letter spacing).
    void SetTracking(int pixels);
    // Thickens vertical stems by about this many pixels (synthetic weight).
    void SetEmbolden(float pixels);
    // Advance width of the text in pixels (kerning and tracking included).
    int Measure(const std::string& text) const;
    // Ink box of the text drawn at origin (0, baseline 0).
    Box InkBounds(const std::string& text) const;
    // Draws the text with its pen starting at x and the baseline at y, in pixels of the target
    // (the font's size is in pixels too); the paint is evaluated at design coordinates.
    void Draw(Raster& target, int x, int baseline, const std::string& text, const Paint& paint,
              float opacity = 1.0f) const;
    void Draw(Raster& target, int x, int baseline, const std::string& text, Color c,
              float opacity = 1.0f) const;
    // Coverage mask of the text (alpha only, white) with the pen at x, baseline y.
    Raster Mask(int width, int height, int x, int baseline, const std::string& text) const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// The Tahoma faces that ship with the Debian package fonts-wine.
std::filesystem::path TahomaRegular();
std::filesystem::path TahomaBold();

// 24-bit BMP, bottom-up, uncompressed; the raster is composited over black first.
void WriteBmp24(const std::filesystem::path& file, const Raster& image);
// 32-bit BMP, BI_RGB, straight alpha in the fourth byte, bottom-up, 40-byte header.
void WriteBmp32(const std::filesystem::path& file, const Raster& image);
// Icon file with one 32-bit BMP-style entry per image (XOR rows BGRA bottom-up plus AND mask);
// a 256-pixel image is stored as PNG, as the icon format allows.
void WriteIco(const std::filesystem::path& file, const std::vector<Raster>& images);

// PNG, 8 bits per sample: RGB composited over black as in WriteBmp24, or RGBA with straight
// alpha as in WriteBmp32; PngRgba gives the file's bytes.
void WritePngRgb(const std::filesystem::path& file, const Raster& image);
void WritePngRgba(const std::filesystem::path& file, const Raster& image);
std::string PngRgba(const Raster& image);

// 8-bit channel value as written to files: rounded and clamped.
unsigned char ToByte(float channel);

} // namespace artgen
