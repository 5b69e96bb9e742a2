#include "TestItem.h"

#include "Kv/AddInMgr/AddInMgr.h"
#include "Kv/Commands/CommandContext.h"
#include "Kv/Commands/CommandError.h"
#include "Kv/Commands/CommandLine.h"
#include "Kv/Commands/CommandMgr.h"
#include "Kv/Commands/HostCommands.h"
#include "Kv/Commands/SelfTest.h"
#include "Kv/Commands/Session.h"
#include "Kv/CommonData/Component.h"
#include "Kv/DataModel/Asset.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

using Kv::Command;
using Kv::CommandContext;
using KvCommandTests::TestItem;

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        result.push_back(line);
    return result;
}

std::vector<std::string> fields(const std::string& line) {
    std::vector<std::string> result;
    std::istringstream in(line);
    for (std::string field; std::getline(in, field, '\t');)
        result.push_back(field);
    if (!line.empty() && line.back() == '\t')
        result.emplace_back(); // a type without a base ends in an empty field
    return result;
}

class HostCommandsTest : public ::testing::Test {
protected:
    HostCommandsTest() {
        Kv::HostCommands(m_addIns).registerCommands(m_commands);
        m_commands.registerCommand(
            Command("grow", "grow", "adds an item", true, [](CommandContext& context) {
                TestItem::make(&context.session().component());
            }));
    }

    // What the line printed; a failure comes back as "error: MESSAGE".
    std::string run(const std::string& line) {
        m_out.str("");
        try {
            m_commands.run(line, m_context);
        } catch (const Kv::CommandError& error) {
            return std::string("error: ") + error.what();
        }
        return m_out.str();
    }
    size_t items() { return m_session.component().childCount(); }

    Kv::AddInMgr m_addIns;
    Kv::Session m_session{m_addIns};
    std::ostringstream m_out;
    CommandContext m_context{m_session, m_out};
    Kv::CommandMgr m_commands;
};

TEST_F(HostCommandsTest, UndoAndRedoGoBackAsFarAsThereIsHistory) {
    EXPECT_EQ(run("undo"), "error: nothing to undo");
    EXPECT_EQ(run("redo 2"), "error: nothing to redo");
    EXPECT_FALSE(m_session.hasDocument()) << "asking for history must not make a document";

    run("grow");
    run("grow");
    run("grow");
    EXPECT_EQ(run("undo"), "");
    EXPECT_EQ(items(), 2u);
    EXPECT_EQ(run("undo 5"), "") << "undoing what there is, even if less than asked";
    EXPECT_EQ(items(), 0u);
    EXPECT_EQ(run("undo"), "error: nothing to undo");
    EXPECT_EQ(run("redo 2"), "");
    EXPECT_EQ(items(), 2u);
    EXPECT_EQ(run("redo 9"), "");
    EXPECT_EQ(items(), 3u);
    EXPECT_EQ(run("redo"), "error: nothing to redo");

    EXPECT_EQ(run("undo 0"),
              "error: expected an integer of at least 1 for N, got '0' (usage: undo [N])");
    EXPECT_EQ(items(), 3u);
    // A new command forgets what was undone.
    run("undo");
    run("grow");
    EXPECT_EQ(run("redo"), "error: nothing to redo");
}

TEST_F(HostCommandsTest, NewStartsAnEmptyDocumentWithAnEmptyHistory) {
    run("grow");
    Kv::Asset* before = m_session.documentIfAny();
    EXPECT_EQ(run("new"), "");
    EXPECT_NE(m_session.documentIfAny(), before);
    EXPECT_EQ(items(), 0u);
    EXPECT_EQ(run("undo"), "error: nothing to undo");
    EXPECT_EQ(run("new now"), "error: unexpected 'now' after the arguments of new (usage: new)");
}

