// Reads an extended dialog template (DLGTEMPLATEEX) back into plain values.
#pragma once

#include <windows.h>

#include <cstddef>
#include <ostream>
#include <string>
#include <vector>

struct DialogFrame
{
    DWORD style = 0, exStyle = 0, helpId = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    std::string menu, windowClass, title;
    WORD pointSize = 0, weight = 0;
    BYTE italic = 0, charset = 0;
    std::string typeface;

    bool operator==(const DialogFrame&) const = default;
};

// A name that the template gives by number (a predefined window class, or the
// resource a static shows) reads as "#<number>"; predefined classes as their
// names ("Button", "Static", ...). Window class names compare regardless of
// case, as the window manager compares them (the resource compiler stores
// them in capitals).
struct DialogControl
{
    LONG id = 0;
    std::string windowClass, text;
    DWORD style = 0, exStyle = 0, helpId = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    WORD extraBytes = 0;

    bool operator==(const DialogControl& other) const;
};

struct DialogTemplate
{
    DialogFrame frame;
    std::vector<DialogControl> controls;
};

// Fails a GoogleTest assertion and returns what it has read so far when the
// data is not an extended template or runs short.
DialogTemplate parseDialogTemplate(const void* data, std::size_t size);

std::ostream& operator<<(std::ostream& out, const DialogFrame& frame);
std::ostream& operator<<(std::ostream& out, const DialogControl& control);
