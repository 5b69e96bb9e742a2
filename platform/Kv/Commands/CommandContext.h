#pragma once

#include <iosfwd>

namespace Kv {

class Command;
class CommandLine;
class CommandMgr;
class Session;

// What a running command works with: the application's session, where its
// output goes, and (while it runs) its own words and registry entry.
class CommandContext {
public:
    CommandContext(Session& session, std::ostream& out);
    CommandContext(const CommandContext&) = delete;
    CommandContext& operator=(const CommandContext&) = delete;

    Session& session() const { return m_session; }
    std::ostream& out() const { return m_out; }
    // Set by -q: no banner, prompt or progress display.
    bool quiet() const { return m_quiet; }
    void setQuiet(bool quiet) { m_quiet = quiet; }

    // Only while a command runs; throw std::logic_error otherwise.
    CommandLine& args() const;
    const Command& command() const;
    CommandMgr& commandMgr() const;

private:
    friend class CommandMgr;

    Session& m_session;
    std::ostream& m_out;
    bool m_quiet = false;
    CommandLine* m_args = nullptr;
    const Command* m_command = nullptr;
    CommandMgr* m_commandMgr = nullptr;
};

} // namespace Kv
