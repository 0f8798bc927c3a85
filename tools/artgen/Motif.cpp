#include "Motif.h"

#include "RasterExtra.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace artgen {
namespace {

constexpr float kPi = std::numbers::pi_v<float>;

float Smooth(float e0, float e1, float x) {
    const float t = std::clamp((x - e0) / (e1 - e0), 0.0f, 1.0f);
    return t * t * (3 - 2 * t);
}

Color Scaled(Color c, float k) {
    return Color{std::clamp(c.r * k, 0.0f, 255.0f), std::clamp(c.g * k, 0.0f, 255.0f),
                 std::clamp(c.b * k, 0.0f, 255.0f), c.a};
}

// Light falls from the upper left, so the disc's diffraction sheen lies along that diagonal.
constexpr float kSheenAngle = -2.36f;

// The rainbow that the grooves throw back, kept within the disc's violet family.
Color Diffraction(float hue) {
    static const std::vector<Stop> stops{{0.00f, Rgb(255, 150, 230)}, {0.25f, Rgb(200, 150, 255)},
                                         {0.50f, Rgb(125, 180, 255)}, {0.72f, Rgb(130, 235, 240)},
                                         {0.88f, Rgb(225, 190, 255)}, {1.00f, Rgb(255, 150, 230)}};
    return SampleStops(stops, hue - std::floor(hue));
}

Color DataArea(const DiscLook& d, float r, float angle) {
    const float inner = d.mirrorRadius;
    const float outer = d.radius - d.rimWidth;
    const float t = std::clamp((r - inner) / std::max(outer - inner, 1.0f), 0.0f, 1.0f);
    Color c = Mix(Rgb(152, 96, 218), Rgb(84, 34, 148), Smooth(0.0f, 1.0f, t));
    const float a = angle - kSheenAngle;
    const float lobe = std::pow(0.5f + 0.5f * std::cos(2 * a), 7.0f);
    c = Mix(c, Diffraction(0.1f + 0.9f * t + 0.22f * std::sin(2 * a)), 0.82f * lobe);
    const float cross = std::pow(0.5f + 0.5f * std::cos(2 * a + kPi), 12.0f);
    c = Mix(c, Rgb(230, 105, 215), 0.38f * cross);
    if (d.grooves > 0) {
        c = Scaled(c, 1.0f + d.grooves * std::sin(r * 2.3f));
    }
    // A faint line where the recorded area starts and where it ends.
    const float seam = std::max(1.0f - std::fabs(r - inner - 0.5f), 0.0f) +
                       std::max(1.0f - std::fabs(outer - r - 0.5f), 0.0f);
    return Mix(c, Rgb(96, 50, 150), d.seams * std::min(seam, 1.0f));
}

Color DiscSample(const DiscLook& d, float x, float y) {
    const float dx = x - d.centre.x;
    const float dy = y - d.centre.y;
    const float r = std::sqrt(dx * dx + dy * dy);
    if (r >= d.radius || r < d.holeRadius) {
        return Color{};
    }
    const float angle = std::atan2(dy, dx);
    if (d.holeRadius > 0 && r < d.holeRadius + 0.9f) {
        return Rgb(170, 158, 200, 0.75f); // the cut edge of the hole
    }
    if (r < d.hubRadius) {
        const float band = d.hubRadius - d.holeRadius;
        const float ring = (r - d.holeRadius) / band;
        if (ring > 0.52f && ring < 0.72f) {
            return Rgb(196, 186, 224, 0.62f); // stacking ring moulded into the clear hub
        }
        // Clear near the hole, clouding towards the mirror band, brighter where the light falls.
        const float shine = std::pow(0.5f + 0.5f * std::cos(angle - kSheenAngle), 4.0f);
        const Color clear = Mix(Rgb(214, 206, 236, 0.2f), Rgb(206, 196, 230, 0.72f), ring);
        const Color hub = Mix(clear, Rgb(250, 248, 255, 0.8f), shine * 0.5f);
        return d.clearHub ? hub : WithAlpha(Mix(hub, Rgb(226, 220, 242), 0.5f), 1.0f);
    }
    if (r < d.mirrorRadius) {
        const float shine = 0.5f + 0.5f * std::cos(2 * (angle - kSheenAngle));
        return Mix(Rgb(150, 138, 188), Rgb(238, 234, 248), shine * shine);
    }
    // Both the edge and the clear outer lip thin out towards the outside, so the disc's outline
    // passes through every opacity instead of a few.
    if (r >= d.radius - d.edgeWidth) {
        const float t = (r - (d.radius - d.edgeWidth)) / d.edgeWidth;
        return Rgb(66, 30, 108, 1.0f - 0.3f * t);
    }
    if (r >= d.radius - d.rimWidth) {
        const float t = (r - (d.radius - d.rimWidth)) / (d.rimWidth - d.edgeWidth);
        return Rgb(200, 184, 234, 0.95f - 0.6f * t);
    }
    return DataArea(d, r, angle);
}

// Outline of one flame tongue: round at the bottom, drawn out to a tip that leans sideways.
std::vector<Point> Tongue(Point bottom, float height, float width, float lean) {
    constexpr int kSteps = 48;
    std::vector<Point> points;
    // Widest at about 0.4 of its height, narrow where it leaves the hub; 0.303 is the peak of
    // t^0.75 (1 - t), so the tongue is `width` wide there.
    auto half = [&](float t) { return width / 2 * std::pow(t, 0.75f) * (1 - t) / 0.303f; };
    // A slight S: the body bulges against the lean before the tip follows it.
    auto centre = [&](float t) {
        return bottom.x + width * (lean * t * t - 0.08f * lean * std::sin(2 * kPi * t));
    };
    for (int i = 0; i <= kSteps; ++i) {
        const float t = static_cast<float>(i) / kSteps;
        points.push_back({centre(t) + half(t), bottom.y - t * height});
    }
    for (int i = kSteps; i >= 0; --i) {
        const float t = static_cast<float>(i) / kSteps;
        points.push_back({centre(t) - half(t), bottom.y - t * height});
    }
    return points;
}

// The outer flame: a narrow main tongue with two shorter ones licking out at its sides, joined
// by a round foot where it leaves the hub.
Shape FlameShape(const FlameLook& f, float scale, bool tongues) {
    const float h = f.height * scale;
    const float w = f.width * scale;
    const float drop = f.width * 0.1f;
    const Point bottom{f.base.x, f.base.y + drop};
    Shape shape = Polygon(Tongue(bottom, h + drop, w * (tongues ? 0.66f : 1.0f), f.sway));
    if (tongues) {
        shape =
            Union(std::move(shape),
                  Polygon(Tongue({bottom.x - w * 0.2f, bottom.y - h * 0.02f}, h * 0.66f, w * 0.5f, -0.42f)));
        shape =
            Union(std::move(shape),
                  Polygon(Tongue({bottom.x + w * 0.19f, bottom.y - h * 0.02f}, h * 0.54f, w * 0.46f, 0.46f)));
        shape = Union(std::move(shape), Ellipse(bottom.x, bottom.y - h * 0.16f, w * 0.36f, h * 0.15f));
    }
    return shape;
}

void DrawFlame(Raster& target, const FlameLook& f, int samples) {
    const float top = f.base.y - f.height;
    const float bottom = f.base.y + f.width * 0.1f;
    const Shape outer = FlameShape(f, 1.0f, f.tongues);
    Raster flame = target.Blank();
    flame.Fill(outer,
               Vertical(bottom, top,
                        {{0.0f, Rgb(255, 168, 44)}, {0.5f, Rgb(250, 116, 24)}, {1.0f, Rgb(222, 58, 16)}}),
               1.0f, samples);
    if (f.glow > 0) {
        target.Draw(Tinted(flame, Rgb(255, 150, 40), 1.0f).Blurred(f.glow), 0, 0, 0.75f);
    }
    if (f.rim > 0) {
        // Deepen the colour towards the outline, so the flame stands off the purple behind it.
        const Raster inner = flame.Blurred(f.rim);
        for (int y = 0; y < flame.Height(); ++y) {
            for (int x = 0; x < flame.Width(); ++x) {
                Color& c = flame.At(x, y);
                const float edge = std::clamp((1 - inner.At(x, y).a) * 2.2f, 0.0f, 1.0f);
                c = WithAlpha(Mix(c, Rgb(196, 44, 14), 0.7f * edge), c.a);
            }
        }
    }
    FlameLook middle = f;
    middle.base.y -= f.width * 0.04f;
    middle.sway = f.sway * 0.8f;
    flame.Fill(
        FlameShape(middle, 0.64f, f.tongues),
        Vertical(bottom, top + f.height * 0.36f, {{0.0f, Rgb(255, 216, 84)}, {1.0f, Rgb(255, 150, 34)}}),
        1.0f, samples);
    FlameLook core = middle;
    core.base.y -= f.width * 0.04f;
    flame.Fill(
        FlameShape(core, 0.34f, false),
        Vertical(bottom, top + f.height * 0.66f, {{0.0f, Rgb(255, 252, 216)}, {1.0f, Rgb(255, 224, 112)}}),
        1.0f, samples);
    target.Draw(flame, 0, 0);
}

std::vector<Point> ArmCurve(const ArmLook& a) {
    constexpr int kSteps = 24;
    std::vector<Point> points;
    for (int i = 0; i <= kSteps; ++i) {
        const float t = static_cast<float>(i) / kSteps;
        const float u = 1 - t;
        points.push_back({u * u * a.pivot.x + 2 * u * t * a.bend.x + t * t * a.head.x,
                          u * u * a.pivot.y + 2 * u * t * a.bend.y + t * t * a.head.y});
    }
    return points;
}

// Signed distance from the curve, positive on its left when walking from pivot to head.
float Across(const std::vector<Point>& curve, float x, float y) {
    float best = 1e9f;
    float sign = 1;
    for (size_t i = 0; i + 1 < curve.size(); ++i) {
        const Point a = curve[i];
        const Point b = curve[i + 1];
        const float dx = b.x - a.x;
        const float dy = b.y - a.y;
        const float t = std::clamp(((x - a.x) * dx + (y - a.y) * dy) / (dx * dx + dy * dy), 0.0f, 1.0f);
        const float ex = x - (a.x + t * dx);
        const float ey = y - (a.y + t * dy);
        const float d = std::sqrt(ex * ex + ey * ey);
        if (d < best) {
            best = d;
            sign = dx * ey - dy * ex < 0 ? 1.0f : -1.0f;
        }
    }
    return best * sign;
}

const std::vector<Stop>& Silver() {
    static const std::vector<Stop> stops{{0.0f, Rgb(104, 108, 122)},
                                         {0.22f, Rgb(196, 200, 210)},
                                         {0.40f, Rgb(250, 251, 253)},
                                         {0.62f, Rgb(182, 186, 198)},
                                         {1.0f, Rgb(112, 116, 130)}};
    return stops;
}

void DrawArm(Raster& target, const ArmLook& a, int samples) {
    const Color edge = Rgb(62, 66, 80);
    const std::vector<Point> curve = ArmCurve(a);
    const Point end = curve.back();
    const Point before = curve[curve.size() - 3];
    const float angle = std::atan2(end.y - before.y, end.x - before.x) - a.headTurn;
    const Point dir{std::cos(angle), std::sin(angle)};
    const Point normal{-dir.y, dir.x};
    auto along = [&](float k) {
        return Point{end.x + dir.x * a.headLength * k, end.y + dir.y * a.headLength * k};
    };
    const Point headBack = along(-0.2f);
    const Point headFront = along(0.8f);
    const float headHalf = a.headWidth / 2;

    target.Fill(Polyline(curve, a.width + 2 * a.edgeWidth), edge, 1.0f, samples);
    const bool head = a.headLength > 0;
    if (head) {
        target.Fill(Line(headBack, headFront, a.headWidth + 2 * a.edgeWidth), edge, 1.0f, samples);
    }
    target.Fill(Circle(a.pivot.x, a.pivot.y, a.pivotRadius + a.edgeWidth), edge, 1.0f, samples);

    const float half = a.width / 2;
    target.Fill(
        Polyline(curve, a.width),
        [&curve, half](float x, float y) {
            return SampleStops(Silver(), 0.5f - 0.5f * Across(curve, x, y) / half);
        },
        1.0f, samples);
    if (head) {
        target.Fill(Line(headBack, headFront, a.headWidth),
                    Linear({end.x + normal.x * headHalf, end.y + normal.y * headHalf},
                           {end.x - normal.x * headHalf, end.y - normal.y * headHalf}, Silver()),
                    1.0f, samples);
        // The working tip: a dark notch in the head's front end.
        target.Fill(Line(along(0.45f), headFront, std::max(a.headWidth * 0.3f, 1.0f)), Rgb(48, 50, 62), 1.0f,
                    samples);
    }

    const float pr = a.pivotRadius;
    target.Fill(Circle(a.pivot.x, a.pivot.y, pr),
                Radial({a.pivot.x - pr * 0.35f, a.pivot.y - pr * 0.4f}, pr * 1.5f, pr * 1.5f,
                       {{0.0f, Rgb(252, 252, 254)}, {0.45f, Rgb(200, 204, 214)}, {1.0f, Rgb(118, 122, 136)}}),
                1.0f, samples);
    if (pr >= 4) {
        target.Fill(StrokeCircle(a.pivot.x, a.pivot.y, pr * 0.55f, std::max(pr * 0.1f, 0.8f)),
                    Rgb(90, 94, 108), 0.7f, samples);
    }
}

} // namespace

