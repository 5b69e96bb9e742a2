#include "Kv/Commands/ArgumentError.h"

namespace Kv {

ArgumentError::ArgumentError(const std::string& message)
    : CommandError(message) {}

} // namespace Kv
