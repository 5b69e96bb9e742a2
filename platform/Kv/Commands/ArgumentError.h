#pragma once

#include "Kv/Commands/CommandError.h"

namespace Kv {

// A command's words do not fit what it expects. The command manager adds the
// command's usage line, since a wrong argument is usually a misremembered form.
class ArgumentError : public CommandError {
public:
    explicit ArgumentError(const std::string& message);
};

} // namespace Kv
