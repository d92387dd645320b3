#include "platform/platform.h"

// The narrow text of a POSIX command line is UTF-8.

namespace {

constexpr char16_t kReplacement = 0xFFFD;

// Decodes one character at `text` into `codePoint` and returns the number of
// bytes it took. An ill-formed sequence yields the replacement character for
// its longest valid beginning (at least one byte), so every byte is consumed
// and n bytes never give more than n characters.
std::size_t DecodeUtf8(const unsigned char* text, char32_t& codePoint)
{
    unsigned char lead = text[0];
    if (lead < 0x80) {
        codePoint = lead;
        return 1;
    }

    std::size_t length;
    unsigned char secondLow = 0x80;
    unsigned char secondHigh = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        codePoint = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        codePoint = lead & 0x0F;
        if (lead == 0xE0)
            secondLow = 0xA0;  // no overlong forms
        if (lead == 0xED)
            secondHigh = 0x9F;  // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        codePoint = lead & 0x07;
        if (lead == 0xF0)
            secondLow = 0x90;
        if (lead == 0xF4)
            secondHigh = 0x8F;  // nothing above U+10FFFF
    } else {
        codePoint = kReplacement;
        return 1;
    }

    for (std::size_t i = 1; i < length; ++i) {
        unsigned char low = i == 1 ? secondLow : 0x80;
        unsigned char high = i == 1 ? secondHigh : 0xBF;
        if (text[i] < low || text[i] > high) {
            codePoint = kReplacement;
            return i;
        }
        codePoint = (codePoint << 6) | (text[i] & 0x3F);
    }
    return length;
}

}  // namespace

void ConvertToWide(const char* text, WideChar* buffer, std::size_t capacity)
{
    if (capacity == 0)
        return;
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(text);
    std::size_t written = 0;
    while (*bytes != 0) {
        char32_t codePoint;
        bytes += DecodeUtf8(bytes, codePoint);
        std::size_t units = codePoint > 0xFFFF ? 2 : 1;
        if (written + units >= capacity)
            break;  // keep room for the terminating NUL
        if (units == 2) {
            codePoint -= 0x10000;
            buffer[written++] = static_cast<char16_t>(0xD800 + (codePoint >> 10));
            buffer[written++] = static_cast<char16_t>(0xDC00 + (codePoint & 0x3FF));
        } else {
            buffer[written++] = static_cast<char16_t>(codePoint);
        }
    }
    buffer[written] = 0;
}
