// Copying, cutting, reordering and pasting work geometry, and where a pick of
// work geometry or its collections lands.

#include "WorkGeometryTestDocument.h"

#include "../sketch3d/TestPasteComponent.h"
#include "Geometry/workgeometry/WorkAxis.h"
#include "Geometry/workgeometry/WorkPlane.h"
#include "Geometry/workgeometry/WorkPoint.h"
#include "Kv/DataModel/Request.h"

#include "ZkGeMatrix3d.h"

#include <gtest/gtest.h>

namespace Kv::Geometry::WorkGeometryTests {
namespace {

using SketchTests::TestPasteComponent;

// A component that takes pastes, with its work geometry collection.
class WorkGeometryPasteTest : public ::testing::Test {
protected:
    WorkGeometryPasteTest()
        : component(TestPasteComponent::make(asset.createSegment()))
        , collection(WorkGeometries::make(component.get()))
        , plane(WorkPlane::make(StrongRef<Entity>(collection.get()), ZkGePlane::kXYPlane))
        , axis(WorkAxis::make(StrongRef<Entity>(collection.get()), ZkGeLine3d::kZAxis))
        , planePath(ObjectPath::toEntity(plane.get()))
        , axisPath(ObjectPath::toEntity(axis.get()))
        , collectionPath(ObjectPath::toEntity(collection.get())) {}
    ~WorkGeometryPasteTest() override {
        plane.reset();
        axis.reset();
        collection.reset();
        component.reset();
        asset.clear();
    }

    Asset asset;
    StrongRef<TestPasteComponent> component;
    StrongRef<WorkGeometries> collection;
    StrongRef<WorkPlane> plane;
    StrongRef<WorkAxis> axis;
    ObjectPath planePath, axisPath, collectionPath;
};

TEST_F(WorkGeometryPasteTest, OnlySiblingsReorderAndNeverOntoThemselves) {
    WorkGeometryTestDocument other;
    StrongRef<WorkPoint> stranger =
        WorkPoint::make(StrongRef<Entity>(other.workGeometries.get()), ZkGePoint3d::kOrigin);
    const ObjectPath strangerPath = ObjectPath::toEntity(stranger.get());

    EXPECT_TRUE(plane->onCanReorder({axisPath}, planePath));
    EXPECT_FALSE(plane->onCanReorder({axisPath}, axisPath));
    EXPECT_FALSE(plane->onCanReorder({strangerPath}, planePath));
    EXPECT_FALSE(plane->onCanReorder({}, planePath));
    EXPECT_FALSE(plane->onCanReorder({planePath, axisPath}, planePath)) << "the first path decides";
    EXPECT_TRUE(plane->onCanReorder({strangerPath, axisPath}, planePath));
    EXPECT_TRUE(plane->onCanCopy(planePath) && plane->onCanCut(planePath) &&
                plane->onCanReorder(planePath));
}

TEST_F(WorkGeometryPasteTest, PastesOntoWorkGeometryGoToTheComponent) {
    Request* request = axis->onProvidePasteRequest({planePath}, axisPath, true, false, true);
    ASSERT_NE(request, nullptr);
    request->destroy();
    ASSERT_EQ(component->lastPasted().size(), 1u);
    EXPECT_EQ(component->lastPasted()[0], planePath);
    EXPECT_EQ(component->lastTarget(), axisPath);
    EXPECT_EQ(component->lastFlags(), "cut reorder");

    request = collection->onProvidePasteRequest({axisPath}, collectionPath, false, true, false);
    ASSERT_NE(request, nullptr);
    request->destroy();
    EXPECT_EQ(component->lastFlags(), "clone");

    EXPECT_TRUE(axis->onCanPaste({planePath}, axisPath, false, false));
    component->refuse();
    EXPECT_FALSE(axis->onCanPaste({planePath}, axisPath, false, false));
}

TEST_F(WorkGeometryPasteTest, OutsideACollectionNothingIsForwarded) {
    WorkGeometryTestDocument doc;
    auto* originPlane = ::Kv::queryInterface<WorkPlane>(doc.origin->child(0).get());
    const ObjectPath path = ObjectPath::toEntity(originPlane);
    EXPECT_EQ(originPlane->onProvidePasteRequest({path}, path, false, false, false), nullptr)
        << "the origin set is no WorkGeometries";
    EXPECT_FALSE(originPlane->onCanPaste({path}, path, false, false));
}

TEST_F(WorkGeometryPasteTest, TheCollectionRefusesPastesIntoItselfAndCutsBackIntoItself) {
    EXPECT_TRUE(collection->onCanPaste({}, collectionPath, false, false));
    EXPECT_TRUE(collection->onCanPaste({planePath}, collectionPath, false, false))
        << "a copy may go back";
    EXPECT_FALSE(collection->onCanPaste({planePath}, collectionPath, true, false));
    EXPECT_FALSE(collection->onCanPaste({collectionPath}, collectionPath, false, false));
    EXPECT_FALSE(collection->onCanPaste({collectionPath}, planePath, false, false))
        << "not into something below itself";

    WorkGeometryTestDocument other;
    const ObjectPath otherCollection = ObjectPath::toEntity(other.workGeometries.get());
    EXPECT_TRUE(other.workGeometries->onCanPaste({planePath}, otherCollection, true, false));
}

TEST_F(WorkGeometryPasteTest, PicksLandOnEachKindsOwnPoint) {
    const ZkGeMatrix3d placement = ZkGeMatrix3d::translation(ZkGeVector3d(0, 0, 9));
    const ZkGeMatrix3d unset = ZkGeMatrix3d::rotation(1.0, ZkGeVector3d::kXAxis);
    const auto landing = [&](auto& source) {
        ZkGePoint3d point(7, 7, 7);
        ZkGeMatrix3d transform = unset;
        EXPECT_TRUE(source.onProvideNominalHitInfo(nullptr, placement, point, transform));
        EXPECT_EQ(transform, placement);
        return point;
    };
    StrongRef<WorkPoint> point =
        WorkPoint::make(StrongRef<Entity>(collection.get()), ZkGePoint3d(1, 2, 3));
    StrongRef<WorkAxis> offset = WorkAxis::make(StrongRef<Entity>(collection.get()),
                                                ZkGePoint3d(1, 0, 0), ZkGeVector3d(0, 4, 0));
    StrongRef<WorkPlane> raised = WorkPlane::make(
        StrongRef<Entity>(collection.get()), ZkGePlane(ZkGePoint3d(0, 0, 5), ZkGeVector3d::kZAxis));
    EXPECT_TRUE(landing(*point).isEqualTo(ZkGePoint3d(1, 2, 3)));
    EXPECT_TRUE(landing(*offset).isEqualTo(ZkGePoint3d(1, 0.5, 0))) << "half a unit along the axis";
    EXPECT_TRUE(landing(*raised).isEqualTo(ZkGePoint3d(0, 0, 5)));
    EXPECT_TRUE(landing(*collection).isEqualTo(ZkGePoint3d::kOrigin));
}

} // namespace
} // namespace Kv::Geometry::WorkGeometryTests
