#include "Raster.h"

#include <algorithm>
#include <cmath>

namespace artgen {
namespace {

float DistanceToSegment(float px, float py, Point a, Point b) {
    const float dx = b.x - a.x;
    const float dy = b.y - a.y;
    const float len2 = dx * dx + dy * dy;
    float t = len2 > 0 ? ((px - a.x) * dx + (py - a.y) * dy) / len2 : 0.0f;
    t = std::clamp(t, 0.0f, 1.0f);
    const float ex = px - (a.x + t * dx);
    const float ey = py - (a.y + t * dy);
    return std::sqrt(ex * ex + ey * ey);
}

// Signed distance to a rounded rectangle, negative inside.
float RoundRectDistance(float x, float y, float x0, float y0, float x1, float y1, float r) {
    const float cx = (x0 + x1) / 2;
    const float cy = (y0 + y1) / 2;
    const float hx = (x1 - x0) / 2 - r;
    const float hy = (y1 - y0) / 2 - r;
    const float qx = std::fabs(x - cx) - hx;
    const float qy = std::fabs(y - cy) - hy;
    const float ox = std::max(qx, 0.0f);
    const float oy = std::max(qy, 0.0f);
    return std::sqrt(ox * ox + oy * oy) + std::min(std::max(qx, qy), 0.0f) - r;
}

Box Grow(Box b, float by) {
    return Box{b.x0 - by, b.y0 - by, b.x1 + by, b.y1 + by};
}

Box BoundsOf(const std::vector<Point>& points) {
    Box b{1e9f, 1e9f, -1e9f, -1e9f};
    for (const Point& p : points) {
        b.x0 = std::min(b.x0, p.x);
        b.y0 = std::min(b.y0, p.y);
        b.x1 = std::max(b.x1, p.x);
        b.y1 = std::max(b.y1, p.y);
    }
    return b;
}

} // namespace

Shape Rect(float x0, float y0, float x1, float y1) {
    return Shape{[=](float x, float y) { return x >= x0 && x < x1 && y >= y0 && y < y1; },
                 Box{x0, y0, x1, y1}};
}

Shape Circle(float cx, float cy, float r) {
    return Ellipse(cx, cy, r, r);
}

Shape Ellipse(float cx, float cy, float rx, float ry) {
    return Shape{[=](float x, float y) {
                     const float nx = (x - cx) / rx;
                     const float ny = (y - cy) / ry;
                     return nx * nx + ny * ny <= 1.0f;
                 },
                 Box{cx - rx, cy - ry, cx + rx, cy + ry}};
}

Shape RoundRect(float x0, float y0, float x1, float y1, float r) {
    return Shape{[=](float x, float y) { return RoundRectDistance(x, y, x0, y0, x1, y1, r) <= 0; },
                 Box{x0, y0, x1, y1}};
}

Shape RoundRect4(float x0, float y0, float x1, float y1, float tl, float tr, float br, float bl) {
    return Shape{[=](float x, float y) {
                     if (x < x0 || x >= x1 || y < y0 || y >= y1) {
                         return false;
                     }
                     auto outsideCorner = [&](float cx, float cy, float r, bool left, bool top) {
                         if (r <= 0) {
                             return false;
                         }
                         const bool inCornerBox = (left ? x < cx : x > cx) && (top ? y < cy : y > cy);
                         const float dx = x - cx;
                         const float dy = y - cy;
                         return inCornerBox && dx * dx + dy * dy > r * r;
                     };
                     return !outsideCorner(x0 + tl, y0 + tl, tl, true, true) &&
                            !outsideCorner(x1 - tr, y0 + tr, tr, false, true) &&
                            !outsideCorner(x1 - br, y1 - br, br, false, false) &&
                            !outsideCorner(x0 + bl, y1 - bl, bl, true, false);
                 },
                 Box{x0, y0, x1, y1}};
}

Shape Polygon(std::vector<Point> points) {
    const Box bounds = BoundsOf(points);
    return Shape{[points = std::move(points)](float x, float y) {
                     int winding = 0;
                     const size_t n = points.size();
                     for (size_t i = 0; i < n; ++i) {
                         const Point& a = points[i];
                         const Point& b = points[(i + 1) % n];
                         const float side = (b.x - a.x) * (y - a.y) - (x - a.x) * (b.y - a.y);
                         if (a.y <= y && b.y > y && side > 0) {
                             ++winding;
                         } else if (a.y > y && b.y <= y && side < 0) {
                             --winding;
                         }
                     }
                     return winding != 0;
                 },
                 bounds};
}

Shape Line(Point p0, Point p1, float width) {
    return Polyline({p0, p1}, width);
}

Shape Polyline(std::vector<Point> points, float width) {
    const Box bounds = Grow(BoundsOf(points), width / 2);
    const float half = width / 2;
    return Shape{[points = std::move(points), half](float x, float y) {
                     for (size_t i = 0; i + 1 < points.size(); ++i) {
                         if (DistanceToSegment(x, y, points[i], points[i + 1]) <= half) {
                             return true;
                         }
                     }
                     return points.size() == 1 && DistanceToSegment(x, y, points[0], points[0]) <= half;
                 },
                 bounds};
}

Shape StrokeCircle(float cx, float cy, float r, float width) {
    return StrokeEllipse(cx, cy, r, r, width);
}

Shape StrokeEllipse(float cx, float cy, float rx, float ry, float width) {
    const float half = width / 2;
    return Subtract(Ellipse(cx, cy, rx + half, ry + half), Ellipse(cx, cy, rx - half, ry - half));
}

std::vector<Point> Spline(const std::vector<Point>& controls, bool closed, int steps) {
    const int n = static_cast<int>(controls.size());
    auto at = [&](int i) {
        if (closed) {
            return controls[static_cast<size_t>((i % n + n) % n)];
        }
        return controls[static_cast<size_t>(std::clamp(i, 0, n - 1))];
    };
    std::vector<Point> out;
    const int segments = closed ? n : n - 1;
    for (int i = 0; i < segments; ++i) {
        const Point p0 = at(i - 1), p1 = at(i), p2 = at(i + 1), p3 = at(i + 2);
        for (int s = 0; s < steps; ++s) {
            const float t = static_cast<float>(s) / static_cast<float>(steps);
            const float t2 = t * t, t3 = t2 * t;
            auto blend = [&](float a, float b, float c, float d) {
                return 0.5f * (2 * b + (-a + c) * t + (2 * a - 5 * b + 4 * c - d) * t2 +
                               (-a + 3 * b - 3 * c + d) * t3);
            };
            out.push_back(Point{blend(p0.x, p1.x, p2.x, p3.x), blend(p0.y, p1.y, p2.y, p3.y)});
        }
    }
    if (!closed && n > 0) {
        out.push_back(controls.back());
    }
    return out;
}

Shape Union(Shape a, Shape b) {
    const Box bounds{std::min(a.bounds.x0, b.bounds.x0), std::min(a.bounds.y0, b.bounds.y0),
                     std::max(a.bounds.x1, b.bounds.x1), std::max(a.bounds.y1, b.bounds.y1)};
    return Shape{
        [a = std::move(a.inside), b = std::move(b.inside)](float x, float y) { return a(x, y) || b(x, y); },
        bounds};
}

Shape Intersect(Shape a, Shape b) {
    const Box bounds{std::max(a.bounds.x0, b.bounds.x0), std::max(a.bounds.y0, b.bounds.y0),
                     std::min(a.bounds.x1, b.bounds.x1), std::min(a.bounds.y1, b.bounds.y1)};
    return Shape{
        [a = std::move(a.inside), b = std::move(b.inside)](float x, float y) { return a(x, y) && b(x, y); },
        bounds};
}

Shape Subtract(Shape a, Shape b) {
    const Box bounds = a.bounds;
    return Shape{
        [a = std::move(a.inside), b = std::move(b.inside)](float x, float y) { return a(x, y) && !b(x, y); },
        bounds};
}

Shape Translate(Shape s, float dx, float dy) {
    const Box bounds{s.bounds.x0 + dx, s.bounds.y0 + dy, s.bounds.x1 + dx, s.bounds.y1 + dy};
    return Shape{[f = std::move(s.inside), dx, dy](float x, float y) { return f(x - dx, y - dy); }, bounds};
}

} // namespace artgen
