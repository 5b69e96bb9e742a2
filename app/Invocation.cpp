#include "Invocation.h"

#include "UsageError.h"

#include <boost/program_options.hpp>

#include <sstream>

namespace po = boost::program_options;

namespace Kvgeo {
namespace {

po::options_description visibleOptions() {
    po::options_description options("Options");
    auto add = options.add_options();
    add("help,h", "print this help and exit");
    add("root", po::value<std::string>()->value_name("DIR"),
        "the application root holding Server/ and Localization/ (default: the root the build "
        "laid out next to the program)");
    add("lang", po::value<std::string>()->value_name("LANG"),
        "the language of the string tables (default: $KV_LANG, else en-US)");
    add("quiet,q", "no banner, prompt or progress display");
    add("command,c", po::value<std::vector<std::string>>()->value_name("COMMAND"),
        "run COMMAND; may be given several times");
    return options;
}

} // namespace

std::string Invocation::usageLine() {
    return "usage: kvgeo [--root DIR] [--lang LANG] [-q] [-c COMMAND]... [SCRIPT]...";
}

std::string Invocation::helpText() {
    std::ostringstream text;
    text << usageLine() << "\n\n"
         << "Runs kvgeo commands from the -c options and the SCRIPT files, in the order\n"
            "they are given; with neither, from standard input (interactively, with line\n"
            "editing and history, when it is a terminal). One command per line; '#' starts\n"
            "a comment. 'kvgeo -c help' lists the commands.\n\n"
         << visibleOptions() << "\n"
         << "Exit status: 0 when every command succeeded, 1 when one failed (the rest is\n"
            "not run), 2 for a usage error. An interactive session goes on after an error\n"
            "and ends with status 0.\n";
    return text.str();
}

Invocation Invocation::parse(int argc, const char* const argv[]) {
    po::options_description hidden;
    hidden.add_options()("script", po::value<std::vector<std::string>>());
    po::options_description all;
    all.add(visibleOptions()).add(hidden);
    po::positional_options_description positional;
    positional.add("script", -1);

    Invocation invocation;
    try {
        const po::parsed_options parsed =
            po::command_line_parser(argc, argv).options(all).positional(positional).run();
        po::variables_map values;
        po::store(parsed, values);
        po::notify(values);

        invocation.m_help = values.count("help") > 0;
        invocation.m_quiet = values.count("quiet") > 0;
        if (values.count("root"))
            invocation.m_root = values["root"].as<std::string>();
        if (values.count("lang"))
            invocation.m_language = values["lang"].as<std::string>();
        // The variables map groups values by option; the parsed list keeps
        // the order of the command line, which is the order of execution.
        for (const po::option& option : parsed.options) {
            if (option.string_key == "command")
                invocation.m_sources.push_back({Source::Command, option.value.front()});
            else if (option.string_key == "script")
                invocation.m_sources.push_back({Source::Script, option.value.front()});
        }
    } catch (const po::error& error) {
        throw UsageError(error.what());
    }
    return invocation;
}

} // namespace Kvgeo
