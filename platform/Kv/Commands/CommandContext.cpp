#include "Kv/Commands/CommandContext.h"

#include <stdexcept>

namespace Kv {
namespace {

template <class T> T& running(T* value) {
    if (!value)
        throw std::logic_error("no command is running in this context");
    return *value;
}

} // namespace

CommandContext::CommandContext(Session& session, std::ostream& out)
    : m_session(session)
    , m_out(out) {}

CommandLine& CommandContext::args() const {
    return running(m_args);
}

const Command& CommandContext::command() const {
    return running(m_command);
}

CommandMgr& CommandContext::commandMgr() const {
    return running(m_commandMgr);
}

} // namespace Kv
