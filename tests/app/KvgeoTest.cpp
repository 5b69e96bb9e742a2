#include "KvgeoProcess.h"
#include "ScratchDirectory.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

namespace fs = std::filesystem;
using KvgeoTests::KvgeoProcess;
using Lines = std::vector<std::string>;

// The "usage:" lines `help NAME` printed, in order: which commands ran.
Lines usages(const KvgeoProcess::Result& result) {
    Lines found;
    for (const std::string& line : result.outLines())
        if (line.rfind("usage: ", 0) == 0)
            found.push_back(line.substr(7));
    return found;
}

// A scratch directory for scripts and an application root of the tests' own,
// which loads the host's test add-in and nothing that is still being written.
class KvgeoTest : public ::testing::Test {
protected:
    KvgeoTest() {
        const fs::path schema = m_root + "/Server/AddInMgr/Configuration/Schema/AddinSchema.xsd";
        fs::create_directories(schema.parent_path());
        fs::copy_file(KV_SOURCE_DIR "/Server/AddInMgr/Configuration/Schema/AddinSchema.xsd",
                      schema);
    }

    std::string write(const std::string& relative, const std::string& text) {
        return m_scratch.write(relative, text);
    }
    void addTestAddIn() {
        fs::create_directories(m_root + "/bin");
        fs::copy_file(KV_TEST_ADDIN, m_root + "/bin/libKvTestAddIn.so");
        write("root/Server/Test/Configuration/Test.xml",
              "<AddIn><Identifier>Test</Identifier><Library>bin/libKvTestAddIn.so</Library>"
              "<CoreAddIn>false</CoreAddIn></AddIn>\n");
    }
    // kvgeo on the tests' root.
    KvgeoProcess::Result kvgeo(Lines args, const std::string& input = "") {
        args.insert(args.begin(), {"--root", m_root});
        return KvgeoProcess::run(args, input);
    }

    KvgeoTests::ScratchDirectory m_scratch;
    const std::string m_root = m_scratch.path("root");
};

TEST_F(KvgeoTest, ExitStatusTellsSuccessFailedCommandAndUsageError) {
    const auto help = kvgeo({"-c", "help"});
    EXPECT_EQ(help.status, 0) << help.err;
    EXPECT_TRUE(help.errorLines().empty()) << help.err;
    EXPECT_NE(help.out.find("undo [N]"), std::string::npos) << help.out;

    const auto undo = kvgeo({"-q", "-c", "new", "-c", "undo"});
    EXPECT_EQ(undo.status, 1);
    EXPECT_EQ(undo.errorLines(), Lines{"error: nothing to undo"});
    EXPECT_EQ(undo.out, "");

    for (const Lines& wrong :
         {Lines{"--bogus"}, Lines{"-c"}, Lines{"--root"},
          Lines{"--root", "/no/such/dir", "-c", "help"}, Lines{"--lang", "../de", "-c", "help"}}) {
        const auto usage = KvgeoProcess::run(wrong);
        EXPECT_EQ(usage.status, 2) << wrong.front();
        EXPECT_EQ(usage.out, "") << wrong.front();
        EXPECT_EQ(usage.err.rfind("error: ", 0), 0u) << usage.err;
        EXPECT_NE(usage.err.find("usage: kvgeo"), std::string::npos) << usage.err;
    }

    const auto manual = KvgeoProcess::run({"--help"});
    EXPECT_EQ(manual.status, 0);
    EXPECT_EQ(manual.out.rfind("usage: kvgeo [--root DIR] [--lang LANG] [-q] [-c COMMAND]... "
                               "[SCRIPT]...",
                               0),
              0u);
}

TEST_F(KvgeoTest, MissingScriptIsAUsageErrorBeforeAnythingRuns) {
    const auto result = kvgeo({"-c", "help new", m_scratch.path("missing.kvs")});
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_NE(result.err.find("missing.kvs"), std::string::npos) << result.err;
}

TEST_F(KvgeoTest, ScriptErrorNamesFileAndLineAndStopsTheRun) {
    const std::string script = write("build.kvs", "# a script that fails halfway\n"
                                                  "help new\n"
                                                  "\n"
                                                  "help \"redo\"   # a quoted name\n"
                                                  "undo\n"
                                                  "help types\n");
    const auto result = kvgeo({script, "-c", "help addins"});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(usages(result), (Lines{"new", "redo [N]"}));
    EXPECT_EQ(result.errorLines(), Lines{script + ":5: error: nothing to undo"});

    const std::string bad = write("bad.kvs", "help\nhelp \"undo\n");
    const auto quote = kvgeo({bad});
    EXPECT_EQ(quote.status, 1);
    ASSERT_EQ(quote.errorLines().size(), 1u) << quote.err;
    EXPECT_EQ(quote.errorLines()[0].rfind(bad + ":2: error: unclosed double quote", 0), 0u)
        << quote.err;
}

TEST_F(KvgeoTest, CommandsAndScriptsRunInCommandLineOrder) {
    const std::string first = write("first.kvs", "help undo\n");
    const std::string second = write("second.kvs", "help types\nhelp addins\n");
    const auto result = kvgeo({"-c", "help new", first, "-c", "help redo", second});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(usages(result), (Lines{"new", "undo [N]", "redo [N]", "types [-a]", "addins"}));
}

TEST_F(KvgeoTest, StandardInputRunsWithoutPromptAndStopsAtTheFirstError) {
    const auto alone = kvgeo({"-c", "help new"});
    const auto piped = kvgeo({}, "help new\n# nothing\nhelp nope\nhelp redo\n");
    EXPECT_EQ(piped.status, 1);
    EXPECT_EQ(piped.out, alone.out) << "no banner or prompt when input is not a terminal";
    EXPECT_EQ(piped.errorLines(),
              Lines{"error: unknown command 'nope' ('help' lists the commands)"});

    const auto quoted = kvgeo({}, "help \"un do\"");
    EXPECT_EQ(quoted.errorLines(),
              Lines{"error: unknown command 'un do' ('help' lists the commands)"});

    const auto empty = kvgeo({});
    EXPECT_EQ(empty.status, 0);
    EXPECT_EQ(empty.out, "");
}

TEST_F(KvgeoTest, AddInsAreListedAndOnesThatFailToLoadAreWarnings) {
    addTestAddIn();
    write("root/Server/Broken/Configuration/Broken.xml", "<AddIn><Identifier>");
    const auto result = kvgeo({"-c", "addins"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "Test\t" + m_root + "/bin/libKvTestAddIn.so\t" + m_root +
                              "/Server/Test/Configuration/Test.xml\n");
    EXPECT_TRUE(result.errorLines().empty()) << result.err;
    EXPECT_NE(result.err.find("warning: " + m_root + "/Server/Broken/Configuration/Broken.xml"),
              std::string::npos)
        << result.err;
}

TEST(KvgeoDefaultRoot, StartsFromTheRootTheBuildLaidOut) {
    const auto result = KvgeoProcess::run({"-q", "-c", "help", "-c", "addins"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_TRUE(result.errorLines().empty()) << result.err;
}

} // namespace
