#include "TestEntities.h"

#include "Kv/DataModel/ObjectPath.h"

#include <gtest/gtest.h>

namespace Kv::Tests {
namespace {

class ObjectPathTest : public ::testing::Test {
protected:
    void SetUp() override {
        item = TestItem::make(doc.group.get());
        leaf = TestItem::make(item.get());
    }

    TestDocument doc;
    StrongRef<TestItem> item;
    StrongRef<TestItem> leaf;
};

TEST_F(ObjectPathTest, ToEntityRunsFromTheComponentToTheEntity) {
    ObjectPath path = ObjectPath::toEntity(leaf.get());
    ASSERT_EQ(path.size(), 4u);
    EXPECT_EQ(path.root(), doc.component.get());
    EXPECT_EQ(path.elements()[1].get(), doc.group.get());
    EXPECT_EQ(path.elements()[2].get(), item.get());
    EXPECT_EQ(path.leaf(), leaf.get());
    EXPECT_TRUE(path.contains(doc.group.get()));
    EXPECT_FALSE(path.contains(nullptr));

    EXPECT_TRUE(ObjectPath::toEntity(nullptr).empty());
    EXPECT_EQ(ObjectPath::toEntity(doc.component.get()).size(), 1u);
    EXPECT_EQ(ObjectPath().leaf(), nullptr);
}

TEST_F(ObjectPathTest, PopToCutsThePathBackToAnEntityOnIt) {
    ObjectPath path = ObjectPath::toEntity(leaf.get());
    path.qualify(2);
    path.pop_to(leaf.get()); // already the leaf: nothing changes
    EXPECT_EQ(path.size(), 4u);
    EXPECT_EQ(path.qualifier(), 2u);

    StrongRef<TestItem> stranger = TestItem::make(doc.group.get());
    path.pop_to(stranger.get());
    EXPECT_EQ(path.size(), 4u);

    path.pop_to(doc.group.get());
    EXPECT_EQ(path.size(), 2u);
    EXPECT_EQ(path.leaf(), doc.group.get());
    EXPECT_FALSE(path.isQualified()); // the qualifier described the old leaf
    EXPECT_EQ(path, ObjectPath::toEntity(doc.group.get()));
}

TEST_F(ObjectPathTest, EqualPathsHaveTheSameElementsAndQualifier) {
    ObjectPath a = ObjectPath::toEntity(leaf.get());
    ObjectPath b;
    for (Entity* e :
         {static_cast<Entity*>(doc.component.get()), static_cast<Entity*>(doc.group.get()),
          static_cast<Entity*>(item.get()), static_cast<Entity*>(leaf.get())})
        b.push(e);
    EXPECT_EQ(a, b);
    b.qualify(1);
    EXPECT_NE(a, b);
    a.qualify(1);
    EXPECT_EQ(a, b);
    a.push(TestItem::make(leaf.get()).getTarget());
    EXPECT_FALSE(a.isQualified());
    EXPECT_NE(a, b);
    EXPECT_NE(ObjectPath::toEntity(item.get()), ObjectPath::toEntity(leaf.get()));
    EXPECT_THROW(a.push(nullptr), std::invalid_argument);
}

TEST_F(ObjectPathTest, APathKeepsItsEntitiesAcrossRemovalAndUndo) {
    ObjectPath path = ObjectPath::toEntity(leaf.get());
    PassiveRef<TestItem> watch = leaf;
    doc.asset.beginTransaction("remove");
    item->removeChild(leaf);
    doc.asset.commitTransaction();
    leaf.reset();
    doc.asset.undoStack().clear();
    EXPECT_FALSE(watch.isNull());
    EXPECT_EQ(path.leaf(), watch.getTarget());
}

} // namespace
} // namespace Kv::Tests
