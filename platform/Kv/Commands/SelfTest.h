#pragma once

#include <functional>
#include <string>

namespace Kv {

class CommandMgr;
class Session;

// A check the application runs on itself when asked (`selftest`), registered
// by the host or an add-in at load. It works on a scratch session of its own,
// never on the user's document, and reports a failure by throwing an
// exception whose message says what was wrong.
class SelfTest {
public:
    // `commands` is the registry the test was found in, so that a test can
    // drive the scratch session through command lines as a user would.
    using Function = std::function<void(CommandMgr& commands, Session& scratch)>;

    SelfTest(std::string name, std::string summary, Function function);

    const std::string& name() const { return m_name; }
    const std::string& summary() const { return m_summary; }
    void run(CommandMgr& commands, Session& scratch) const { m_function(commands, scratch); }

private:
    std::string m_name;
    std::string m_summary;
    Function m_function;
};

} // namespace Kv
