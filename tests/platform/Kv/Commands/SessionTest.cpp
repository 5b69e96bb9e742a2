#include "../ErrorMessage.h"
#include "TestFolder.h"
#include "TestItem.h"

#include "Kv/AddInMgr/AddInMgr.h"
#include "Kv/Commands/CommandError.h"
#include "Kv/Commands/IComponentContributor.h"
#include "Kv/Commands/Session.h"
#include "Kv/CommonData/Component.h"
#include "Kv/DataModel/Asset.h"
#include "Kv/DataModel/Segment.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

using Kv::Session;
using KvCommandTests::TestFolder;
using KvCommandTests::TestItem;

// Stands in for an add-in that puts its collections into every new component.
class FolderContributor : public Kv::IComponentContributor {
public:
    void populateComponent(Kv::Component& component) override {
        ++calls;
        if (fail)
            throw std::runtime_error("cannot populate");
        TestFolder::make(&component);
        TestFolder::make(&component);
    }
    int calls = 0;
    bool fail = false;
};

class SessionTest : public ::testing::Test {
protected:
    SessionTest() { m_session.addComponentContributor(&m_contributor); }

    Kv::AddInMgr m_addIns; // none loaded
    FolderContributor m_contributor;
    Session m_session{m_addIns};
};

TEST_F(SessionTest, DocumentIsMadeOnFirstNeedWithAPopulatedComponent) {
    EXPECT_FALSE(m_session.hasDocument());
    EXPECT_EQ(m_session.documentIfAny(), nullptr);
    EXPECT_EQ(m_contributor.calls, 0);

    Kv::Asset& asset = m_session.document();
    EXPECT_EQ(&m_session.document(), &asset);
    EXPECT_EQ(m_contributor.calls, 1);
    Kv::Component& component = m_session.component();
    EXPECT_EQ(Kv::Component::find(asset.defaultSegment()).get(), &component);
    EXPECT_EQ(component.childCount(), 2u);
    // The setup is the starting point, not something to undo.
    EXPECT_FALSE(asset.undoStack().canUndo());
    EXPECT_FALSE(asset.inTransaction());
}

TEST_F(SessionTest, NewDocumentReplacesTheOldUnlessMakingItFails) {
    Kv::Component& first = m_session.component();
    TestItem::make(&first);
    m_session.setCurrentPath(first.child(2));

    m_contributor.fail = true;
    EXPECT_THROW(m_session.newDocument(), std::runtime_error);
    EXPECT_EQ(&m_session.component(), &first);
    EXPECT_TRUE(m_session.currentPath());

    m_contributor.fail = false;
    m_session.newDocument();
    EXPECT_EQ(m_session.component().childCount(), 2u);
    EXPECT_FALSE(m_session.currentPath());

    m_session.closeDocument();
    EXPECT_FALSE(m_session.hasDocument());
}

TEST_F(SessionTest, UnnamedEntitiesAreNumberedPerClassAmongTheirSiblings) {
    Kv::Component& component = m_session.component(); // TestFolder#1, TestFolder#2
    Kv::StrongRef<TestItem> item = TestItem::make(&component);
    Kv::StrongRef<TestFolder> third = TestFolder::make(&component);
    Kv::StrongRef<TestItem> inner = TestItem::make(third.get());

    EXPECT_EQ(m_session.nameOf(item.get()), "TestItem#1");
    EXPECT_EQ(m_session.nameOf(third.get()), "TestFolder#3");
    EXPECT_EQ(
        m_session.childNames(component),
        (std::vector<std::string>{"TestFolder#1", "TestFolder#2", "TestItem#1", "TestFolder#3"}));
    EXPECT_EQ(m_session.pathOf(inner.get()), "TestFolder#3/TestItem#1");
    EXPECT_EQ(m_session.pathOf(&component), "");

    // Numbers follow the order, so removing a sibling renumbers the rest.
    component.removeChild(component.child(0));
    EXPECT_EQ(m_session.pathOf(inner.get()), "TestFolder#2/TestItem#1");
}

TEST_F(SessionTest, PathsLeadBackToTheirEntities) {
    Kv::Component& component = m_session.component();
    Kv::StrongRef<TestFolder> folder(Kv::queryInterface<TestFolder>(component.child(1).get()));
    Kv::StrongRef<TestItem> a = TestItem::make(folder.get());
    Kv::StrongRef<TestItem> b = TestItem::make(folder.get());

    for (Kv::Entity* entity : {static_cast<Kv::Entity*>(a.get()), static_cast<Kv::Entity*>(b.get()),
                               static_cast<Kv::Entity*>(folder.get())})
        EXPECT_EQ(m_session.find(m_session.pathOf(entity)), entity);
    EXPECT_EQ(m_session.find(""), &component);
    EXPECT_EQ(m_session.find("TestFolder#2//TestItem#2/"), b.get());

    EXPECT_EQ(m_session.find("."), nullptr);
    m_session.setCurrentPath(folder);
    EXPECT_EQ(m_session.find("."), folder.get());
    EXPECT_EQ(m_session.find("./TestItem#1"), a.get());

    EXPECT_EQ(m_session.find("TestFolder#2/TestItem#3"), nullptr);
    EXPECT_EQ(Kv::Tests::errorMessageOf<Kv::CommandError>(
                  [&] { m_session.resolve("TestFolder#2/TestItem#3"); }),
              "no entity 'TestItem#3' in 'TestFolder#2'");
    m_session.setCurrentPath({});
    EXPECT_THROW(m_session.resolve("./TestItem#1"), Kv::CommandError);
}

TEST_F(SessionTest, HookComesBeforeNameKeysAndBothBeforeNumbers) {
    Kv::Component& component = m_session.component(); // TestFolder#1, TestFolder#2
    Kv::StrongRef<TestItem> keyed = TestItem::make(&component);
    keyed->value(42);
    Kv::StrongRef<TestItem> plain = TestItem::make(&component);
    EXPECT_EQ(m_session.pathOf(keyed.get()), "Item42");
    EXPECT_EQ(m_session.pathOf(plain.get()), "TestItem#2") << "keyed siblings count too";
    EXPECT_EQ(m_session.find("Item42"), keyed.get());
    EXPECT_EQ(m_session.find("TestItem#1"), nullptr);

    m_session.setNamingHook([](Kv::Entity* entity) {
        return Kv::queryInterface<TestFolder>(entity) ? "F" + std::to_string(entity->id())
                                                      : std::string();
    });
    const std::string folder = "F" + std::to_string(component.child(1)->id());
    EXPECT_EQ(m_session.childNames(component)[0], "F" + std::to_string(component.child(0)->id()));
    EXPECT_EQ(m_session.childNames(component)[1], folder);
    EXPECT_EQ(m_session.childNames(component)[2], "Item42");
    EXPECT_EQ(m_session.find(folder), component.child(1).get());
}

TEST_F(SessionTest, ParentThatFindsChildrenByTextNamesThemByIt) {
    Kv::Component& component = m_session.component();
    Kv::StrongRef<TestFolder> folder(Kv::queryInterface<TestFolder>(component.child(0).get()));
    Kv::StrongRef<TestItem> inFolder = TestItem::make(folder.get());
    inFolder->value(7);
    Kv::StrongRef<TestItem> inComponent = TestItem::make(&component);
    inComponent->value(7);

    EXPECT_EQ(m_session.pathOf(inFolder.get()), "TestFolder#1/item 7");
    EXPECT_EQ(m_session.find("TestFolder#1/item 7"), inFolder.get());
    EXPECT_EQ(m_session.pathOf(inComponent.get()), "Item7") << "the component looks nothing up";
}

} // namespace
