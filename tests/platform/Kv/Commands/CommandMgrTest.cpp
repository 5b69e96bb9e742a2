#include "../ErrorMessage.h"
#include "TestItem.h"

#include "Kv/AddInMgr/AddInMgr.h"
#include "Kv/Commands/CommandContext.h"
#include "Kv/Commands/CommandError.h"
#include "Kv/Commands/CommandLine.h"
#include "Kv/Commands/CommandMgr.h"
#include "Kv/Commands/Session.h"
#include "Kv/CommonData/Component.h"
#include "Kv/DataModel/Asset.h"

#include <gtest/gtest.h>

#include <sstream>
#include <stdexcept>

namespace {

using Kv::Command;
using Kv::CommandContext;
using Kv::CommandError;
using Kv::CommandMgr;
using KvCommandTests::TestItem;

TestItem& item(Kv::Component& component, size_t index) {
    return *Kv::queryInterface<TestItem>(component.child(index).get());
}

// A registry of its own with commands that edit a document of their own.
class CommandMgrTest : public ::testing::Test {
protected:
    CommandMgrTest() {
        // grow [VALUE]: a new item under the component.
        m_commands.registerCommand(
            Command("grow", "grow [VALUE]", "adds an item", true, [](CommandContext& context) {
                const int value =
                    context.args().atEnd() ? 1 : static_cast<int>(context.args().integer("VALUE"));
                context.args().expectEnd();
                TestItem::make(&context.session().component())->value(value);
            }));
        // Edits what is there in every way, then fails.
        m_commands.registerCommand(Command(
            "break", "break", "changes everything, then fails", true, [](CommandContext& context) {
                Kv::Component& component = context.session().component();
                TestItem& first = item(component, 0);
                first.value(99);
                TestItem::make(&first)->value(5);
                TestItem::make(&component);
                component.removeChild(component.child(0));
                throw std::runtime_error("broken on purpose");
            }));
        m_commands.registerCommand(
            Command("look", "look", "reads only", false, [this](CommandContext& context) {
                context.out() << "looked\n";
                m_looked = context.session().hasDocument();
            }));
    }

    bool run(const std::string& line) { return m_commands.run(line, m_context); }

    std::string errorOf(const std::string& line) {
        return Kv::Tests::errorMessageOf<CommandError>([&] { run(line); });
    }

    Kv::AddInMgr m_addIns;
    Kv::Session m_session{m_addIns};
    std::ostringstream m_out;
    CommandContext m_context{m_session, m_out};
    CommandMgr m_commands;
    bool m_looked = true;
};

TEST_F(CommandMgrTest, RegistryListsByNameAndRefusesATakenName) {
    m_commands.registerCommand(Command("aaa", "aaa", "first", false, [](CommandContext&) {}));
    std::vector<std::string> names;
    for (const Command* command : m_commands.commands())
        names.push_back(command->name());
    EXPECT_EQ(names, (std::vector<std::string>{"aaa", "break", "grow", "look"}));
    EXPECT_EQ(m_commands.find("grow")->usage(), "grow [VALUE]");
    EXPECT_EQ(m_commands.find("nope"), nullptr);

    EXPECT_THROW(
        m_commands.registerCommand(Command("grow", "grow", "again", false, [](CommandContext&) {})),
        std::logic_error);
    EXPECT_TRUE(m_commands.unregisterCommand("aaa"));
    EXPECT_FALSE(m_commands.unregisterCommand("aaa"));
    EXPECT_EQ(errorOf("aaa"), "unknown command 'aaa' ('help' lists the commands)");
}

TEST_F(CommandMgrTest, EmptyLinesRunNothingAndReadingCommandsMakeNoDocument) {
    EXPECT_FALSE(run(""));
    EXPECT_FALSE(run("   # grow"));
    EXPECT_TRUE(run("look"));
    EXPECT_EQ(m_out.str(), "looked\n");
    EXPECT_FALSE(m_looked);
    EXPECT_FALSE(m_session.hasDocument());
}

TEST_F(CommandMgrTest, EachChangingCommandIsOneTransactionNamedAfterIt) {
    run("grow 3");
    run("grow 4");
    Kv::Asset& asset = *m_session.documentIfAny();
    EXPECT_FALSE(asset.inTransaction());
    EXPECT_EQ(asset.undoStack().undoCount(), 2u);
    EXPECT_EQ(asset.undoStack().undoName(), "grow");

    ASSERT_TRUE(asset.undo());
    Kv::Component& component = m_session.component();
    ASSERT_EQ(component.childCount(), 1u);
    EXPECT_EQ(item(component, 0).value(), 3);
    ASSERT_TRUE(asset.redo());
    ASSERT_EQ(component.childCount(), 2u);
    EXPECT_EQ(item(component, 1).value(), 4);
}

TEST_F(CommandMgrTest, FailedCommandLeavesDocumentAndHistoryAsTheyWere) {
    run("grow 1");
    run("grow 2");
    Kv::Asset& asset = *m_session.documentIfAny();
    asset.undo(); // something on the redo side, which a failure must not forget
    Kv::Component& component = m_session.component();
    const Kv::StrongRef<Kv::Entity> first = component.child(0);

    EXPECT_EQ(errorOf("break"), "broken on purpose");

    EXPECT_FALSE(asset.inTransaction());
    ASSERT_EQ(component.childCount(), 1u);
    EXPECT_EQ(component.child(0), first);
    EXPECT_EQ(item(component, 0).value(), 1);
    EXPECT_EQ(item(component, 0).childCount(), 0u);
    EXPECT_EQ(asset.undoStack().undoCount(), 1u);
    EXPECT_EQ(asset.undoStack().redoCount(), 1u);

    // The history still works from where it was.
    ASSERT_TRUE(asset.redo());
    EXPECT_EQ(item(component, 1).value(), 2);
    ASSERT_TRUE(asset.undo());
    ASSERT_TRUE(asset.undo());
    EXPECT_EQ(component.childCount(), 0u);
}

TEST_F(CommandMgrTest, ArgumentErrorsEndWithTheUsageAndChangeNothing) {
    run("grow");
    EXPECT_EQ(errorOf("grow big"),
              "expected an integer for VALUE, got 'big' (usage: grow [VALUE])");
    EXPECT_EQ(errorOf("grow 1 2"), "unexpected '2' after the arguments of grow (usage: grow "
                                   "[VALUE])");
    EXPECT_EQ(m_session.component().childCount(), 1u);
    EXPECT_EQ(m_session.documentIfAny()->undoStack().undoCount(), 1u);
    EXPECT_NE(errorOf(R"(grow "1)").find("unclosed double quote"), std::string::npos);
}

TEST_F(CommandMgrTest, CommandsRunFromACommandJoinItsTransaction) {
    m_commands.registerCommand(
        Command("twice", "twice", "grows two", true, [](CommandContext& context) {
            context.commandMgr().run("grow 7", context);
            // The inner run must hand the outer command its own words back.
            EXPECT_EQ(context.args().name(), "twice");
            context.commandMgr().run("grow 8", context);
        }));
    run("twice");
    Kv::Asset& asset = *m_session.documentIfAny();
    EXPECT_EQ(asset.undoStack().undoCount(), 1u);
    EXPECT_EQ(asset.undoStack().undoName(), "twice");
    EXPECT_EQ(m_session.component().childCount(), 2u);
    EXPECT_THROW(m_context.args(), std::logic_error);
}

} // namespace
