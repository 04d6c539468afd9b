#include "DialogTemplate.h"

#include <gtest/gtest.h>

#include <cstring>
#include <iomanip>
#include <iterator>

namespace {

// Names that a template gives by number read as "#<number>".
std::string ordinal(unsigned number)
{
    std::string name = "#";
    name += std::to_string(number);
    return name;
}

class Reader
{
public:
    Reader(const void* data, std::size_t size) : base_(static_cast<const BYTE*>(data)), size_(size) { }

    bool ok() const { return ok_; }

    template <typename T> T read()
    {
        T value{};
        if (!take(sizeof value))
            return value;
        std::memcpy(&value, base_ + offset_ - sizeof value, sizeof value);
        return value;
    }

    // sz_Or_Ord: empty, an ordinal after 0xFFFF, or a zero-terminated UTF-16 text.
    std::string nameOrOrdinal()
    {
        if (peekWord() == 0xFFFF) {
            read<WORD>();
            return ordinal(read<WORD>());
        }
        return text();
    }

    // The texts here are plain ASCII, so each UTF-16 unit narrows as it is.
    std::string text()
    {
        std::string s;
        while (ok_) {
            WCHAR c = read<WCHAR>();
            if (c == 0)
                break;
            s += c < 0x80 ? static_cast<char>(c) : '?';
        }
        return s;
    }

    void alignToDword() { take((4 - offset_ % 4) % 4); }
    void skip(std::size_t bytes) { take(bytes); }

private:
    WORD peekWord() const
    {
        WORD w = 0;
        if (offset_ + sizeof w <= size_)
            std::memcpy(&w, base_ + offset_, sizeof w);
        return w;
    }

    bool take(std::size_t bytes)
    {
        if (!ok_ || offset_ + bytes > size_) {
            if (ok_)
                ADD_FAILURE() << "dialog template ends at byte " << size_ << ", wanted " << bytes
                              << " more bytes at " << offset_;
            ok_ = false;
            return false;
        }
        offset_ += bytes;
        return true;
    }

    const BYTE* base_;
    std::size_t size_, offset_ = 0;
    bool ok_ = true;
};

std::string predefinedClass(const std::string& name)
{
    static const char* const names[] = {"Button", "Edit", "Static", "ListBox", "ScrollBar", "ComboBox"};
    for (unsigned i = 0; i < std::size(names); ++i) {
        if (name == ordinal(0x80 + i))
            return names[i];
    }
    return name;
}

} // namespace

DialogTemplate parseDialogTemplate(const void* data, std::size_t size)
{
    DialogTemplate result;
    Reader in(data, size);
    WORD version = in.read<WORD>(), signature = in.read<WORD>();
    if (version != 1 || signature != 0xFFFF) {
        ADD_FAILURE() << "expected an extended dialog template (1, 0xFFFF), got " << version << ", "
                      << signature;
        return result;
    }
    DialogFrame& f = result.frame;
    f.helpId = in.read<DWORD>();
    f.exStyle = in.read<DWORD>();
    f.style = in.read<DWORD>();
    WORD count = in.read<WORD>();
    f.x = in.read<short>();
    f.y = in.read<short>();
    f.cx = in.read<short>();
    f.cy = in.read<short>();
    f.menu = in.nameOrOrdinal();
    f.windowClass = in.nameOrOrdinal();
    f.title = in.text();
    if (f.style & (DS_SETFONT | DS_SHELLFONT)) {
        f.pointSize = in.read<WORD>();
        f.weight = in.read<WORD>();
        f.italic = in.read<BYTE>();
        f.charset = in.read<BYTE>();
        f.typeface = in.text();
    }
    for (WORD i = 0; i < count && in.ok(); ++i) {
        in.alignToDword();
        DialogControl c;
        c.helpId = in.read<DWORD>();
        c.exStyle = in.read<DWORD>();
        c.style = in.read<DWORD>();
        c.x = in.read<short>();
        c.y = in.read<short>();
        c.cx = in.read<short>();
        c.cy = in.read<short>();
        c.id = in.read<LONG>();
        c.windowClass = predefinedClass(in.nameOrOrdinal());
        c.text = in.nameOrOrdinal();
        c.extraBytes = in.read<WORD>();
        in.skip(c.extraBytes);
        if (in.ok())
            result.controls.push_back(c);
    }
    return result;
}

bool DialogControl::operator==(const DialogControl& o) const
{
    return id == o.id && lstrcmpiA(windowClass.c_str(), o.windowClass.c_str()) == 0 && text == o.text
        && style == o.style && exStyle == o.exStyle && helpId == o.helpId && x == o.x && y == o.y
        && cx == o.cx && cy == o.cy && extraBytes == o.extraBytes;
}

namespace {

struct Hex
{
    DWORD value;
};

std::ostream& operator<<(std::ostream& out, Hex h)
{
    return out << "0x" << std::hex << std::setw(8) << std::setfill('0') << h.value << std::dec
               << std::setfill(' ');
}

} // namespace

std::ostream& operator<<(std::ostream& out, const DialogFrame& f)
{
    return out << "{style " << Hex{f.style} << ", exstyle " << Hex{f.exStyle} << ", help " << f.helpId
               << ", at " << f.x << "," << f.y << " size " << f.cx << "x" << f.cy << ", menu \"" << f.menu
               << "\", class \"" << f.windowClass << "\", title \"" << f.title << "\", font " << f.pointSize
               << " pt \"" << f.typeface << "\" weight " << f.weight << " italic " << int{f.italic}
               << " charset " << int{f.charset} << "}";
}

std::ostream& operator<<(std::ostream& out, const DialogControl& c)
{
    return out << "{id " << c.id << ", class \"" << c.windowClass << "\", text \"" << c.text << "\", style "
               << Hex{c.style} << ", exstyle " << Hex{c.exStyle} << ", help " << c.helpId << ", at " << c.x
               << "," << c.y << " size " << c.cx << "x" << c.cy << ", extra " << c.extraBytes << "}";
}
