#pragma once

#include <stdexcept>
#include <string>

namespace Kv {

// Why a command failed, in words for the person who typed it. kvgeo prints
// the message as it is after "error: ".
class CommandError : public std::runtime_error {
public:
    explicit CommandError(const std::string& message);
};

} // namespace Kv
