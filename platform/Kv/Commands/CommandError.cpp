#include "Kv/Commands/CommandError.h"

namespace Kv {

CommandError::CommandError(const std::string& message)
    : std::runtime_error(message) {}

} // namespace Kv
