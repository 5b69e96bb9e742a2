#pragma once

// The message of the error an action throws, for tests that check what a
// failure tells the user.

#include <exception>
#include <string>

namespace Kv::Tests {

// What the `Error` that `action` throws says, or "" when it throws none.
template <class Error = std::exception, class Action> std::string errorMessageOf(Action&& action) {
    try {
        action();
    } catch (const Error& error) {
        return error.what();
    }
    return "";
}

} // namespace Kv::Tests
