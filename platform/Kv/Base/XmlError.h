#pragma once

#include <stdexcept>
#include <string>

namespace Kv {

// A file that could not be read as XML, or that its schema rejects. what()
// reads "<file>:<line>: <reason>" (or "<file>: <reason>" when no line is
// known), which is how compilers report, so editors can jump to the spot.
class XmlError : public std::runtime_error {
public:
    XmlError(const std::string& file, int line, const std::string& reason);

    const std::string& file() const { return m_file; }
    // 0 when the problem is not tied to a line, e.g. a missing file.
    int line() const { return m_line; }
    const std::string& reason() const { return m_reason; }

private:
    std::string m_file;
    int m_line;
    std::string m_reason;
};

} // namespace Kv
