#include "Kv/Base/XmlError.h"

namespace Kv {
namespace {

std::string describe(const std::string& file, int line, const std::string& reason) {
    std::string text = file;
    if (line > 0)
        text += ':' + std::to_string(line);
    return text + ": " + reason;
}

} // namespace

XmlError::XmlError(const std::string& file, int line, const std::string& reason)
    : std::runtime_error(describe(file, line, reason))
    , m_file(file)
    , m_line(line)
    , m_reason(reason) {}

} // namespace Kv
