#pragma once

#include <string>
#include <vector>

namespace KvgeoTests {

// Runs the kvgeo program built next to the tests as a child process, feeding
// it standard input and collecting what it printed and how it exited.
class KvgeoProcess {
public:
    struct Result {
        int status = -1; // the exit status, or 128 + the signal that ended it
        std::string out;
        std::string err;

        std::vector<std::string> outLines() const;
        // The lines of standard error that report errors, not warnings.
        std::vector<std::string> errorLines() const;
    };

    static std::string binary();
    static Result run(const std::vector<std::string>& args, const std::string& input = "");
};

} // namespace KvgeoTests
