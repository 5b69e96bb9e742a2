// Work geometry and its collections survive a save and an open unchanged, and
// numbering goes on where it stopped.

#include "WorkGeometryTestDocument.h"

#include "Geometry/workgeometry/WorkAxes.h"
#include "Geometry/workgeometry/WorkAxis.h"
#include "Geometry/workgeometry/WorkPlane.h"
#include "Geometry/workgeometry/WorkPlanes.h"
#include "Geometry/workgeometry/WorkPoint.h"
#include "Geometry/workgeometry/WorkPoints.h"
#include "Kv/Base/Color.h"
#include "Kv/DataModel/EntityMetaType.h"
#include "Kv/DataModel/Segment.h"

#include <gtest/gtest.h>

namespace Kv::Geometry::WorkGeometryTests {
namespace {

// Compares two entity trees class by class and member by member.
void expectSameTree(Entity* saved, Entity* loaded, const std::string& where) {
    ASSERT_NE(loaded, nullptr) << where;
    ASSERT_EQ(saved->metaType(), loaded->metaType()) << where;
    EXPECT_EQ(printed(saved), printed(loaded)) << where;
    auto* savedGroup = ::Kv::queryInterface<Managed::ManagedGroupEntity>(saved);
    auto* loadedGroup = ::Kv::queryInterface<Managed::ManagedGroupEntity>(loaded);
    ASSERT_EQ(savedGroup == nullptr, loadedGroup == nullptr) << where;
    if (!savedGroup)
        return;
    ASSERT_EQ(savedGroup->childCount(), loadedGroup->childCount()) << where;
    for (size_t i = 0; i < savedGroup->childCount(); ++i)
        expectSameTree(savedGroup->child(i).get(), loadedGroup->child(i).get(),
                       where + "/" + saved->metaType()->className() + std::to_string(i));
}

TEST(WorkGeometryPersistence, EveryMemberOfEveryClassRoundTrips) {
    WorkGeometryTestDocument doc;
    const StrongRef<Entity> parent(doc.workGeometries.get());
    StrongRef<WorkPlane> plane =
        WorkPlane::make(parent, ZkGePoint3d(1, 2, 3), ZkGeVector3d(0, 1, 0), ZkGeVector3d(0, 0, 1));
    plane->setExtents(ZkGePoint3d(-1, -2, -3), ZkGePoint3d(4, 5, 6));
    plane->lineColor(Color(0.25f, 0.5f, 0.75f, 1.0f));
    StrongRef<WorkAxis> axis = WorkAxis::make(parent, ZkGePoint3d(1, 1, 0), ZkGeVector3d(1, 1, 1));
    axis->scaleExtents(0.125);
    axis->isVisible(false);
    StrongRef<WorkPoint> point = WorkPoint::make(parent, ZkGePoint3d(0.1, -2e-9, 7));
    WorkPoint::make(parent, ZkGePoint3d(5, 5, 5), true, L"Pinned \"p\"");
    doc.workGeometries->isVisible(false);
    doc.origin->isVisible(true);

    StrongRef<WorkPlanes> planes(new WorkPlanes(doc.component.get()));
    planes->postCreation(kTransactDo);
    planes->getNextID();
    planes->getNextID();
    StrongRef<WorkPoints> points(new WorkPoints(doc.component.get()));
    points->postCreation(kTransactDo);
    WorkPoint::make(StrongRef<Entity>(points.get()), ZkGePoint3d(3, 2, 1));
    StrongRef<WorkAxes> axes(new WorkAxes(doc.component.get()));
    axes->postCreation(kTransactDo);

    std::unique_ptr<Asset> loaded = saveAndOpen(*doc.asset);
    StrongRef<Component> component = Component::find(loaded->defaultSegment());
    ASSERT_TRUE(component);
    expectSameTree(doc.component.get(), component.get(), "component");
    // The comparison relies on the printed text carrying the values.
    EXPECT_NE(printed(plane.get()).find("id = 1"), std::string::npos) << printed(plane.get());
    EXPECT_NE(printed(point.get()).find("point = (0.1, -2e-09, 7)"), std::string::npos);
}

TEST(WorkGeometryPersistence, NumberingContinuesAfterReopening) {
    WorkGeometryTestDocument doc;
    const StrongRef<Entity> parent(doc.workGeometries.get());
    WorkPlane::make(parent, ZkGePlane::kXYPlane);
    WorkAxis::make(parent, ZkGeLine3d::kYAxis);
    WorkAxis::make(parent, ZkGeLine3d::kZAxis);

    std::unique_ptr<Asset> loaded = saveAndOpen(*doc.asset);
    StrongRef<Component> component = Component::find(loaded->defaultSegment());
    StrongRef<WorkGeometries> collection = firstChildOf<WorkGeometries>(*component);
    ASSERT_TRUE(collection);
    EXPECT_EQ(collection->workGeometry(2)->userName(), L"Axis2");
    EXPECT_FLOAT_EQ(collection->workGeometry(2)->lineThickness(), 1.3f);
    EXPECT_EQ(firstChildOf<OriginWorkGeometry>(*component)->originWorkGeometry(2)->userName(),
              L"XY Plane");

    const StrongRef<Entity> reopened(collection.get());
    EXPECT_EQ(WorkPlane::make(reopened, ZkGePlane::kZXPlane)->userName(), L"Plane2");
    EXPECT_EQ(WorkAxis::make(reopened, ZkGeLine3d::kXAxis)->userName(), L"Axis3");
    EXPECT_EQ(WorkPoint::make(reopened, ZkGePoint3d())->userName(), L"Point1");
}

} // namespace
} // namespace Kv::Geometry::WorkGeometryTests
