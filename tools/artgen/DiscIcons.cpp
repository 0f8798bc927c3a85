#include "DiscIcons.h"

#include <cmath>

namespace artgen {
namespace {

// The icons are designed on a disc of radius 35; P maps design units onto the disc.
struct Design {
    const DiscPlace& disc;
    float Scale() const { return disc.radius / 35.0f; }
    Point P(float dx, float dy) const {
        return Point{disc.centre.x + dx * Scale(), disc.centre.y + dy * Scale()};
    }
    float S(float v) const { return v * Scale(); }
    std::vector<Point> Ps(std::initializer_list<Point> design) const {
        std::vector<Point> out;
        for (const Point& p : design) {
            out.push_back(P(p.x, p.y));
        }
        return out;
    }
};

float Length(Point a, Point b) {
    return std::hypot(b.x - a.x, b.y - a.y);
}

// A small square turned to the direction (ux, uy).
Shape TurnedSquare(Point centre, float ux, float uy, float half) {
    const float vx = -uy, vy = ux;
    return Polygon({{centre.x + (ux + vx) * half, centre.y + (uy + vy) * half},
                    {centre.x + (ux - vx) * half, centre.y + (uy - vy) * half},
                    {centre.x + (-ux - vx) * half, centre.y + (-uy - vy) * half},
                    {centre.x + (-ux + vx) * half, centre.y + (-uy + vy) * half}});
}

} // namespace

DiscColors PurpleDisc() {
    return DiscColors{Rgb(168, 110, 224),
                      Rgb(84, 26, 146),
                      0.38f,
                      {{0, Rgb(255, 120, 220)},
                       {0.17f, Rgb(120, 150, 255)},
                       {0.33f, Rgb(100, 235, 230)},
                       {0.5f, Rgb(255, 120, 220)},
                       {0.67f, Rgb(120, 150, 255)},
                       {0.83f, Rgb(100, 235, 230)},
                       {1, Rgb(255, 120, 220)}}};
}

DiscColors SilverRainbowDisc() {
    return DiscColors{Rgb(238, 238, 244),
                      Rgb(168, 170, 184),
                      0.42f,
                      {{0, Rgb(255, 110, 110)},
                       {0.08f, Rgb(255, 230, 110)},
                       {0.17f, Rgb(120, 240, 140)},
                       {0.25f, Rgb(110, 200, 255)},
                       {0.33f, Rgb(190, 130, 255)},
                       {0.42f, Rgb(255, 120, 200)},
                       {0.5f, Rgb(255, 110, 110)},
                       {0.58f, Rgb(255, 230, 110)},
                       {0.67f, Rgb(120, 240, 140)},
                       {0.75f, Rgb(110, 200, 255)},
                       {0.83f, Rgb(190, 130, 255)},
                       {0.92f, Rgb(255, 120, 200)},
                       {1, Rgb(255, 110, 110)}}};
}

void PaintDisc(Raster& target, const DiscPlace& disc, const DiscColors& colors) {
    const Point c = disc.centre;
    const float r = disc.radius;
    const float hole = r * 0.15f, hub = r * 0.33f, mirror = r * 0.41f;
    const Shape body = Subtract(Circle(c.x, c.y, r), Circle(c.x, c.y, hole));
    target.Fill(
        body, Radial(c, r, r,
                     {{0, colors.inner}, {0.45f, Mix(colors.inner, colors.outer, 0.4f)}, {1, colors.outer}}));
    std::vector<Stop> sheen = colors.rainbow;
    for (Stop& s : sheen) {
        s.color.a = colors.sheen;
    }
    target.Fill(body, Conic(c, sheen));
    // Light falls from the upper left: two bright wedges on opposite sides.
    target.Fill(body, Conic(c, {{0, Rgb(255, 255, 255, 0)},
                                {0.06f, Rgb(255, 255, 255, 0.5f)},
                                {0.15f, Rgb(255, 255, 255, 0)},
                                {0.55f, Rgb(255, 255, 255, 0)},
                                {0.63f, Rgb(255, 255, 255, 0.6f)},
                                {0.72f, Rgb(255, 255, 255, 0)},
                                {1, Rgb(255, 255, 255, 0)}}));
    // Mirror band and clear hub.
    target.Fill(Subtract(Circle(c.x, c.y, mirror), Circle(c.x, c.y, hub)), Rgb(236, 236, 246), 0.45f);
    target.Fill(Subtract(Circle(c.x, c.y, hub), Circle(c.x, c.y, hole)), Rgb(206, 206, 222), 0.55f);
    target.Fill(StrokeCircle(c.x, c.y, mirror, 0.8f), Rgb(40, 20, 60), 0.35f);
    target.Fill(StrokeCircle(c.x, c.y, hub, 0.8f), Rgb(255, 255, 255), 0.7f);
    target.Fill(StrokeCircle(c.x, c.y, hole + 0.5f, 1.0f), Rgb(255, 255, 255), 0.8f);
    // Rim: a thin light edge.
    target.Fill(StrokeCircle(c.x, c.y, r - 0.8f, 1.2f), Rgb(255, 255, 255), 0.45f);
}

void PaintDiscGlow(Raster& target, const DiscPlace& disc) {
    const Point c = disc.centre;
    Raster halo = target.Blank();
    halo.Fill(Subtract(Circle(c.x, c.y, disc.radius + 2.5f), Circle(c.x, c.y, disc.radius - 5)),
              Rgb(255, 255, 255));
    target.Draw(halo.Blurred(3.0f), 0, 0, 1.0f);
}

void PaintFlameAndStick(Raster& target, const DiscPlace& disc) {
    const Design d{disc};
    // The stick lies under the flame, its glowing tip just beside it.
    const Point stickEnd = d.P(-27, 27), stickTip = d.P(17, -16);
    target.Fill(Line(stickEnd, stickTip, d.S(3.2f)), Rgb(70, 40, 20), 0.8f);
    target.Fill(Line(stickEnd, stickTip, d.S(2.0f)),
                Linear(stickEnd, stickTip, {{0, Rgb(150, 100, 50)}, {1, Rgb(232, 196, 130)}}));

    const std::vector<Point> outer = Spline(d.Ps({{0, 6},
                                                  {12, 2},
                                                  {17, -8},
                                                  {14, -18},
                                                  {9, -24},
                                                  {11, -32},
                                                  {3, -27},
                                                  {-1, -36},
                                                  {-6, -26},
                                                  {-12, -29},
                                                  {-12, -20},
                                                  {-17, -10},
                                                  {-14, 1}}),
                                            true, 10);
    const std::vector<Point> core =
        Spline(d.Ps({{0, 4}, {8, 0}, {10, -9}, {5, -18}, {0, -25}, {-4, -17}, {-9, -9}, {-7, 1}}), true, 10);
    const Point base = d.P(0, 6), tip = d.P(0, -36);
    Raster glow = target.Blank();
    glow.Fill(Polygon(outer), Rgb(255, 120, 20));
    target.Draw(glow.Blurred(d.S(2.4f)), 0, 0, 0.7f);
    target.Fill(
        Polygon(outer),
        Linear(base, tip, {{0, Rgb(255, 196, 40)}, {0.45f, Rgb(255, 128, 16)}, {1, Rgb(226, 52, 8)}}));
    target.Fill(Polygon(core),
                Linear(base, d.P(0, -25), {{0, Rgb(255, 252, 214)}, {1, Rgb(255, 206, 60, 0.6f)}}));

    // Glowing yellow tip.
    Raster spark = target.Blank();
    spark.Fill(Circle(stickTip.x, stickTip.y, d.S(4.5f)), Rgb(255, 236, 90));
    target.Draw(spark.Blurred(d.S(2.6f)), 0, 0, 1.0f);
    target.Fill(Circle(stickTip.x, stickTip.y, d.S(2.6f)),
                Radial(stickTip, d.S(2.6f), d.S(2.6f), {{0, Rgb(255, 255, 235)}, {1, Rgb(255, 226, 80)}}));
}

void PaintFilmStrip(Raster& target, const DiscPlace& disc) {
    const Design d{disc};
    const std::vector<Point> path =
        Spline(d.Ps({{-40, 8}, {-24, 22}, {-2, 26}, {20, 18}, {33, 4}, {37, -9}, {31, -15}}), false, 12);
    const float width = d.S(13);
    target.Fill(Polyline(path, width + d.S(1.6f)), Rgb(40, 22, 10), 0.85f);
    target.Fill(Polyline(path, width),
                Linear(d.P(0, 12), d.P(0, 30), {{0, Rgb(150, 92, 46)}, {1, Rgb(96, 54, 24)}}));
    target.Fill(Polyline(path, width * 0.46f), Rgb(70, 38, 16), 0.7f);
    // Sprocket holes along both edges and frame lines across the middle.
    float walked = 0, next = d.S(2);
    int index = 0;
    for (size_t i = 0; i + 1 < path.size(); ++i) {
        const float len = Length(path[i], path[i + 1]);
        if (len <= 0) {
            continue;
        }
        const float ux = (path[i + 1].x - path[i].x) / len, uy = (path[i + 1].y - path[i].y) / len;
        while (next <= walked + len) {
            const float t = (next - walked) / len;
            const Point p{path[i].x + (path[i + 1].x - path[i].x) * t,
                          path[i].y + (path[i + 1].y - path[i].y) * t};
            const float off = width * 0.36f;
            for (float side : {-1.0f, 1.0f}) {
                const Point h{p.x - uy * off * side, p.y + ux * off * side};
                target.Fill(TurnedSquare(h, ux, uy, d.S(1.0f)), Rgb(238, 220, 190));
            }
            if (index % 3 == 1) {
                const float in = width * 0.22f;
                target.Fill(Line({p.x - uy * in, p.y + ux * in}, {p.x + uy * in, p.y - ux * in}, d.S(0.9f)),
                            Rgb(200, 150, 90), 0.8f);
            }
            ++index;
            next += d.S(4.4f);
        }
        walked += len;
    }
}

void PaintDiscLabel(Raster& target, const DiscPlace& disc, const char* text, Point centre, int size,
                    Color c) {
    (void)disc;
    // The label is set at the target's scale: size and centre in pixels of the target.
    const float s = target.Scale();
    Font font(TahomaRegular(), target.Px(size));
    font.SetEmbolden(static_cast<float>(size) * s / 11.0f);
    const Box ink = font.InkBounds(text);
    const int penX = static_cast<int>(std::lround(centre.x * s - (ink.x0 + ink.x1) / 2));
    const int baseline = static_cast<int>(std::lround(centre.y * s - (ink.y0 + ink.y1) / 2));
    const Color shade = c.r + c.g + c.b > 380 ? Rgb(30, 10, 50) : Rgb(255, 255, 255);
    const int offset = target.Px(1);
    font.Draw(target, penX + offset, baseline + offset, text, shade, 0.45f);
    font.Draw(target, penX, baseline, text, c);
}

void PaintMusicBadge(Raster& target, const DiscPlace& disc) {
    const Design d{disc};
    const Point a = d.P(7, 7), b = d.P(33, 33);
    target.Fill(RoundRect(a.x + 1, a.y + 1.5f, b.x + 1, b.y + 1.5f, d.S(6)), Rgb(0, 0, 0), 0.45f);
    target.Fill(RoundRect(a.x, a.y, b.x, b.y, d.S(6)), Rgb(240, 255, 240));
    target.Fill(RoundRect(a.x + 1.2f, a.y + 1.2f, b.x - 1.2f, b.y - 1.2f, d.S(5)),
                Linear(a, b, {{0, Rgb(130, 220, 96)}, {0.55f, Rgb(54, 168, 52)}, {1, Rgb(24, 112, 34)}}));
    target.Fill(Intersect(RoundRect(a.x + 1.2f, a.y + 1.2f, b.x - 1.2f, b.y - 1.2f, d.S(5)),
                          Rect(a.x, a.y, b.x, (a.y + b.y) / 2)),
                Rgb(255, 255, 255), 0.22f);
    // Double note: two heads, two stems, one beam.
    const Color white = Rgb(255, 255, 255);
    const Point h1 = d.P(15.5f, 27), h2 = d.P(26, 24.5f);
    target.Fill(Ellipse(h1.x, h1.y, d.S(3.3f), d.S(2.5f)), white);
    target.Fill(Ellipse(h2.x, h2.y, d.S(3.3f), d.S(2.5f)), white);
    const Point s1 = d.P(18.3f, 27), s2 = d.P(28.8f, 24.5f);
    const Point t1 = d.P(18.3f, 13.5f), t2 = d.P(28.8f, 11);
    target.Fill(Line(s1, t1, d.S(1.4f)), white);
    target.Fill(Line(s2, t2, d.S(1.4f)), white);
    target.Fill(Polygon({t1, t2, {t2.x, t2.y + d.S(3.2f)}, {t1.x, t1.y + d.S(3.2f)}}), white);
}

void PaintToolArm(Raster& target, const DiscPlace& disc) {
    const Design d{disc};
    const Point pivot = d.P(37, 31);
    const std::vector<Point> arm = Spline(d.Ps({{37, 31}, {34, 10}, {24, -2}, {12, -6}}), false, 12);
    const Paint silver =
        Linear(d.P(10, -10), d.P(40, 30),
               {{0, Rgb(252, 252, 255)}, {0.5f, Rgb(176, 178, 188)}, {1, Rgb(236, 236, 242)}});
    target.Fill(Translate(Polyline(arm, d.S(6)), 1, 1.5f), Rgb(0, 0, 0), 0.45f);
    target.Fill(Polyline(arm, d.S(6.4f)), Rgb(70, 70, 82));
    target.Fill(Polyline(arm, d.S(4.4f)), silver);
    target.Fill(Polyline(arm, d.S(1.2f)), Rgb(255, 255, 255), 0.55f);
    // Head resting on the disc.
    const Point h = d.P(10, -6);
    const Shape head = Polygon(d.Ps({{16, -10}, {16, -1}, {4, -2}, {3, -9}}));
    target.Fill(Translate(head, 1, 1.5f), Rgb(0, 0, 0), 0.4f);
    target.Fill(head, Rgb(70, 70, 82));
    target.Fill(Polygon(d.Ps({{15, -9}, {15, -2}, {5, -3}, {4.2f, -8.3f}})),
                Vertical(d.P(0, -9).y, d.P(0, -2).y, {{0, Rgb(236, 236, 242)}, {1, Rgb(150, 152, 162)}}));
    target.Fill(Line(d.P(9, -9), d.P(9, -2.5f), d.S(0.8f)), Rgb(90, 90, 100), 0.8f);
    target.Fill(Circle(h.x - d.S(3), h.y + d.S(1), d.S(1.0f)), Rgb(60, 60, 70));
    // Pivot.
    target.Fill(Circle(pivot.x + 1, pivot.y + 1.5f, d.S(7)), Rgb(0, 0, 0), 0.45f);
    target.Fill(Circle(pivot.x, pivot.y, d.S(7)), Rgb(70, 70, 82));
    target.Fill(Circle(pivot.x, pivot.y, d.S(6)),
                Radial(d.P(35, 29), d.S(7), d.S(7),
                       {{0, Rgb(255, 255, 255)}, {0.6f, Rgb(196, 198, 206)}, {1, Rgb(140, 142, 152)}}));
    target.Fill(Circle(pivot.x, pivot.y, d.S(2.2f)), Rgb(90, 90, 100));
}

} // namespace artgen
