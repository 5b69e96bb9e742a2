#include "TestEntities.h"

#include "Kv/DataModel/IEntityObserver.h"
#include "Kv/DataModel/Transaction.h"

#include <gtest/gtest.h>

namespace Kv::Tests {
namespace {

// Counts the notifications an entity sends.
struct ChangeCounter : IEntityObserver {
    int pre = 0;
    int post = 0;
    void onEntityPreChange(Entity&, const EntityChange&) override { ++pre; }
    void onEntityPostChange(Entity&, const EntityChange&) override { ++post; }
};

class EntityChangeTest : public ::testing::Test {
protected:
    // Runs `edit` in a committed transaction of the document.
    template <class F> void transact(F edit) {
        doc.asset.beginTransaction("edit");
        edit();
        doc.asset.commitTransaction();
    }

    TestDocument doc;
};

TEST_F(EntityChangeTest, UndoAndRedoRestoreEveryMemberTypeExactly) {
    StrongRef<TestItem> item = TestItem::make(doc.group.get());
    StrongRef<TestItem> a = TestItem::make(doc.group.get());
    StrongRef<TestItem> b = TestItem::make(doc.group.get());
    item->label(L"before");
    item->ownedByKey({{1, a}});

    // Members written more than once undo to their first before state and
    // redo to their last value: the changes replay in reverse order.
    transact([&] {
        item->value(5.0);
        item->label(L"between");
        item->value(0.1 + 0.2);
        item->visible(false);
        item->count(4000000000u);
        item->label(L"after \u00e9\U0001F600");
        item->color(Color(0.1f, 0.2f, 0.3f, 0.4f));
        item->position(ZkGePoint3d(1.0 / 3.0, -2e-300, 5e300));
        item->owned(a);
        item->watched(b);
        item->watchList({b, a, b});
        item->ownedByKey({{-7, b}, {3, a}});
    });

    ASSERT_TRUE(doc.asset.undo());
    EXPECT_EQ(item->value(), 0.0);
    EXPECT_TRUE(item->visible());
    EXPECT_EQ(item->count(), 0u);
    EXPECT_EQ(item->label(), L"before");
    EXPECT_EQ(item->color(), Color());
    EXPECT_EQ(item->position(), ZkGePoint3d());
    EXPECT_TRUE(item->owned().isNull());
    EXPECT_TRUE(item->watched().isNull());
    EXPECT_TRUE(item->watchList().empty());
    EXPECT_EQ(item->ownedByKey(), (std::map<int, StrongRef<TestItem>>{{1, a}}));

    ASSERT_TRUE(doc.asset.redo());
    EXPECT_EQ(item->value(), 0.1 + 0.2);
    EXPECT_FALSE(item->visible());
    EXPECT_EQ(item->count(), 4000000000u);
    EXPECT_EQ(item->label(), L"after \u00e9\U0001F600");
    EXPECT_EQ(item->color(), Color(0.1f, 0.2f, 0.3f, 0.4f));
    EXPECT_EQ(item->position(), ZkGePoint3d(1.0 / 3.0, -2e-300, 5e300));
    EXPECT_EQ(item->owned().get(), a.get());
    EXPECT_EQ(item->watched().getTarget(), b.get());
    ASSERT_EQ(item->watchList().size(), 3u);
    EXPECT_EQ(item->watchList()[0].getTarget(), b.get());
    EXPECT_EQ(item->watchList()[1].getTarget(), a.get());
    EXPECT_EQ(item->watchList()[2].getTarget(), b.get());
    EXPECT_EQ(item->ownedByKey(), (std::map<int, StrongRef<TestItem>>{{-7, b}, {3, a}}));
}

TEST_F(EntityChangeTest, ASnapshotKeepsTheEntitiesItNamesAlive) {
    StrongRef<TestItem> item = TestItem::make(doc.group.get());
    PassiveRef<TestItem> watch;
    {
        StrongRef<TestItem> owned = TestItem::make(item.get());
        item->removeChild(owned); // outside a transaction: from now on only the member owns it
        item->owned(owned);
        watch = owned;
    }
    transact([&] { item->owned(nullptr); });
    ASSERT_FALSE(watch.isNull());

    ASSERT_TRUE(doc.asset.undo());
    EXPECT_EQ(item->owned().get(), watch.getTarget());
    ASSERT_TRUE(doc.asset.redo());
    EXPECT_TRUE(item->owned().isNull());
    EXPECT_FALSE(watch.isNull());

    doc.asset.undoStack().clear();
    EXPECT_TRUE(watch.isNull());
}

TEST_F(EntityChangeTest, NoUndoChangesNotifyButAreNotRecorded) {
    StrongRef<TestItem> item = TestItem::make(doc.group.get());
    ChangeCounter counter;
    item->subscribe(&counter);

    transact([&] { item->value(2.0, kTransactNoUndo); });
    EXPECT_EQ(counter.pre, 1);
    EXPECT_EQ(counter.post, 1);
    EXPECT_EQ(doc.asset.undoStack().undoCount(), 0u);

    transact([&] { item->value(3.0); });
    ASSERT_TRUE(doc.asset.undo());
    EXPECT_EQ(item->value(), 2.0); // the unrecorded value is the state before the edit
    item->unsubscribe(&counter);
}

TEST_F(EntityChangeTest, AnUnchangedWriteRecordsNothing) {
    StrongRef<TestItem> item = TestItem::make(doc.group.get());
    item->label(L"same");
    EXPECT_FALSE(doc.asset.undoStack().canUndo()) << "a change outside a transaction";
    ChangeCounter counter;
    item->subscribe(&counter);

    transact([&] { item->label(L"same"); });

    EXPECT_EQ(counter.post, 1); // observers still hear of the write
    EXPECT_FALSE(doc.asset.undoStack().canUndo());
    item->unsubscribe(&counter);
}

TEST_F(EntityChangeTest, NestedChangesUndoToTheOuterBeforeState) {
    StrongRef<TestItem> item = TestItem::make(doc.group.get());
    item->value(1.0);
    item->count(1);

    transact([&] {
        EntityChange outer(item.get(), kTransactDo, kChangeEverything, 3);
        item->value(2.0);
        item->count(2);
        item->value(3.0);
    });
    ASSERT_TRUE(doc.asset.undo());
    EXPECT_EQ(item->value(), 1.0);
    EXPECT_EQ(item->count(), 1u);
    ASSERT_TRUE(doc.asset.redo());
    EXPECT_EQ(item->value(), 3.0);
    EXPECT_EQ(item->count(), 2u);
}

// Writes another entity whenever its entity changes during replay, as scene
// or index bookkeeping does.
struct ReplayEcho : IEntityObserver {
    TestItem* echo = nullptr;
    Asset* asset = nullptr;
    void onEntityPostChange(Entity&, const EntityChange&) override {
        if (asset->isReplaying())
            echo->count(echo->count() + 1);
    }
};

TEST_F(EntityChangeTest, ChangesMadeWhileReplayingAreNotRecorded) {
    StrongRef<TestItem> item = TestItem::make(doc.group.get());
    StrongRef<TestItem> echo = TestItem::make(doc.group.get());
    ReplayEcho observer;
    observer.echo = echo.get();
    observer.asset = &doc.asset;
    item->subscribe(&observer);

    doc.asset.beginTransaction("outer");
    item->value(1.0);
    Transaction* transaction = doc.asset.currentTransaction();
    size_t recorded = transaction->size();
    doc.asset.beginTransaction("inner");
    item->value(2.0);
    doc.asset.abortTransaction(); // replays item's before state
    EXPECT_EQ(item->value(), 1.0);
    EXPECT_EQ(echo->count(), 1u);
    EXPECT_EQ(transaction->size(), recorded);
    doc.asset.commitTransaction();

    ASSERT_TRUE(doc.asset.undo());
    EXPECT_EQ(item->value(), 0.0);
    EXPECT_EQ(echo->count(), 2u); // echoed again, and undo did not take it back
    item->unsubscribe(&observer);
}

TEST_F(EntityChangeTest, AChangeToOneChildOfAHugeGroupRecordsASmallTransaction) {
    std::vector<StrongRef<TestItem>> items;
    items.reserve(100000);
    for (int i = 0; i < 100000; ++i)
        items.push_back(TestItem::make(doc.group.get()));
    ASSERT_EQ(doc.group->childCount(), 100000u);

    doc.asset.beginTransaction("one");
    items[50000]->value(1.0);
    doc.group->title(L"renamed");
    EXPECT_LE(doc.asset.currentTransaction()->size(), 2u);
    doc.asset.commitTransaction();

    doc.asset.beginTransaction("insert");
    StrongRef<TestItem> added = TestItem::make(doc.group.get());
    doc.group->moveChild(items[10].get(), 99999);
    EXPECT_LE(doc.asset.currentTransaction()->size(), 4u);
    doc.asset.commitTransaction();

    ASSERT_TRUE(doc.asset.undo());
    ASSERT_TRUE(doc.asset.undo());
    EXPECT_EQ(items[50000]->value(), 0.0);
    EXPECT_EQ(doc.group->title(), L"");
    EXPECT_EQ(doc.group->childCount(), 100000u);
    EXPECT_EQ(doc.group->child(10).get(), items[10].get());
}

} // namespace
} // namespace Kv::Tests
