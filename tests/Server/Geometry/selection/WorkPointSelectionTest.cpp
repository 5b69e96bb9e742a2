// Picked work points, and the selections of a component's work geometry
// collection and origin set as a whole.

#include "../workgeometry/WorkGeometryTestDocument.h"
#include "SelectionTestSupport.h"

#include "Geometry/selection/OriginWorkGeometrySelection.h"
#include "Geometry/selection/WorkGeometriesSelection.h"
#include "Geometry/selection/WorkPointSelection.h"
#include "Geometry/workgeometry/WorkPlane.h"
#include "Geometry/workgeometry/WorkPoint.h"
#include "Kv/Measure/IMeasurablePoint.h"

#include <gtest/gtest.h>

namespace Kv::Geometry::SelectionTests {
namespace {

using WorkGeometryTests::firstChildOf;
using WorkGeometryTests::WorkGeometryTestDocument;

TEST(WorkPointSelection, OffersThePositionAndMeasuresAsAPoint) {
    WorkGeometryTestDocument doc;
    StrongRef<WorkPoint> point;
    doc.transact([&] { point = WorkPoint::make(doc.collection(), ZkGePoint3d(3, 4, 7)); });
    StrongRef<WorkPointSelection> selection = pick<WorkPointSelection>(point.get());
    ASSERT_TRUE(selection);
    EXPECT_EQ(selection->workPoint().get(), point.get());
    EXPECT_EQ(selection->userName(), L"WorkPoint");

    ZkGePoint3d position;
    ASSERT_TRUE(selection->providesPoint(position));
    EXPECT_EQ(position, ZkGePoint3d(3, 4, 7));
    ASSERT_TRUE(selection->hitPoint(position));
    EXPECT_TRUE(position.isEqualTo(ZkGePoint3d(3, 4, 7)));

    std::unique_ptr<Measurable> measurable = selection->makeMeasurable();
    auto* measured = queryInterface<IMeasurablePoint>(measurable.get());
    ASSERT_TRUE(measured && measured->point());
    doc.transact([&] { point->point(ZkGePoint3d(0, 0, 0)); });
    EXPECT_TRUE(measured->point()->isEqualTo(ZkGePoint3d(3, 4, 7))) << "edits do not reach it";

    doc.transact([&] { doc.workGeometries->removeChild(StrongRef<Entity>(point)); });
    EXPECT_FALSE(selection->workPoint());
    EXPECT_FALSE(selection->providesPoint(position));
    EXPECT_FALSE(selection->makeMeasurable());
}

TEST(WorkPointSelection, TheOriginPointIsAWorkPointToo) {
    WorkGeometryTestDocument doc;
    StrongRef<WorkPoint> centre = firstChildOf<WorkPoint>(*doc.origin);
    ASSERT_TRUE(centre);
    StrongRef<WorkPointSelection> selection = pick<WorkPointSelection>(centre.get());
    ASSERT_TRUE(selection);
    ZkGePoint3d position(1, 1, 1);
    ASSERT_TRUE(selection->providesPoint(position));
    EXPECT_EQ(position, ZkGePoint3d::kOrigin);
}

TEST(WorkGeometryCollectionSelections, EachCollectionIsSelectedAsAWhole) {
    WorkGeometryTestDocument doc;
    StrongRef<WorkGeometriesSelection> all =
        pick<WorkGeometriesSelection>(doc.workGeometries.get());
    ASSERT_TRUE(all);
    EXPECT_EQ(all->workGeometries().get(), doc.workGeometries.get());
    EXPECT_EQ(all->userName(), L"Construction Geometries");
    EXPECT_FALSE(all->makeMeasurable());

    StrongRef<OriginWorkGeometrySelection> origin =
        pick<OriginWorkGeometrySelection>(doc.origin.get());
    ASSERT_TRUE(origin);
    EXPECT_EQ(origin->originWorkGeometry().get(), doc.origin.get());
    EXPECT_EQ(origin->userName(), L"Origin WorkGeometry");

    // Each selection knows only its own kind of collection.
    EXPECT_FALSE(OriginWorkGeometrySelection::make(all->path(), {})->originWorkGeometry());
    EXPECT_FALSE(WorkGeometriesSelection::make(origin->path(), {})->workGeometries());
}

TEST(WorkGeometryCollectionSelections, APathBelowASelectableChildIsNotCutBack) {
    WorkGeometryTestDocument doc;
    StrongRef<WorkPlane> plane;
    doc.transact([&] { plane = WorkPlane::make(doc.collection(), ZkGePlane::kXYPlane); });
    auto* source = queryInterface<ILogicalSelectionSource>(doc.workGeometries.get());
    ASSERT_TRUE(source);
    const ObjectPath toPlane = ObjectPath::toEntity(plane.get());
    StrongRef<LogicalSelection> made = source->onCreateLogicalSelection(toPlane);
    ASSERT_TRUE(queryInterface<WorkGeometriesSelection>(made.get()));
    EXPECT_EQ(made->path(), toPlane) << "the plane answers for its own picks";
}

} // namespace
} // namespace Kv::Geometry::SelectionTests
