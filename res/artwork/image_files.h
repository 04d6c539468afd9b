// Writers for the file formats the resource compiler takes in.
#pragma once

#include "canvas.h"

#include <string>
#include <vector>

struct IconImage
{
    const Canvas& picture;
    int bitCount; // 4 and 8 use a palette; 24 and 32 are true colour, 32 with alpha
};

// An .ico file: every image with its colour bits and its AND mask.
void writeIcon(const std::string& path, const std::vector<IconImage>& images);

// A .cur file of one image, its hot spot at (hotX, hotY) from the top left.
void writeCursor(const std::string& path, const IconImage& image, unsigned hotX, unsigned hotY);

// A 24-bit, bottom-up .bmp file of an opaque picture.
void writeBitmap(const std::string& path, const Canvas& picture);
