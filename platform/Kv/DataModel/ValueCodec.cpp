#include "Kv/DataModel/ValueCodec.h"

#include "Kv/Base/Utf8.h"
#include "ZkGeFormat.h"

#include <charconv>

namespace Kv {

std::string formatNumber(double value) {
    return ZkGeFormat::number(value);
}

// Floats get their own shortest form: widened to double, 0.1f would print as
// 0.100000001490116.
std::string formatNumber(float value) {
    if (value == 0)
        return "0";
    char buffer[32];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

void printQuoted(const std::wstring& text, std::ostream& out) {
    out << '"';
    for (char c : Utf8::toUtf8(text)) {
        if (c == '"' || c == '\\')
            out << '\\';
        out << c;
    }
    out << '"';
}

} // namespace Kv
