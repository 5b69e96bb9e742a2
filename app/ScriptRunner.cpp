#include "ScriptRunner.h"

#include "Kv/Commands/CommandContext.h"
#include "Kv/Commands/CommandError.h"
#include "Kv/Commands/CommandMgr.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <istream>
#include <ostream>

namespace Kvgeo {

ScriptRunner::ScriptRunner(Kv::CommandMgr& commands, Kv::CommandContext& context,
                           std::ostream& errors)
    : m_commands(commands)
    , m_context(context)
    , m_errors(errors) {}

void ScriptRunner::report(const std::string& message, const std::string& file, int lineNumber) {
    // What the command printed belongs before its error.
    m_context.out().flush();
    std::string oneLine = message;
    for (char& c : oneLine)
        if (c == '\n' || c == '\r')
            c = ' ';
    if (!file.empty())
        m_errors << file << ':' << lineNumber << ": ";
    m_errors << "error: " << oneLine << std::endl;
}

bool ScriptRunner::runLine(const std::string& line, const std::string& file, int lineNumber) {
    try {
        m_commands.run(line, m_context);
        return true;
    } catch (const std::exception& error) {
        report(error.what(), file, lineNumber);
    }
    return false;
}

bool ScriptRunner::runLines(std::istream& in, const std::string& file) {
    std::string line;
    for (int lineNumber = 1; std::getline(in, line); ++lineNumber) {
        // Editors on some systems start UTF-8 files with a byte order mark.
        if (lineNumber == 1 && line.rfind("\xEF\xBB\xBF", 0) == 0)
            line.erase(0, 3);
        if (!runLine(line, file, lineNumber))
            return false;
    }
    return true;
}

bool ScriptRunner::runScript(const std::string& path) {
    std::ifstream in(path);
    if (!in) {
        report("cannot read script '" + path + "': " + std::strerror(errno), "", 0);
        return false;
    }
    return runLines(in, path);
}

} // namespace Kvgeo
