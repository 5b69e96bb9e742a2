#include "UsageError.h"

namespace Kvgeo {

UsageError::UsageError(const std::string& message)
    : std::runtime_error(message) {}

} // namespace Kvgeo
