#pragma once

#include <iosfwd>
#include <string>

namespace Kv {
class CommandContext;
class CommandMgr;
} // namespace Kv

namespace Kvgeo {

// Runs command lines and reports a failure as one `error:` line, prefixed
// with FILE:LINE when the line came from a script file.
class ScriptRunner {
public:
    ScriptRunner(Kv::CommandMgr& commands, Kv::CommandContext& context, std::ostream& errors);

    // False when the line failed (the error has been printed). `file` is ""
    // for lines that did not come from a script.
    bool runLine(const std::string& line, const std::string& file = "", int lineNumber = 0);
    // Runs every line of `in`, stopping at the first that fails.
    bool runLines(std::istream& in, const std::string& file = "");
    // Runs the script file `path`; an unreadable file is a failure too.
    bool runScript(const std::string& path);

private:
    void report(const std::string& message, const std::string& file, int lineNumber);

    Kv::CommandMgr& m_commands;
    Kv::CommandContext& m_context;
    std::ostream& m_errors;
};

} // namespace Kvgeo
