#pragma once

#include <string>

namespace Kvgeo {

class ScriptRunner;

// The interactive prompt on a terminal: line editing and a history kept
// between sessions. An error is reported and the session goes on.
class Console {
public:
    Console(ScriptRunner& runner, bool quiet);

    // Reads and runs lines until the end of input (Ctrl-D).
    void run(const std::string& banner);

private:
    static std::string historyFile();

    ScriptRunner& m_runner;
    bool m_quiet;
};

} // namespace Kvgeo
