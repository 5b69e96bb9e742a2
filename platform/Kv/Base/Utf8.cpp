#include "Kv/Base/Utf8.h"

namespace Kv {
namespace {

constexpr char32_t replacement = 0xFFFD;

bool isContinuation(unsigned char c) {
    return (c & 0xC0) == 0x80;
}

bool isScalar(char32_t c) {
    return c <= 0x10FFFF && (c < 0xD800 || c > 0xDFFF);
}

// Decodes one code point at `i` and advances past it. Overlong forms and
// surrogates are rejected: accepting them would let two different byte
// strings compare equal once widened.
char32_t decode(std::string_view s, std::size_t& i) {
    const auto lead = static_cast<unsigned char>(s[i++]);
    if (lead < 0x80)
        return lead;
    int extra;
    char32_t minimum;
    if ((lead & 0xE0) == 0xC0) {
        extra = 1;
        minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2;
        minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3;
        minimum = 0x10000;
    } else {
        return replacement;
    }
    char32_t c = lead & (0x3Fu >> extra);
    for (int k = 0; k < extra; ++k) {
        // A truncated sequence consumes only its valid prefix, so the byte
        // that broke it is decoded on its own next time round.
        if (i >= s.size() || !isContinuation(static_cast<unsigned char>(s[i])))
            return replacement;
        c = (c << 6) | (static_cast<unsigned char>(s[i++]) & 0x3F);
    }
    return c < minimum || !isScalar(c) ? replacement : c;
}

void appendWide(std::wstring& out, char32_t c) {
    if constexpr (sizeof(wchar_t) >= 4) {
        out.push_back(static_cast<wchar_t>(c));
    } else if (c < 0x10000) {
        out.push_back(static_cast<wchar_t>(c));
    } else {
        c -= 0x10000;
        out.push_back(static_cast<wchar_t>(0xD800 + (c >> 10)));
        out.push_back(static_cast<wchar_t>(0xDC00 + (c & 0x3FF)));
    }
}

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

// Next code point of a wide string; pairs surrogates where wchar_t is 16 bits.
char32_t nextWide(std::wstring_view s, std::size_t& i) {
    auto c = static_cast<char32_t>(s[i++]);
    if constexpr (sizeof(wchar_t) < 4) {
        c &= 0xFFFF;
        if (c >= 0xD800 && c <= 0xDBFF && i < s.size()) {
            const auto low = static_cast<char32_t>(s[i]) & 0xFFFF;
            if (low >= 0xDC00 && low <= 0xDFFF) {
                ++i;
                return 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
            }
        }
    }
    return isScalar(c) ? c : replacement;
}

} // namespace

std::wstring Utf8::toWide(std::string_view utf8) {
    std::wstring out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();)
        appendWide(out, decode(utf8, i));
    return out;
}

std::string Utf8::toUtf8(std::wstring_view wide) {
    std::string out;
    out.reserve(wide.size());
    for (std::size_t i = 0; i < wide.size();)
        appendUtf8(out, nextWide(wide, i));
    return out;
}

} // namespace Kv
