#include "../DataModel/TestEntities.h"

#include "Kv/DataModel/IEntityObserver.h"

#include <gtest/gtest.h>

namespace Kv::Tests {
namespace {

class ManagedGroupEntityTest : public ::testing::Test {
protected:
    std::vector<Entity*> children(const Managed::ManagedGroupEntity& group) {
        std::vector<Entity*> result;
        for (const auto& child : group.children())
            result.push_back(child.get());
        return result;
    }

    TestDocument doc;
};

// New group entities become the last child of their parent, unless their
// maker inserted them already.
TEST_F(ManagedGroupEntityTest, AChildItsMakerAlreadyInsertedIsNotAddedAgain) {
    StrongRef<TestItem> a = TestItem::make(doc.group.get());
    StrongRef<TestItem> b = TestItem::make(doc.group.get());
    EXPECT_EQ(children(*doc.group), (std::vector<Entity*>{a.get(), b.get()}));
    EXPECT_EQ(b->parentEntity(), doc.group.get());
    EXPECT_EQ(doc.component->indexOf(doc.group.get()), 0u);
    EXPECT_FALSE(a->isCreating());
    doc.asset.beginTransaction("make at");
    StrongRef<TestItem> first = TestItem::makeAt(doc.group.get(), 0);
    doc.asset.commitTransaction();
    StrongRef<TestItem> last = TestItem::make(doc.group.get());
    EXPECT_EQ(children(*doc.group),
              (std::vector<Entity*>{first.get(), a.get(), b.get(), last.get()}));

    ASSERT_TRUE(doc.asset.undo());
    EXPECT_EQ(children(*doc.group), (std::vector<Entity*>{a.get(), b.get(), last.get()}));
}

TEST_F(ManagedGroupEntityTest, UndoAndRedoOfCreationRestoreTheSameObjectsInOrder) {
    StrongRef<TestItem> first = TestItem::make(doc.group.get());
    PassiveRef<TestItem> second, third;
    doc.asset.beginTransaction("create");
    second = StrongRef<TestItem>(TestItem::make(doc.group.get()));
    third = StrongRef<TestItem>(TestItem::make(doc.group.get()));
    doc.asset.commitTransaction();

    ASSERT_TRUE(doc.asset.undo());
    EXPECT_EQ(children(*doc.group), (std::vector<Entity*>{first.get()}));
    ASSERT_FALSE(second.isNull()); // the redo side still owns them

    ASSERT_TRUE(doc.asset.redo());
    EXPECT_EQ(children(*doc.group),
              (std::vector<Entity*>{first.get(), second.getTarget(), third.getTarget()}));
    EXPECT_EQ(third->parentEntity(), doc.group.get());

    ASSERT_TRUE(doc.asset.undo());
    doc.asset.beginTransaction("other");
    first->value(1.0);
    doc.asset.commitTransaction(); // a new edit forgets the redo side
    EXPECT_TRUE(second.isNull());
    EXPECT_TRUE(third.isNull());
}

TEST_F(ManagedGroupEntityTest, InsertRemoveAndMoveUndoToTheOriginalOrder) {
    std::vector<StrongRef<TestItem>> items;
    for (int i = 0; i < 4; ++i)
        items.push_back(TestItem::make(doc.group.get()));
    std::vector<Entity*> original = children(*doc.group);
    StrongRef<TestItem> loose = TestItem::make(items[0].get());
    items[0]->removeChild(loose);

    doc.asset.beginTransaction("shuffle");
    doc.group->insertChild(1, loose);
    EXPECT_TRUE(doc.group->removeChild(items[2]));
    EXPECT_TRUE(doc.group->moveChild(items[0].get(), 2));
    EXPECT_FALSE(doc.group->removeChild(items[2])); // not a child any more
    doc.asset.commitTransaction();
    std::vector<Entity*> shuffled = children(*doc.group);
    EXPECT_EQ(shuffled,
              (std::vector<Entity*>{loose.get(), items[1].get(), items[0].get(), items[3].get()}));

    ASSERT_TRUE(doc.asset.undo());
    EXPECT_EQ(children(*doc.group), original);
    EXPECT_EQ(items[2]->parentEntity(), doc.group.get());
    ASSERT_TRUE(doc.asset.redo());
    EXPECT_EQ(children(*doc.group), shuffled);
}

// Records each pre-deletion with the destroying state of the entity and its
// parent at that moment.
struct DeletionLog : IEntityObserver {
    std::vector<Entity*> order;
    void onEntityPreDeletion(Entity& entity, int) override { order.push_back(&entity); }
};

TEST_F(ManagedGroupEntityTest, RemoveChildRunsPreDeletionOnTheWholeSubtree) {
    StrongRef<TestItem> top = TestItem::make(doc.group.get());
    StrongRef<TestItem> first = TestItem::make(top.get());
    StrongRef<TestItem> second = TestItem::make(top.get());
    StrongRef<TestItem> grandchild = TestItem::make(second.get());
    StrongRef<TestItem> sibling = TestItem::make(doc.group.get());
    DeletionLog log;
    for (TestItem* item : {top.get(), first.get(), second.get(), grandchild.get()})
        item->subscribe(&log);

    ASSERT_TRUE(doc.group->removeChild(top));

    EXPECT_EQ(log.order,
              (std::vector<Entity*>{top.get(), second.get(), grandchild.get(), first.get()}));
    for (TestItem* item : {top.get(), first.get(), second.get(), grandchild.get()}) {
        EXPECT_EQ(item->preDeletionCount(), 1);
        EXPECT_TRUE(item->sawSelfDestroying());
        EXPECT_FALSE(item->isDestroying()); // only while pre-deletion runs
    }
    EXPECT_TRUE(first->sawParentDestroying());
    EXPECT_TRUE(grandchild->sawParentDestroying());
    EXPECT_EQ(sibling->preDeletionCount(), 0);
    EXPECT_EQ(second->childCount(), 1u); // the subtree stays together for undo
    for (TestItem* item : {top.get(), first.get(), second.get(), grandchild.get()})
        item->unsubscribe(&log);
}

// Groups keep their child lists only while they have children; one emptied
// by removals, undo or moves must behave as one that never had any.
TEST_F(ManagedGroupEntityTest, AGroupEmptiedOfItsChildrenBehavesAsANewOne) {
    StrongRef<TestItem> neverHad = TestItem::make(doc.group.get());
    StrongRef<TestItem> group = TestItem::make(doc.group.get());
    StrongRef<TestItem> stranger = TestItem::make(doc.group.get());
    EXPECT_EQ(neverHad->childCount(), 0u);
    EXPECT_TRUE(neverHad->child(0).isNull());
    EXPECT_EQ(neverHad->indexOf(stranger.get()), Managed::ManagedGroupEntity::npos);
    EXPECT_FALSE(neverHad->removeChild(stranger));
    EXPECT_FALSE(neverHad->moveChild(stranger.get(), 0));

    doc.asset.beginTransaction("fill");
    StrongRef<TestItem> a = TestItem::make(group.get());
    StrongRef<TestItem> b = TestItem::make(group.get());
    doc.asset.commitTransaction();
    doc.asset.beginTransaction("empty");
    ASSERT_TRUE(group->removeChild(a));
    ASSERT_TRUE(group->removeChild(b));
    doc.asset.commitTransaction();
    EXPECT_EQ(group->childCount(), 0u);
    EXPECT_EQ(&group->children(), &neverHad->children()) << "the emptied group keeps no list";
    EXPECT_EQ(group->indexOf(a.get()), Managed::ManagedGroupEntity::npos);

    ASSERT_TRUE(doc.asset.undo());
    EXPECT_EQ(children(*group), (std::vector<Entity*>{a.get(), b.get()}));
    ASSERT_TRUE(doc.asset.undo());
    EXPECT_EQ(group->childCount(), 0u);
    EXPECT_EQ(&group->children(), &neverHad->children());
    ASSERT_TRUE(doc.asset.redo());
    ASSERT_TRUE(doc.asset.redo());
    EXPECT_EQ(group->childCount(), 0u);

    // A child its maker inserts before finishing it, into an empty group.
    doc.asset.beginTransaction("make at");
    StrongRef<TestItem> early = TestItem::makeAt(group.get(), 0);
    doc.asset.commitTransaction();
    EXPECT_EQ(children(*group), (std::vector<Entity*>{early.get()}));
    StrongRef<TestItem> later = TestItem::make(group.get());
    EXPECT_EQ(children(*group), (std::vector<Entity*>{early.get(), later.get()}));
    ASSERT_TRUE(group->moveChild(later.get(), 0));
    EXPECT_EQ(children(*group), (std::vector<Entity*>{later.get(), early.get()}));
}

TEST_F(ManagedGroupEntityTest, AGroupCannotHoldANullChild) {
    EXPECT_THROW(doc.group->addChild(nullptr), std::invalid_argument);
    EXPECT_FALSE(doc.group->removeChild(nullptr));
}

} // namespace
} // namespace Kv::Tests
