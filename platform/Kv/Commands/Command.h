#pragma once

#include <functional>
#include <string>

namespace Kv {

class CommandContext;

// One text command: how it is written, what it does, whether it edits the
// document (and so runs inside a transaction of its own), and its function.
class Command {
public:
    using Function = std::function<void(CommandContext&)>;

    // `usage` starts with the name: "undo [N]". A command that edits the
    // document through undo, redo or by replacing it passes false for
    // `changesDocument`: it manages the document itself.
    Command(std::string name, std::string usage, std::string summary, bool changesDocument,
            Function function);

    const std::string& name() const { return m_name; }
    const std::string& usage() const { return m_usage; }
    const std::string& summary() const { return m_summary; }
    bool changesDocument() const { return m_changesDocument; }
    // Further lines for `help NAME`: rules a usage line cannot show.
    const std::string& details() const { return m_details; }
    Command& details(std::string details);

    void run(CommandContext& context) const;

private:
    std::string m_name;
    std::string m_usage;
    std::string m_summary;
    bool m_changesDocument;
    std::string m_details;
    Function m_function;
};

} // namespace Kv
