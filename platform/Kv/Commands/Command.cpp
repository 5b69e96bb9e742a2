#include "Kv/Commands/Command.h"

#include <stdexcept>

namespace Kv {

Command::Command(std::string name, std::string usage, std::string summary, bool changesDocument,
                 Function function)
    : m_name(std::move(name))
    , m_usage(std::move(usage))
    , m_summary(std::move(summary))
    , m_changesDocument(changesDocument)
    , m_function(std::move(function)) {
    if (m_name.empty() || !m_function)
        throw std::invalid_argument("a command needs a name and a function");
    if (m_usage.empty())
        m_usage = m_name;
}

Command& Command::details(std::string details) {
    m_details = std::move(details);
    return *this;
}

void Command::run(CommandContext& context) const {
    m_function(context);
}

} // namespace Kv
