#pragma once

#include <iosfwd>

namespace Kvgeo {

class Invocation;
class ScriptRunner;

// kvgeo from start to exit: invocation, root and language, add-ins, commands,
// and a shutdown that drops the document before the add-ins' code goes.
class Application {
public:
    enum ExitStatus : int { Success = 0, CommandFailed = 1, UsageFailed = 2 };

    Application(std::ostream& out, std::ostream& errors);

    int run(int argc, const char* const argv[]);

private:
    void configure(const Invocation& invocation);
    void loadAddIns();
    int runSources(const Invocation& invocation, ScriptRunner& runner);

    std::ostream& m_out;
    std::ostream& m_errors;
};

} // namespace Kvgeo
