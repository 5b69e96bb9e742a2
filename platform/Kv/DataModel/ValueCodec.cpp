#include "Kv/DataModel/ValueCodec.h"

#include "Kv/Base/Utf8.h"

#include <charconv>

namespace Kv {
namespace {

template <class T> std::string shortest(T value) {
    if (value == 0)
        return "0"; // also for -0: a sign on zero only confuses readers
    char buffer[64];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

} // namespace

std::string formatNumber(double value) { return shortest(value); }
std::string formatNumber(float value) { return shortest(value); }

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