TEST_F(HostCommandsTest, TypesListAddInTypesUnlessAskedForAll) {
    TestItem::make(&m_session.component()); // builds the item's member set
    m_session.closeDocument();

    const auto own = lines(run("types"));
    const auto all = lines(run("types -a"));
    EXPECT_FALSE(m_session.hasDocument());
    EXPECT_GT(all.size(), own.size());

    bool sawItem = false;
    for (const std::string& line : own) {
        const auto f = fields(line);
        ASSERT_EQ(f.size(), 6u) << line;
        EXPECT_NE(f[0].rfind("Kv::", 0), 0u) << "a host type without -a: " << line;
        if (f[0] == "KvCommandTests::TestItem") {
            sawItem = true;
            EXPECT_EQ(
                f, (std::vector<std::string>{"KvCommandTests::TestItem", "TestItemMetaType", "1",
                                             "Kv::CommonData::CommonBaseGroupEntity", "2", "yes"}));
        }
    }
    EXPECT_TRUE(sawItem);

    // Registration order: the host's bases come before the component.
    std::vector<std::string> identifiers;
    for (const std::string& line : all)
        identifiers.push_back(fields(line)[0]);
    const auto position = [&](const std::string& id) {
        return std::find(identifiers.begin(), identifiers.end(), id) - identifiers.begin();
    };
    EXPECT_LT(position("Kv::CommonData::CommonBaseEntity"), position("Kv::Component"));
    EXPECT_LT(position("Kv::Component"), static_cast<long>(identifiers.size()));
}

TEST_F(HostCommandsTest, HelpListsEveryCommandAndExplainsOne) {
    const auto list = lines(run("help"));
    ASSERT_EQ(list.size(), m_commands.commands().size());
    EXPECT_EQ(list.front().rfind("addins", 0), 0u);
    EXPECT_NE(list.back().find("undo the last N commands"), std::string::npos);

    const std::string undo = run("help undo");
    EXPECT_EQ(undo.rfind("usage: undo [N]\n", 0), 0u) << undo;
    EXPECT_NE(undo.find("nothing to undo at all"), std::string::npos) << undo;

    EXPECT_EQ(run("help nope"), "error: unknown command 'nope' ('help' lists the commands)");
    EXPECT_EQ(run("addins"), "") << "this test's add-in manager loaded nothing";
    EXPECT_FALSE(m_session.hasDocument());
}

TEST_F(HostCommandsTest, SelfTestsRunOnScratchDocumentsAndFailTheCommandWhenOneFails) {
    run("grow");
    Kv::Asset* document = m_session.documentIfAny();
    std::vector<size_t> scratchItems;
    const auto grows = [&](Kv::CommandMgr& commands, Kv::Session& scratch) {
        std::ostringstream out;
        CommandContext context(scratch, out);
        commands.run("grow", context);
        scratchItems.push_back(scratch.component().childCount());
    };
    m_commands.registerSelfTest(Kv::SelfTest("grows", "adds an item", grows));
    m_commands.registerSelfTest(
        Kv::SelfTest("again", "adds an item to a document of its own", grows));
    EXPECT_THROW(m_commands.registerSelfTest(Kv::SelfTest("grows", "twice", grows)),
                 std::logic_error);

    EXPECT_EQ(run("selftest"), "passed\tgrows\npassed\tagain\n2 passed, 0 failed\n");
    EXPECT_EQ(scratchItems, (std::vector<size_t>{1, 1})) << "each test starts on a new document";
    EXPECT_EQ(m_session.documentIfAny(), document);
    EXPECT_EQ(items(), 1u) << "the tests must not touch the open document";

    m_commands.registerSelfTest(Kv::SelfTest("breaks", "fails", [](Kv::CommandMgr&, Kv::Session&) {
        throw std::runtime_error("the widget is missing");
    }));
    run("selftest");
    EXPECT_EQ(lines(m_out.str()), (std::vector<std::string>{"passed\tgrows", "passed\tagain",
                                                            "FAILED\tbreaks: the widget is missing",
                                                            "2 passed, 1 failed"}));
    EXPECT_EQ(run("selftest"), "error: 1 self test failed");

    EXPECT_TRUE(m_commands.unregisterSelfTest("breaks"));
    EXPECT_FALSE(m_commands.unregisterSelfTest("breaks"));
    EXPECT_EQ(lines(run("selftest")).back(), "2 passed, 0 failed");
}

} // namespace
