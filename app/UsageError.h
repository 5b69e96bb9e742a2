#pragma once

#include <stdexcept>
#include <string>

namespace Kvgeo {

// kvgeo was started with arguments it cannot use; it exits with status 2
// before running anything.
class UsageError : public std::runtime_error {
public:
    explicit UsageError(const std::string& message);
};

} // namespace Kvgeo
