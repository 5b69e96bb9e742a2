#pragma once

#include <string>

namespace Kv {

// The outcome of a request or other host operation that can fail without an
// exception: ok until something calls fail, and then the reason why.
class Status {
public:
    bool isOk() const { return m_ok; }
    const std::string& message() const { return m_message; }

    // Marks the operation failed. The first reason is kept: later failures are
    // usually consequences of it.
    void fail(const std::string& message);

private:
    bool m_ok = true;
    std::string m_message;
};

} // namespace Kv
