// A tiny anti-aliased rasteriser for the program's artwork.
// Shapes are inside-tests in design units; every pixel is sampled on a
// 4 x 4 grid, so edges come out smooth without any distance maths.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

struct Vec
{
    double x, y;
};

// Straight (not premultiplied) colour, every channel 0..1.
struct Colour
{
    double r, g, b, a = 1.0;
};

Colour rgb(std::uint32_t hex, double alpha = 1.0);
Colour mix(Colour from, Colour to, double t);

using Shape = std::function<bool(Vec)>;
using Paint = std::function<Colour(Vec)>;

Shape circle(Vec centre, double radius);
Shape roundRect(Vec topLeft, Vec bottomRight, double radius);
Shape stroke(Vec from, Vec to, double width); // round-capped line
Shape unite(Shape a, Shape b);

Paint solid(Colour colour);
Paint verticalGradient(double top, Colour atTop, double bottom, Colour atBottom);

class Canvas
{
public:
    // designWidth design units span the canvas horizontally; the vertical
    // scale is the same, so the artwork keeps its proportions.
    Canvas(int width, int height, double designWidth);

    void fill(const Shape& shape, const Paint& paint);
    void fill(const Shape& shape, Colour colour) { fill(shape, solid(colour)); }

    int width() const { return width_; }
    int height() const { return height_; }
    double unitsPerPixel() const { return unitsPerPixel_; }
    Colour pixel(int x, int y) const; // straight alpha

private:
    int width_, height_;
    double unitsPerPixel_;
    std::vector<Colour> premultiplied_;
};
