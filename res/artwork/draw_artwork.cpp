// Draws the program's artwork: the program icon (a keycap carrying a small
// list), the maker's emblem (a quill on a medallion) and the hidden picture
// (hills at sunset). Usage: draw_artwork <output directory>
#include "canvas.h"
#include "image_files.h"

#include <algorithm>
#include <cmath>
#include <iostream>
#include <list>
#include <numbers>

namespace {

// Icons are designed on a 64 x 64 grid. Fine lines are kept at least about
// one pixel wide so that they survive at 16 pixels.
constexpr double kIconGrid = 64;

Canvas drawProgramIcon(int size)
{
    Canvas c(size, size, kIconGrid);
    const double px = c.unitsPerPixel();

    c.fill(roundRect({6, 9}, {62, 63}, 10), rgb(0x000000, 0.25)); // shadow, 32-bit images only
    c.fill(roundRect({3, 4}, {59, 59}, 10), rgb(0x262c35));
    c.fill(roundRect({3 + px, 4 + px}, {59 - px, 59 - px}, 10 - px),
        verticalGradient(4, rgb(0x8a94a0), 59, rgb(0x4a535e)));
    c.fill(roundRect({10, 7}, {52, 47}, 7), verticalGradient(7, rgb(0xffffff), 47, rgb(0xd3d9e1)));

    struct Row
    {
        double y, end;
        std::uint32_t bullet;
    };
    const bool tiny = size <= 16;
    const std::vector<Row> rows = tiny
        ? std::vector<Row>{{18, 45, 0xe5484d}, {34, 41, 0x0b6bcb}}
        : std::vector<Row>{{17, 45, 0xe5484d}, {27, 40, 0x30a46c}, {37, 43, 0x0b6bcb}};
    const double bulletRadius = std::max(3.0, 1.0 * px);
    const double lineWidth = std::max(3.5, 1.3 * px);
    for (const Row& row : rows) {
        c.fill(circle({19, row.y}, bulletRadius), rgb(row.bullet));
        c.fill(stroke({26, row.y}, {row.end, row.y}, lineWidth), rgb(0x3a424d));
    }
    return c;
}

Canvas drawMakerIcon(int size)
{
    Canvas c(size, size, kIconGrid);
    const double px = c.unitsPerPixel();
    const double ring = std::max(3.0, 1.2 * px);

    c.fill(circle({32, 32}, 30), verticalGradient(2, rgb(0xf6d88a), 62, rgb(0xb07d25)));
    c.fill(circle({32, 32}, 30 - ring), verticalGradient(2, rgb(0x3468b5), 62, rgb(0x142b55)));

    // The quill lies along a slightly bent axis from the nib to the tip; its
    // parts are drawn in a frame where u runs from 0 at the nib to 1 at the
    // tip and v across the axis, in grid units.
    const Vec nib{17, 49}, tip{48, 12};
    const double length = std::hypot(tip.x - nib.x, tip.y - nib.y);
    const Vec along{(tip.x - nib.x) / length, (tip.y - nib.y) / length};
    auto quill = [=](auto inside) {
        return [=](Vec p) {
            double dx = p.x - nib.x, dy = p.y - nib.y;
            double u = (dx * along.x + dy * along.y) / length;
            double v = dx * -along.y + dy * along.x - 2.5 * std::sin(std::numbers::pi * u);
            return inside(u, v);
        };
    };
    // Half width of the vane at u; the upper side (v < 0) is the broad one.
    auto vane = [](double u, double v) {
        double s = (u - 0.3) / 0.7;
        if (s <= 0 || s >= 1)
            return false;
        double half = 8.5 * std::pow(std::sin(std::numbers::pi * s), 0.6) * (1 - 0.35 * s);
        return v < 0 ? -v <= half : v <= 0.65 * half;
    };
    // Two slanted slits in the broad side, only where there is room for them.
    auto slit = [=](double u, double v) {
        if (size < 32 || v > -2)
            return false;
        return std::abs(u - 0.55 - 0.02 * v) < 0.012 || std::abs(u - 0.75 - 0.02 * v) < 0.012;
    };
    const double shaftWidth = std::max(1.6, 1.1 * px);

    c.fill(quill([=](double u, double v) { return v < 0 && vane(u, v) && !slit(u, v); }), rgb(0xffffff));
    c.fill(quill([=](double u, double v) { return v >= 0 && vane(u, v); }), rgb(0xcfd9e8));
    c.fill(quill([=](double u, double v) { return u >= 0.12 && u <= 0.97 && std::abs(v) <= shaftWidth / 2; }),
        rgb(0x9fb0c6));
    c.fill(quill([](double u, double v) { return u >= 0 && u < 0.14 && std::abs(v) <= 0.4 + 14 * u; }),
        rgb(0xf3cf6e)); // the nib
    return c;
}

Canvas drawPicture()
{
    Canvas c(84, 68, 84);
    auto below = [](auto skyline) { return [=](Vec p) { return p.y >= skyline(p.x); }; };

    c.fill([](Vec) { return true; }, verticalGradient(0, rgb(0x1e3c72), 46, rgb(0xf7a35c)));
    c.fill(circle({58, 38}, 15), rgb(0xffd89b, 0.3));
    c.fill(circle({58, 38}, 8), rgb(0xfff3c4));
    for (Vec bird : {Vec{22, 14}, Vec{30, 19}}) {
        c.fill(unite(stroke({bird.x - 3, bird.y - 1.5}, bird, 0.9),
                   stroke(bird, {bird.x + 3, bird.y - 1.5}, 0.9)),
            rgb(0x2a2440));
    }
    c.fill(below([](double x) { return 35 + 6 * std::sin(x * 0.09 + 0.5) + 3 * std::sin(x * 0.23); }),
        verticalGradient(26, rgb(0x7a6396), 50, rgb(0x4f4a78)));
    c.fill(below([](double x) { return 47 + 4 * std::sin(x * 0.06 + 2.2) + 2 * std::sin(x * 0.17 + 1); }),
        verticalGradient(40, rgb(0x35715e), 68, rgb(0x1e4a3f)));
    // Fir trees, given by the top of each; they all stand on the same line.
    for (Vec top : {Vec{9, 46}, Vec{14, 43}, Vec{70, 46}, Vec{76, 43}}) {
        c.fill(
            [=](Vec p) { return p.y >= top.y && p.y <= 56 && std::abs(p.x - top.x) <= (p.y - top.y) * 0.32; },
            rgb(0x12302a));
    }
    c.fill(below([](double x) { return 59 + 1.5 * std::sin(x * 0.12); }), rgb(0x173a30));
    return c;
}

// The link buttons' pointer: a hand whose raised index finger points at the
// hot spot, white with a black rim so that it shows on any background.
constexpr unsigned kLinkCursorHotX = 12, kLinkCursorHotY = 0;

Canvas drawLinkCursor()
{
    Canvas c(32, 32, 32);
    auto hand = [](double rim) {
        auto part = [=](Vec topLeft, Vec bottomRight, double radius) {
            return roundRect(
                {topLeft.x - rim, topLeft.y - rim}, {bottomRight.x + rim, bottomRight.y + rim}, radius + rim);
        };
        const Shape finger = part({10, 1}, {15, 20}, 2.5);
        const Shape folded = unite(
            part({15, 10}, {19, 20}, 2), unite(part({19, 11}, {23, 20}, 2), part({23, 13}, {27, 21}, 2)));
        const Shape thumb = stroke({5, 17}, {10, 23}, 3.5 + 2 * rim);
        const Shape palm = part({8, 16}, {27, 30}, 4);
        return unite(unite(finger, folded), unite(thumb, palm));
    };
    c.fill(hand(1.2), rgb(0x000000));
    c.fill(hand(0), rgb(0xffffff));
    return c;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: draw_artwork <output directory>\n";
        return 2;
    }
    const std::string out = argv[1];
    try {
        // std::list keeps the canvases where they are while images refer to them.
        std::list<Canvas> canvases;
        std::vector<IconImage> program, maker;
        for (int size : {16, 32, 48}) {
            const Canvas& picture = canvases.emplace_back(drawProgramIcon(size));
            for (int bits : {4, 24, 32})
                program.push_back({picture, bits});
        }
        for (int size : {16, 24, 32, 48}) {
            const Canvas& picture = canvases.emplace_back(drawMakerIcon(size));
            for (int bits : {4, 8, 24, 32})
                maker.push_back({picture, bits});
        }
        maker.push_back({canvases.emplace_back(drawMakerIcon(64)), 32});

        writeIcon(out + "/Keyvane.ico", program);
        writeIcon(out + "/Maker.ico", maker);
        writeBitmap(out + "/Egg.bmp", drawPicture());
        writeCursor(out + "/Link.cur", {canvases.emplace_back(drawLinkCursor()), 32}, kLinkCursorHotX,
            kLinkCursorHotY);
    } catch (const std::exception& e) {
        std::cerr << "draw_artwork: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
