#include "canvas.h"

#include <algorithm>
#include <cmath>

Colour rgb(std::uint32_t hex, double alpha)
{
    return {((hex >> 16) & 0xFF) / 255.0, ((hex >> 8) & 0xFF) / 255.0, (hex & 0xFF) / 255.0, alpha};
}

Colour mix(Colour from, Colour to, double t)
{
    t = std::clamp(t, 0.0, 1.0);
    auto lerp = [t](double a, double b) { return a + (b - a) * t; };
    return {lerp(from.r, to.r), lerp(from.g, to.g), lerp(from.b, to.b), lerp(from.a, to.a)};
}

Shape circle(Vec centre, double radius)
{
    return [=](Vec p) { return std::hypot(p.x - centre.x, p.y - centre.y) <= radius; };
}

Shape roundRect(Vec topLeft, Vec bottomRight, double radius)
{
    return [=](Vec p) {
        // Distance from the rectangle shrunk by the radius.
        double dx = std::max({topLeft.x + radius - p.x, p.x - (bottomRight.x - radius), 0.0});
        double dy = std::max({topLeft.y + radius - p.y, p.y - (bottomRight.y - radius), 0.0});
        return p.x >= topLeft.x && p.x <= bottomRight.x && p.y >= topLeft.y && p.y <= bottomRight.y
            && std::hypot(dx, dy) <= radius;
    };
}

Shape stroke(Vec from, Vec to, double width)
{
    return [=](Vec p) {
        double ex = to.x - from.x, ey = to.y - from.y;
        double t = std::clamp(((p.x - from.x) * ex + (p.y - from.y) * ey) / (ex * ex + ey * ey), 0.0, 1.0);
        return std::hypot(p.x - from.x - t * ex, p.y - from.y - t * ey) <= width / 2;
    };
}

Shape unite(Shape a, Shape b)
{
    return [=](Vec p) { return a(p) || b(p); };
}

Paint solid(Colour colour)
{
    return [=](Vec) { return colour; };
}

Paint verticalGradient(double top, Colour atTop, double bottom, Colour atBottom)
{
    return [=](Vec p) { return mix(atTop, atBottom, (p.y - top) / (bottom - top)); };
}

Canvas::Canvas(int width, int height, double designWidth)
    : width_(width), height_(height), unitsPerPixel_(designWidth / width),
      premultiplied_(static_cast<std::size_t>(width * height), Colour{0, 0, 0, 0})
{
}

void Canvas::fill(const Shape& shape, const Paint& paint)
{
    constexpr int grid = 4;
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            Colour sum{0, 0, 0, 0};
            for (int sy = 0; sy < grid; ++sy) {
                for (int sx = 0; sx < grid; ++sx) {
                    Vec p{(x + (sx + 0.5) / grid) * unitsPerPixel_, (y + (sy + 0.5) / grid) * unitsPerPixel_};
                    if (!shape(p))
                        continue;
                    Colour c = paint(p);
                    sum = {sum.r + c.r * c.a, sum.g + c.g * c.a, sum.b + c.b * c.a, sum.a + c.a};
                }
            }
            constexpr double samples = grid * grid;
            Colour& dst = premultiplied_[static_cast<std::size_t>(y * width_ + x)];
            double keep = 1.0 - sum.a / samples;
            dst = {sum.r / samples + dst.r * keep, sum.g / samples + dst.g * keep,
                sum.b / samples + dst.b * keep, sum.a / samples + dst.a * keep};
        }
    }
}

Colour Canvas::pixel(int x, int y) const
{
    Colour c = premultiplied_[static_cast<std::size_t>(y * width_ + x)];
    if (c.a <= 0.0)
        return {0, 0, 0, 0};
    return {c.r / c.a, c.g / c.a, c.b / c.a, c.a};
}
