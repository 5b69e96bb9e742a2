#pragma once

#include <optional>
#include <string>
#include <vector>

namespace Kvgeo {

// What kvgeo was asked to do by its command line, with the -c commands and
// the scripts in the order they were given.
class Invocation {
public:
    struct Source {
        enum Kind { Command, Script };
        Kind kind;
        std::string text; // the command, or the script's file name
    };

    // Throws UsageError for options it does not know or cannot use.
    static Invocation parse(int argc, const char* const argv[]);

    static std::string usageLine();
    static std::string helpText();

    bool help() const { return m_help; }
    bool quiet() const { return m_quiet; }
    const std::optional<std::string>& root() const { return m_root; }
    const std::optional<std::string>& language() const { return m_language; }
    // Empty: read standard input.
    const std::vector<Source>& sources() const { return m_sources; }

private:
    bool m_help = false;
    bool m_quiet = false;
    std::optional<std::string> m_root;
    std::optional<std::string> m_language;
    std::vector<Source> m_sources;
};

} // namespace Kvgeo
