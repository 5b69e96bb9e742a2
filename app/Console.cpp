#include "Console.h"

#include "ScriptRunner.h"

#include <editline/readline.h>

#include <cstdlib>
#include <iostream>
#include <memory>

namespace Kvgeo {
namespace {

constexpr int historySize = 1000;

bool isBlank(const std::string& line) {
    return line.find_first_not_of(" \t\r\n") == std::string::npos;
}

} // namespace

Console::Console(ScriptRunner& runner, bool quiet)
    : m_runner(runner)
    , m_quiet(quiet) {}

std::string Console::historyFile() {
    const char* home = std::getenv("HOME");
    return home && *home ? std::string(home) + "/.kvgeo_history" : std::string();
}

void Console::run(const std::string& banner) {
    if (!m_quiet)
        std::cout << banner << std::endl;
    const std::string history = historyFile();
    using_history();
    stifle_history(historySize);
    if (!history.empty())
        read_history(history.c_str()); // none yet is fine
    const char* prompt = m_quiet ? "" : "kvgeo> ";
    for (;;) {
        std::unique_ptr<char, decltype(&std::free)> input(readline(prompt), &std::free);
        if (!input)
            break;
        const std::string line = input.get();
        if (isBlank(line))
            continue;
        add_history(line.c_str());
        m_runner.runLine(line);
    }
    if (!m_quiet)
        std::cout << std::endl; // leave the shell's prompt on a line of its own
    if (!history.empty())
        write_history(history.c_str());
}

} // namespace Kvgeo
