#include "Raster.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace artgen {

Color Mix(Color a, Color b, float t) {
    return Color{a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t, a.a + (b.a - a.a) * t};
}

Color WithAlpha(Color c, float a) {
    c.a = a;
    return c;
}

Color SampleStops(const std::vector<Stop>& stops, float t) {
    if (stops.empty()) {
        return Color{};
    }
    if (t <= stops.front().at) {
        return stops.front().color;
    }
    for (size_t i = 1; i < stops.size(); ++i) {
        if (t <= stops[i].at) {
            const float span = stops[i].at - stops[i - 1].at;
            const float local = span > 0 ? (t - stops[i - 1].at) / span : 1.0f;
            return Mix(stops[i - 1].color, stops[i].color, local);
        }
    }
    return stops.back().color;
}

Paint Solid(Color c) {
    return [c](float, float) { return c; };
}

Paint Linear(Point p0, Point p1, std::vector<Stop> stops) {
    const float dx = p1.x - p0.x;
    const float dy = p1.y - p0.y;
    const float len2 = std::max(dx * dx + dy * dy, 1e-6f);
    return [=, stops = std::move(stops)](float x, float y) {
        const float t = ((x - p0.x) * dx + (y - p0.y) * dy) / len2;
        return SampleStops(stops, std::clamp(t, 0.0f, 1.0f));
    };
}

Paint Vertical(float y0, float y1, std::vector<Stop> stops) {
    return Linear(Point{0, y0}, Point{0, y1}, std::move(stops));
}

Paint Radial(Point centre, float rx, float ry, std::vector<Stop> stops) {
    return [=, stops = std::move(stops)](float x, float y) {
        const float nx = (x - centre.x) / rx;
        const float ny = (y - centre.y) / ry;
        return SampleStops(stops, std::clamp(std::sqrt(nx * nx + ny * ny), 0.0f, 1.0f));
    };
}

Paint Conic(Point centre, std::vector<Stop> stops) {
    return [=, stops = std::move(stops)](float x, float y) {
        float angle = std::atan2(y - centre.y, x - centre.x);
        if (angle < 0) {
            angle += 2 * std::numbers::pi_v<float>;
        }
        return SampleStops(stops, angle / (2 * std::numbers::pi_v<float>));
    };
}

} // namespace artgen
