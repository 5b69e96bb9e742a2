// Logical selections: valid while their path still lives in the document,
// with the hit information of the pick that made them.

#include "../DataModel/TestEntities.h"

#include "Kv/Selection/LogicalSelection.h"

#include <gtest/gtest.h>

namespace Kv::Tests {
namespace {

class TestSelection : public LogicalSelection {
public:
    static StrongRef<TestSelection> make(const ObjectPath& path) {
        return StrongRef<TestSelection>(new TestSelection(path));
    }
    Entity* leaf() const { return validLeaf(); }

private:
    explicit TestSelection(const ObjectPath& path)
        : LogicalSelection(path) {}
};

class LogicalSelectionTest : public ::testing::Test {
protected:
    void SetUp() override {
        item = TestItem::make(doc.group.get());
        leaf = TestItem::make(item.get());
    }

    template <class Edit> void transact(Edit edit) {
        doc.asset.beginTransaction("test");
        edit();
        doc.asset.commitTransaction();
    }

    TestDocument doc;
    StrongRef<TestItem> item;
    StrongRef<TestItem> leaf;
};

TEST_F(LogicalSelectionTest, ASelectionIsValidWhileEveryEntityOnItsPathLives) {
    StrongRef<TestSelection> ofItem = TestSelection::make(ObjectPath::toEntity(item.get()));
    StrongRef<TestSelection> ofLeaf = TestSelection::make(ObjectPath::toEntity(leaf.get()));
    EXPECT_TRUE(ofItem->isValid());
    EXPECT_TRUE(ofLeaf->isValid());
    EXPECT_EQ(ofLeaf->leaf(), leaf.get());

    transact([&] { doc.group->removeChild(StrongRef<Entity>(item)); });
    EXPECT_FALSE(ofItem->isValid());
    EXPECT_FALSE(ofLeaf->isValid()) << "the leaf went with its parent";
    EXPECT_EQ(ofLeaf->leaf(), nullptr);
    EXPECT_EQ(ofLeaf->path().leaf(), leaf.get()) << "the path itself is kept";

    ASSERT_TRUE(doc.asset.undo());
    EXPECT_TRUE(ofItem->isValid());
    EXPECT_TRUE(ofLeaf->isValid());
    ASSERT_TRUE(doc.asset.redo());
    EXPECT_FALSE(ofLeaf->isValid());
}

TEST_F(LogicalSelectionTest, PathsThatDoNotFollowTheDocumentAreNotValid) {
    EXPECT_FALSE(TestSelection::make(ObjectPath())->isValid());

    ObjectPath skipping;
    skipping.push(doc.component.get());
    skipping.push(item.get()); // the group between them is left out
    EXPECT_FALSE(TestSelection::make(skipping)->isValid());
}

TEST_F(LogicalSelectionTest, CarriesAWideQualifierAndTheHitOfItsPick) {
    ObjectPath path = ObjectPath::toEntity(leaf.get());
    path.qualify(uint64_t(1) << 40);
    StrongRef<TestSelection> selection = TestSelection::make(path);
    EXPECT_EQ(selection->path().qualifier(), uint64_t(1) << 40);
    EXPECT_EQ(selection->hitInfo(), nullptr);

    SelectionHitInfo hit;
    hit.localRay = ZkGeRay3d(ZkGePoint3d(1, 2, 3), ZkGeVector3d::kXAxis);
    hit.localToWorld = ZkGeMatrix3d::translation(ZkGeVector3d(0, 0, 10));
    selection->hitInfo(hit);
    ASSERT_NE(selection->hitInfo(), nullptr);
    EXPECT_EQ(selection->hitInfo()->worldRay(),
              ZkGeRay3d(ZkGePoint3d(1, 2, 13), ZkGeVector3d::kXAxis));

    // Plain entities have no placement and offer nothing by default.
    EXPECT_EQ(selection->modelTransform(), ZkGeMatrix3d());
    ZkGePoint3d point;
    ZkGeLine3d line;
    ZkGePlane plane;
    EXPECT_FALSE(selection->providesPoint(point) || selection->providesLine(line) ||
                 selection->providesPlane(plane) || selection->hitPoint(point));
    EXPECT_FALSE(selection->makeMeasurable());
}

} // namespace
} // namespace Kv::Tests
