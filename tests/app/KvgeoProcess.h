#pragma once

#include <string>
#include <vector>

namespace KvgeoTests {

// Runs the kvgeo program built next to the tests as a child process, feeding
// it standard input and collecting what it printed and how it exited.
// Standard input is a pipe, or with onTerminal a pseudo-terminal: an
// interactive session, which goes on after a failed command. The input is
// typed a line at a time there, then the end-of-file key.
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
    static Result run(const std::vector<std::string>& args, const std::string& input = "",
                      bool onTerminal = false);
};

} // namespace KvgeoTests
