#pragma once

#include <stdexcept>
#include <string>

namespace Kv {

// A document could not be read or written. The message names the file and
// the problem.
class StorageError : public std::runtime_error {
public:
    StorageError(const std::string& file, const std::string& problem)
        : std::runtime_error(file + ": " + problem)
        , m_file(file)
        , m_problem(problem) {}

    const std::string& file() const { return m_file; }
    const std::string& problem() const { return m_problem; }

private:
    std::string m_file;
    std::string m_problem;
};

} // namespace Kv