MotifLook MotifIn(float x0, float y0, float size) {
    auto at = [&](float u, float v) { return Point{x0 + u * size, y0 + v * size}; };
    MotifLook look;
    DiscLook& d = look.disc;
    d.centre = at(0.46f, 0.50f);
    d.radius = 0.445f * size;
    d.holeRadius = 0.12f * d.radius;
    d.hubRadius = 0.28f * d.radius;
    d.mirrorRadius = 0.37f * d.radius;
    d.rimWidth = 0.05f * d.radius;
    d.edgeWidth = std::max(0.012f * d.radius, 0.8f);
    d.grooves = 0.025f;
    d.seams = 0.45f;

    FlameLook& f = look.flame;
    f.base = d.centre;
    f.height = d.centre.y - (y0 + 0.04f * size);
    f.width = 0.46f * size;
    f.sway = 0.12f;
    f.tongues = true;
    f.glow = 0.025f * size;
    f.rim = 0.012f * size;

    ArmLook& a = look.arm;
    a.pivot = at(0.87f, 0.87f);
    a.pivotRadius = 0.07f * size;
    a.bend = at(0.93f, 0.56f);
    a.head = at(0.71f, 0.56f);
    a.width = 0.04f * size;
    a.headLength = 0.1f * size;
    a.headWidth = 0.06f * size;
    a.headTurn = 0.55f;
    a.edgeWidth = std::max(0.006f * size, 0.7f);

    look.shadow = 0.016f * size;
    return look;
}

