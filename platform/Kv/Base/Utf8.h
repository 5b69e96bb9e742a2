#pragma once

#include <string>
#include <string_view>

namespace Kv {

// Conversions between UTF-8 (files, paths, the C libraries) and the wide
// strings the host shows to users. Malformed input never throws: each bad
// sequence becomes U+FFFD, so text read from disk can always be displayed.
class Utf8 {
public:
    static std::wstring toWide(std::string_view utf8);
    static std::string toUtf8(std::wstring_view wide);
};

} // namespace Kv
