#include "census/core/Utf8.h"

namespace {

constexpr char32_t kReplacement = 0xFFFD;

struct SequenceForm
{
    unsigned char leadMask; // the bits of the lead byte that carry the value
    size_t length;
    char32_t lowest; // anything lower is an overlong form
};

// The form a lead byte begins, or nothing for a byte that begins none.
const SequenceForm* FormOf(unsigned char lead)
{
    static constexpr SequenceForm kTwo{0x1F, 2, 0x80}, kThree{0x0F, 3, 0x800}, kFour{0x07, 4, 0x10000};
    if ((lead & 0xE0) == 0xC0)
        return &kTwo;
    if ((lead & 0xF0) == 0xE0)
        return &kThree;
    if ((lead & 0xF8) == 0xF0)
        return &kFour;
    return nullptr;
}

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

} // namespace

std::u32string DecodeUtf8(std::string_view text)
{
    std::u32string decoded;
    decoded.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        if (lead < 0x80) {
            decoded += lead;
            ++i;
            continue;
        }
        const SequenceForm* form = FormOf(lead);
        char32_t value = form ? lead & form->leadMask : 0;
        size_t length = 1;
        while (form && length < form->length && i + length < text.size()
            && IsContinuation(static_cast<unsigned char>(text[i + length]))) {
            value = (value << 6) | (static_cast<unsigned char>(text[i + length]) & 0x3F);
            ++length;
        }
        const bool wellFormed = form && length == form->length && value >= form->lowest && value <= 0x10FFFF
            && (value < 0xD800 || value > 0xDFFF);
        if (wellFormed) {
            decoded += value;
            i += length;
        } else {
            decoded += kReplacement;
            ++i;
        }
    }
    return decoded;
}

void AppendUtf8(std::string& text, char32_t codePoint)
{
    const auto byte = [&](char32_t bits) { text += static_cast<char>(bits); };
    if (codePoint < 0x80) {
        byte(codePoint);
    } else if (codePoint < 0x800) {
        byte(0xC0 | (codePoint >> 6));
        byte(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        byte(0xE0 | (codePoint >> 12));
        byte(0x80 | ((codePoint >> 6) & 0x3F));
        byte(0x80 | (codePoint & 0x3F));
    } else {
        byte(0xF0 | (codePoint >> 18));
        byte(0x80 | ((codePoint >> 12) & 0x3F));
        byte(0x80 | ((codePoint >> 6) & 0x3F));
        byte(0x80 | (codePoint & 0x3F));
    }
}