void DrawMotif(Raster& target, const MotifLook& look) {
    const DiscLook& d = look.disc;
    Raster disc = target.Blank();
    FillSampled(
        disc, Box{d.centre.x - d.radius, d.centre.y - d.radius, d.centre.x + d.radius, d.centre.y + d.radius},
        [&d](float x, float y) { return DiscSample(d, x, y); }, look.samples);

    Raster arm = target.Blank();
    DrawArm(arm, look.arm, look.samples);

    if (look.shadow > 0) {
        // Offsets in whole pixels of the target.
        const float s = target.Scale();
        const int dx = static_cast<int>(std::lround(look.shadow * 0.6f * s));
        const int dy = static_cast<int>(std::lround(look.shadow * s));
        Raster shadow = target.Blank();
        shadow.Draw(Tinted(disc, Rgb(40, 18, 64), 0.55f).Blurred(look.shadow * 0.9f), dx, dy);
        // The shadow falls beside the disc, not behind its clear hub and lip.
        for (int y = 0; y < shadow.Height(); ++y) {
            for (int x = 0; x < shadow.Width(); ++x) {
                shadow.At(x, y).a *= 1 - disc.At(x, y).a;
            }
        }
        target.Draw(shadow, 0, 0);
    }
    target.Draw(disc, 0, 0);
    DrawFlame(target, look.flame, look.samples);
    if (look.shadow > 0) {
        const float s = target.Scale();
        const int dx = static_cast<int>(std::lround(look.shadow * 0.8f * s));
        const int dy = static_cast<int>(std::lround(look.shadow * 1.2f * s));
        target.Draw(Tinted(arm, Rgb(20, 10, 40), 0.45f).Blurred(look.shadow), dx, dy);
    }
    target.Draw(arm, 0, 0);
}

} // namespace artgen
