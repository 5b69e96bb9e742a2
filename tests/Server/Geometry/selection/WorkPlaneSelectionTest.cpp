// Picked work planes: the plane as a whole, and the corners and edges of its
// drawn rectangle.

#include "../workgeometry/WorkGeometryTestDocument.h"
#include "SelectionTestSupport.h"

#include "Geometry/selection/WorkPlaneExtentLineSelection.h"
#include "Geometry/selection/WorkPlaneExtentPointSelection.h"
#include "Geometry/selection/WorkPlaneSelection.h"
#include "Geometry/workgeometry/WorkPlane.h"
#include "Kv/Measure/IMeasurableSurface.h"

#include <gtest/gtest.h>

#include <array>
#include <tuple>

namespace Kv::Geometry::SelectionTests {
namespace {

using WorkGeometryTests::WorkGeometryTestDocument;

// A plane at height 2 whose rectangle is 4 by 2, so that no two corners and
// no two edges coincide.
class WorkPlaneSelectionTest : public ::testing::Test {
protected:
    void SetUp() override {
        doc.transact([&] {
            plane = WorkPlane::make(doc.collection(),
                                    ZkGePlane(ZkGePoint3d(0, 0, 2), ZkGeVector3d::kZAxis));
            plane->setExtents(ZkGePoint3d(0, 0, 2), ZkGePoint3d(4, 2, 2));
        });
        plane->getAllExtents(corners[0], corners[1], corners[2], corners[3]);
    }

    // Whether `line` runs through `from` and `to`.
    static bool runsThrough(const ZkGeLine3d& line, const ZkGePoint3d& from,
                            const ZkGePoint3d& to) {
        return line.closestPointTo(from).isEqualTo(from) && line.closestPointTo(to).isEqualTo(to);
    }

    WorkGeometryTestDocument doc;
    StrongRef<WorkPlane> plane;
    // Lower-left, upper-left, lower-right, upper-right.
    std::array<ZkGePoint3d, 4> corners;
};

TEST_F(WorkPlaneSelectionTest, ThePlaneOffersItselfAndMeasuresAsAnUnboundedPlane) {
    StrongRef<WorkPlaneSelection> selection = pick<WorkPlaneSelection>(plane.get());
    ASSERT_TRUE(selection);
    EXPECT_EQ(selection->workPlane().get(), plane.get());
    EXPECT_EQ(selection->userName(), L"WorkPlane");

    ZkGePlane offered;
    ASSERT_TRUE(selection->providesPlane(offered));
    EXPECT_EQ(offered, plane->plane());
    ZkGeLine3d line;
    EXPECT_FALSE(selection->providesLine(line));
    ZkGePoint3d point;
    EXPECT_FALSE(selection->providesPoint(point));
    ASSERT_TRUE(selection->hitPoint(point));
    EXPECT_TRUE(point.isEqualTo(ZkGePoint3d(0, 0, 2))) << "the plane's origin";

    std::unique_ptr<Measurable> measurable = selection->makeMeasurable();
    auto* surface = queryInterface<IMeasurableSurface>(measurable.get());
    ASSERT_TRUE(surface && surface->surface());
    EXPECT_TRUE(surface->planar());
    EXPECT_FALSE(surface->bounded());
    doc.transact([&] { plane->plane(ZkGePlane::kYZPlane); });
    EXPECT_TRUE(surface->surface()->normal().isEqualTo(ZkGeVector3d::kZAxis))
        << "edits do not reach it";
}

TEST_F(WorkPlaneSelectionTest, CornerPicksNameTheirCorner) {
    const std::pair<uint64_t, size_t> cornerOf[] = {{kLowerLeftCorner, 0},
                                                    {kLowerRightCorner, 2},
                                                    {kUpperLeftCorner, 1},
                                                    {kUpperRightCorner, 3}};
    for (const auto& [qualifier, corner] : cornerOf) {
        StrongRef<WorkPlaneExtentPointSelection> selection =
            pick<WorkPlaneExtentPointSelection>(plane.get(), qualifier);
        ASSERT_TRUE(selection) << qualifier;
        EXPECT_EQ(selection->workPlane().get(), plane.get());
        EXPECT_TRUE(selection->extentPoint().isEqualTo(corners[corner])) << qualifier;
        EXPECT_FALSE(selection->makeMeasurable());
    }
    EXPECT_EQ(pick<WorkPlaneExtentPointSelection>(plane.get(), 1)->userName(),
              L"WorkPlane Extent Point");
}

TEST_F(WorkPlaneSelectionTest, EdgePicksNameTheLineAlongTheirEdge) {
    const std::tuple<uint64_t, size_t, size_t> edgeOf[] = {
        {kLeftEdge, 0, 1}, {kRightEdge, 2, 3}, {kBottomEdge, 0, 2}, {kTopEdge, 1, 3}};
    for (const auto& [qualifier, from, to] : edgeOf) {
        StrongRef<WorkPlaneExtentLineSelection> selection =
            pick<WorkPlaneExtentLineSelection>(plane.get(), qualifier);
        ASSERT_TRUE(selection) << qualifier;
        EXPECT_EQ(selection->workPlane().get(), plane.get());
        EXPECT_TRUE(runsThrough(selection->extentLine(), corners[from], corners[to])) << qualifier;
    }
    EXPECT_EQ(pick<WorkPlaneExtentLineSelection>(plane.get(), 5)->userName(),
              L"WorkPlane Extent Line");
}

TEST_F(WorkPlaneSelectionTest, QualifiersOutsideTheirRangeGiveDefaults) {
    ObjectPath path = ObjectPath::toEntity(plane.get());
    path.qualify(kUpperRightCorner);
    EXPECT_EQ(WorkPlaneExtentLineSelection::make(path, plane)->extentLine(), ZkGeLine3d());
    path.qualify(kLeftEdge);
    EXPECT_EQ(WorkPlaneExtentPointSelection::make(path, plane)->extentPoint(),
              ZkGePoint3d::kOrigin);
    EXPECT_TRUE(pick<WorkPlaneSelection>(plane.get(), 9)) << "no handle: the plane itself";
}

TEST_F(WorkPlaneSelectionTest, ADeletedPlaneOffersNothing) {
    StrongRef<WorkPlaneSelection> selection = pick<WorkPlaneSelection>(plane.get());
    StrongRef<WorkPlaneExtentLineSelection> edge =
        pick<WorkPlaneExtentLineSelection>(plane.get(), kTopEdge);
    StrongRef<WorkPlaneExtentPointSelection> corner =
        pick<WorkPlaneExtentPointSelection>(plane.get(), kUpperRightCorner);
    doc.transact([&] { doc.workGeometries->removeChild(StrongRef<Entity>(plane)); });

    EXPECT_FALSE(selection->workPlane());
    ZkGePlane offered;
    EXPECT_FALSE(selection->providesPlane(offered));
    EXPECT_FALSE(selection->makeMeasurable());
    EXPECT_EQ(edge->extentLine(), ZkGeLine3d());
    EXPECT_EQ(corner->extentPoint(), ZkGePoint3d::kOrigin);
}

} // namespace
} // namespace Kv::Geometry::SelectionTests
