#include "image_files.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <stdexcept>
#include <utility>

namespace {

using Bytes = std::vector<std::uint8_t>;

void put16(Bytes& out, unsigned value)
{
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void put32(Bytes& out, std::uint32_t value)
{
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

std::uint8_t channel(double value)
{
    return static_cast<std::uint8_t>(std::lround(std::clamp(value, 0.0, 1.0) * 255));
}

using Rgb = std::array<std::uint8_t, 3>;

Rgb toRgb(Colour c) { return {channel(c.r), channel(c.g), channel(c.b)}; }

bool masked(Colour c) { return c.a < 0.5; }

// A palette made for one image by median cut: starting from one box holding
// every visible pixel, the box with the widest spread in one channel is split
// at that channel's median until there are enough boxes; each box gives its
// mean colour. Splitting by spread rather than by pixel count keeps small
// features in colours of their own. Entry 0 stays black, the value that
// masked-out pixels hold.
std::vector<Rgb> paletteFor(const Canvas& picture, int bitCount)
{
    using Box = std::vector<Rgb>;
    std::vector<Box> boxes(1);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            if (Colour c = picture.pixel(x, y); !masked(c))
                boxes[0].push_back(toRgb(c));

    auto spread = [](const Box& box, std::size_t ch) {
        auto [lo, hi] = std::minmax_element(
            box.begin(), box.end(), [ch](const Rgb& a, const Rgb& b) { return a[ch] < b[ch]; });
        return box.empty() ? 0 : (*hi)[ch] - (*lo)[ch];
    };
    const std::size_t entries = std::size_t{1} << bitCount;
    while (boxes.size() < entries - 1) {
        std::size_t widest = 0, channelToSplit = 0;
        int widestSpread = 0;
        for (std::size_t i = 0; i < boxes.size(); ++i)
            for (std::size_t ch = 0; ch < 3; ++ch)
                if (int s = spread(boxes[i], ch); s > widestSpread)
                    widest = i, channelToSplit = ch, widestSpread = s;
        if (widestSpread == 0)
            break;
        Box& box = boxes[widest];
        std::sort(box.begin(), box.end(),
            [ch = channelToSplit](const Rgb& a, const Rgb& b) { return a[ch] < b[ch]; });
        Box upper(box.begin() + static_cast<std::ptrdiff_t>(box.size() / 2), box.end());
        box.resize(box.size() / 2);
        boxes.push_back(std::move(upper));
    }

    std::vector<Rgb> palette(entries, Rgb{0, 0, 0});
    for (std::size_t i = 0; i < boxes.size() && !boxes[i].empty(); ++i) {
        std::array<std::size_t, 3> sum{};
        for (const Rgb& p : boxes[i])
            for (std::size_t ch = 0; ch < 3; ++ch)
                sum[ch] += p[ch];
        for (std::size_t ch = 0; ch < 3; ++ch)
            palette[i + 1][ch] = static_cast<std::uint8_t>(sum[ch] / boxes[i].size());
    }
    return palette;
}

unsigned nearestIndex(const std::vector<Rgb>& palette, Colour c)
{
    const Rgb want = toRgb(c);
    auto distance = [&](const Rgb& p) {
        // Weighted so that green, to which the eye is most sensitive, counts most.
        int r = p[0] - want[0], g = p[1] - want[1], b = p[2] - want[2];
        return 2 * r * r + 4 * g * g + 3 * b * b;
    };
    auto best = std::min_element(palette.begin(), palette.end(),
        [&](const Rgb& x, const Rgb& y) { return distance(x) < distance(y); });
    return static_cast<unsigned>(best - palette.begin());
}

std::size_t rowBytes(int width, int bitCount)
{
    return static_cast<std::size_t>((width * bitCount + 31) / 32 * 4);
}

// One icon image as it is stored in an .ico file: a BITMAPINFOHEADER whose
// height counts both the colour bits and the AND mask, the palette, the
// colour rows and the mask rows, all bottom-up.
Bytes iconImage(const Canvas& picture, int bitCount)
{
    const int w = picture.width(), h = picture.height();
    const std::vector<Rgb> palette = bitCount <= 8 ? paletteFor(picture, bitCount) : std::vector<Rgb>{};
    const std::size_t colourRow = rowBytes(w, bitCount), maskRow = rowBytes(w, 1);

    Bytes out;
    put32(out, 40);
    put32(out, static_cast<std::uint32_t>(w));
    put32(out, static_cast<std::uint32_t>(2 * h));
    put16(out, 1);
    put16(out, static_cast<unsigned>(bitCount));
    put32(out, 0); // BI_RGB
    put32(out, static_cast<std::uint32_t>((colourRow + maskRow) * static_cast<std::size_t>(h)));
    put32(out, 0);
    put32(out, 0);
    put32(out, 0); // every palette entry is used
    put32(out, 0);
    for (const Rgb& p : palette) {
        out.insert(out.end(), {p[2], p[1], p[0], 0});
    }

    for (int y = h - 1; y >= 0; --y) {
        Bytes row(colourRow, 0);
        for (int x = 0; x < w; ++x) {
            Colour c = picture.pixel(x, y);
            if (bitCount <= 8) {
                unsigned index = masked(c) ? 0 : nearestIndex(palette, c);
                if (bitCount == 8)
                    row[static_cast<std::size_t>(x)] = static_cast<std::uint8_t>(index);
                else
                    row[static_cast<std::size_t>(x / 2)]
                        |= static_cast<std::uint8_t>(index << (x % 2 ? 0 : 4));
                continue;
            }
            if (bitCount == 24 && masked(c))
                c = {0, 0, 0, 0};
            auto* px = &row[static_cast<std::size_t>(x * bitCount / 8)];
            px[0] = channel(c.b);
            px[1] = channel(c.g);
            px[2] = channel(c.r);
            if (bitCount == 32)
                px[3] = channel(c.a);
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    for (int y = h - 1; y >= 0; --y) {
        Bytes row(maskRow, 0);
        for (int x = 0; x < w; ++x) {
            if (masked(picture.pixel(x, y)))
                row[static_cast<std::size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

void save(const std::string& path, const Bytes& bytes)
{
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!file)
        throw std::runtime_error("cannot write " + path);
}

// The .ico and .cur files share one layout: a directory of the images, then
// the images. Of each entry's two words before the image's size, an icon
// gives its planes and bit count, a cursor its hot spot.
template <class EntryWords>
void writeImageFile(
    const std::string& path, unsigned type, const std::vector<IconImage>& images, EntryWords words)
{
    Bytes directory, data;
    put16(directory, 0);
    put16(directory, type);
    put16(directory, static_cast<unsigned>(images.size()));
    const std::size_t firstImage = 6 + 16 * images.size();
    for (const IconImage& image : images) {
        Bytes bits = iconImage(image.picture, image.bitCount);
        directory.push_back(static_cast<std::uint8_t>(image.picture.width()));
        directory.push_back(static_cast<std::uint8_t>(image.picture.height()));
        directory.push_back(image.bitCount == 4 ? 16 : 0); // colour count; 0 stands for 256 or more
        directory.push_back(0);
        const auto [first, second] = words(image);
        put16(directory, first);
        put16(directory, second);
        put32(directory, static_cast<std::uint32_t>(bits.size()));
        put32(directory, static_cast<std::uint32_t>(firstImage + data.size()));
        data.insert(data.end(), bits.begin(), bits.end());
    }
    directory.insert(directory.end(), data.begin(), data.end());
    save(path, directory);
}

} // namespace

void writeIcon(const std::string& path, const std::vector<IconImage>& images)
{
    writeImageFile(path, 1, images, [](const IconImage& image) {
        return std::pair{1u, static_cast<unsigned>(image.bitCount)};
    });
}

void writeCursor(const std::string& path, const IconImage& image, unsigned hotX, unsigned hotY)
{
    writeImageFile(path, 2, {image}, [=](const IconImage&) { return std::pair{hotX, hotY}; });
}

void writeBitmap(const std::string& path, const Canvas& picture)
{
    const int w = picture.width(), h = picture.height();
    const std::size_t row = rowBytes(w, 24);
    const auto pixelBytes = static_cast<std::uint32_t>(row * static_cast<std::size_t>(h));

    Bytes out{'B', 'M'};
    put32(out, 14 + 40 + pixelBytes);
    put32(out, 0);
    put32(out, 14 + 40);
    put32(out, 40);
    put32(out, static_cast<std::uint32_t>(w));
    put32(out, static_cast<std::uint32_t>(h)); // positive: bottom-up
    put16(out, 1);
    put16(out, 24);
    put32(out, 0); // BI_RGB
    put32(out, pixelBytes);
    put32(out, 0);
    put32(out, 0);
    put32(out, 0);
    put32(out, 0);
    for (int y = h - 1; y >= 0; --y) {
        Bytes bits(row, 0);
        for (int x = 0; x < w; ++x) {
            Colour c = picture.pixel(x, y);
            bits[static_cast<std::size_t>(3 * x)] = channel(c.b);
            bits[static_cast<std::size_t>(3 * x + 1)] = channel(c.g);
            bits[static_cast<std::size_t>(3 * x + 2)] = channel(c.r);
        }
        out.insert(out.end(), bits.begin(), bits.end());
    }
    save(path, out);
}
