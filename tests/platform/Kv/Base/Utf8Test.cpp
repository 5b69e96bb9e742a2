#include "Kv/Base/Utf8.h"

#include <gtest/gtest.h>

namespace {

using Kv::Utf8;

TEST(Utf8Test, RoundTripsEveryEncodedLength) {
    // One, two, three and four byte sequences: A, é, €, and a clef outside
    // the basic plane (a surrogate pair where wchar_t is 16 bits).
    const std::string utf8 = "A\xC3\xA9\xE2\x82\xAC\xF0\x9D\x84\x9E";
    const std::wstring wide = Utf8::toWide(utf8);
    if constexpr (sizeof(wchar_t) >= 4) {
        EXPECT_EQ(wide, (std::wstring{L'A', wchar_t(0xE9), wchar_t(0x20AC), wchar_t(0x1D11E)}));
    }
    EXPECT_EQ(Utf8::toUtf8(wide), utf8);
    EXPECT_EQ(Utf8::toUtf8(L""), "");
}

TEST(Utf8Test, MalformedInputBecomesReplacementCharacters) {
    const std::wstring bad(1, wchar_t(0xFFFD));
    // A lone continuation byte, an overlong '/', an encoded surrogate, a
    // truncated sequence followed by a valid character, and a byte that
    // never starts a sequence.
    EXPECT_EQ(Utf8::toWide("\x80"), bad);
    EXPECT_EQ(Utf8::toWide("\xC0\xAF"), bad);
    EXPECT_EQ(Utf8::toWide("\xED\xA0\x80"), bad);
    EXPECT_EQ(Utf8::toWide("\xE2\x82"
                           "A"),
              bad + L"A");
    EXPECT_EQ(Utf8::toWide("\xFF"), bad);
    if constexpr (sizeof(wchar_t) >= 4) {
        // Beyond Unicode and a lone surrogate cannot be written as UTF-8.
        EXPECT_EQ(Utf8::toUtf8(std::wstring(1, wchar_t(0x110000))), "\xEF\xBF\xBD");
        EXPECT_EQ(Utf8::toUtf8(std::wstring(1, wchar_t(0xD800))), "\xEF\xBF\xBD");
    }
}

} // namespace
