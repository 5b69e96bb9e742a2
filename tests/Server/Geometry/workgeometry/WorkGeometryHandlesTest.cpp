// Extent handles of work planes and axes: dragging one corner, edge or end,
// projecting a point along a view direction, and which handle a pick near the
// drawn rectangle or line lands on.

#include "WorkGeometryTestDocument.h"

#include "Geometry/workgeometry/WorkAxis.h"
#include "Geometry/workgeometry/WorkPlane.h"
#include "Kv/Selection/LogicalSelection.h"

#include "ZkGeMatrix3d.h"

#include <gtest/gtest.h>

namespace Kv::Geometry::WorkGeometryTests {
namespace {

// A view looking down the z axis at 10 pixels per unit; the depth is kept so
// that handles must ignore it.
ZkGePoint3d tenPixelsPerUnit(const ZkGePoint3d& point) {
    return ZkGePoint3d(point.x * 10, point.y * 10, point.z * 10);
}

class WorkGeometryHandlesTest : public ::testing::Test {
protected:
    StrongRef<WorkPlane> xyPlane() {
        return WorkPlane::make(doc.collection(), ZkGePlane::kXYPlane);
    }
    std::pair<ZkGePoint2d, ZkGePoint2d> sizeOf(const WorkPlane& plane) {
        std::pair<ZkGePoint2d, ZkGePoint2d> size;
        plane.size(size.first, size.second);
        return size;
    }
    int planeHandleAt(const WorkPlane& plane, double x, double y, double z = 0) {
        return plane.extentHandleAt(ZkGePoint3d(x, y, z), tenPixelsPerUnit);
    }

    WorkGeometryTestDocument doc;
};

using Extent = std::pair<ZkGePoint2d, ZkGePoint2d>;

// ---- dragging

TEST_F(WorkGeometryHandlesTest, EachPlaneHandleMovesOnlyItsOwnExtentValues) {
    const Extent initial{{-5, -5}, {5, 5}};
    const struct {
        int handle;
        Extent expected;
    } cases[] = {
        {kLowerLeftCorner, {{2, 3}, {5, 5}}},  {kLowerRightCorner, {{-5, 3}, {2, 5}}},
        {kUpperLeftCorner, {{2, -5}, {5, 3}}}, {kUpperRightCorner, {{-5, -5}, {2, 3}}},
        {kLeftEdge, {{2, -5}, {5, 5}}},        {kRightEdge, {{-5, -5}, {2, 5}}},
        {kBottomEdge, {{-5, 3}, {5, 5}}},      {kTopEdge, {{-5, -5}, {5, 3}}},
    };
    // The point lies off the plane: only its projection counts.
    const ZkGePoint3d dragged(2, 3, 7);
    for (const auto& [handle, expected] : cases) {
        StrongRef<WorkPlane> plane = xyPlane();
        ASSERT_EQ(sizeOf(*plane), initial);
        if (handle <= kUpperRightCorner)
            plane->setOnePointExtent(dragged, static_cast<WorkPlaneExtentPointType>(handle));
        else
            plane->setOneLineExtent(dragged, static_cast<WorkPlaneExtentLineType>(handle));
        EXPECT_EQ(sizeOf(*plane), expected) << "handle " << handle;
    }
}

TEST_F(WorkGeometryHandlesTest, DraggingPastTheOppositeSideTurnsThePlaneInsideOut) {
    StrongRef<WorkPlane> plane = xyPlane();
    plane->setOneLineExtent(ZkGePoint3d(9, 0, 0), kLeftEdge);
    EXPECT_EQ(sizeOf(*plane), Extent({9, -5}, {5, 5}));
}

TEST_F(WorkGeometryHandlesTest, AnUnknownHandleChangesNothingButIsStillRecorded) {
    StrongRef<WorkPlane> plane = xyPlane();
    ChangeLog log;
    plane->subscribe(&log);
    plane->setOnePointExtent(ZkGePoint3d(1, 1, 0), static_cast<WorkPlaneExtentPointType>(5));
    plane->setOneLineExtent(ZkGePoint3d(1, 1, 0), static_cast<WorkPlaneExtentLineType>(4));
    plane->unsubscribe(&log);
    EXPECT_EQ(sizeOf(*plane), Extent({-5, -5}, {5, 5}));
    EXPECT_EQ(log.types, (std::vector<unsigned>{1, 1}));
}

TEST_F(WorkGeometryHandlesTest, EitherAxisEndFollowsTheNearestLinePoint) {
    StrongRef<WorkAxis> axis = WorkAxis::make(doc.collection(), ZkGeLine3d::kZAxis);
    ChangeLog log;
    axis->subscribe(&log);
    axis->setOneExtent(ZkGePoint3d(4, 4, 3), true);
    axis->setOneExtent(ZkGePoint3d(-1, 0, -6), false);
    axis->unsubscribe(&log);
    double lower = 0, upper = 0;
    axis->size(lower, upper);
    EXPECT_DOUBLE_EQ(lower, 3.0);
    EXPECT_DOUBLE_EQ(upper, -6.0) << "the ends are not sorted";
    EXPECT_EQ(log.types, (std::vector<unsigned>{1, 1}));
}

// ---- projecting along a view direction

TEST_F(WorkGeometryHandlesTest, PointsAreProjectedInTheEntitysOwnCoordinates) {
    const ZkGeMatrix3d raised = ZkGeMatrix3d::translation(ZkGeVector3d(0, 0, 5));

    StrongRef<WorkPlane> plane = xyPlane();
    ZkGePoint3d onPlane(1, 2, 8);
    plane->calculateExtentFromProjectionDirection(onPlane, ZkGeVector3d(1, 0, -1), raised);
    EXPECT_TRUE(onPlane.isEqualTo(ZkGePoint3d(4, 2, 0))) << "moved 3 along (1, 0, -1)";

    StrongRef<WorkAxis> axis = WorkAxis::make(doc.collection(), ZkGeLine3d::kZAxis);
    ZkGePoint3d onAxis(3, 0, 5);
    axis->calculateExtentFromProjectionDirection(onAxis, ZkGeVector3d(1, 0, 1), raised);
    EXPECT_TRUE(onAxis.isEqualTo(ZkGePoint3d(0, 0, -3)))
        << "the axis point seen behind (3, 0, 0) along (1, 0, 1)";
}

// ---- picking

TEST_F(WorkGeometryHandlesTest, CornersWinOverEdgesWithinTheirLargerRadius) {
    StrongRef<WorkPlane> plane = xyPlane(); // corners at (+-50, +-50) pixels
    // 12 pixels from the lower-left corner, 5 from the left edge.
    EXPECT_EQ(planeHandleAt(*plane, -4.5, -3.9), kLowerLeftCorner);
    EXPECT_EQ(planeHandleAt(*plane, -4.9, 4.9, 30), kUpperLeftCorner) << "depth is ignored";
    EXPECT_EQ(planeHandleAt(*plane, 4.9, -4.9), kLowerRightCorner);
    EXPECT_EQ(planeHandleAt(*plane, 5.1, 5.1), kUpperRightCorner);
    EXPECT_EQ(planeHandleAt(*plane, -4.5, 0), kLeftEdge);
    EXPECT_EQ(planeHandleAt(*plane, 5.5, 1), kRightEdge);
    EXPECT_EQ(planeHandleAt(*plane, 2, -5.9), kBottomEdge);
    EXPECT_EQ(planeHandleAt(*plane, 0, 4.2), kTopEdge);
    EXPECT_EQ(planeHandleAt(*plane, 0, 0), 0) << "the middle picks the plane";
    // Edges are unbounded lines on screen.
    EXPECT_EQ(planeHandleAt(*plane, 30, 5.05), kTopEdge);
}

TEST_F(WorkGeometryHandlesTest, AnEdgeOnPlaneStillOffersItsEdges) {
    StrongRef<WorkPlane> plane =
        WorkPlane::make(doc.collection(), ZkGePlane(ZkGePoint3d::kOrigin, ZkGeVector3d::kYAxis));
    // Seen from above, the XZ plane is a segment on the x axis.
    const int handle = planeHandleAt(*plane, 0, 0.3);
    EXPECT_GE(handle, kLeftEdge);
    EXPECT_LE(handle, kTopEdge);
}

TEST_F(WorkGeometryHandlesTest, OriginEntitiesOfferNoHandles) {
    auto* xy = ::Kv::queryInterface<WorkPlane>(doc.origin->child(2).get());
    ASSERT_NE(xy, nullptr);
    EXPECT_EQ(planeHandleAt(*xy, 0.25, 0.25), 0);
    auto* z = ::Kv::queryInterface<WorkAxis>(doc.origin->child(5).get());
    ASSERT_NE(z, nullptr);
    EXPECT_EQ(z->extentHandleAt(ZkGePoint3d(0, 0, 0.175), tenPixelsPerUnit), 0);
}

TEST_F(WorkGeometryHandlesTest, TheLowerAxisEndIsTriedFirst) {
    StrongRef<WorkAxis> axis = WorkAxis::make(doc.collection(), ZkGeLine3d::kYAxis);
    axis->setExtents(ZkGePoint3d(0, 0, 0), ZkGePoint3d(0, 0.5, 0)); // 5 pixels long
    const auto at = [&](double x, double y) {
        return axis->extentHandleAt(ZkGePoint3d(x, y, 0), tenPixelsPerUnit);
    };
    EXPECT_EQ(at(0.8, 0.25), kLowerEnd) << "8.4 pixels from both ends";
    EXPECT_EQ(at(0, 1.2), kUpperEnd);
    EXPECT_EQ(at(0, 2), 0);
}

TEST_F(WorkGeometryHandlesTest, APickNamesItsHandleInThePathQualifier) {
    StrongRef<WorkPlane> plane = xyPlane();
    const ObjectPath path = ObjectPath::toEntity(plane.get());
    const auto pick = [&](const ObjectPath& picked, const ZkGePoint3d* hit) {
        StrongRef<LogicalSelection> selection =
            plane->onCreateViewDependentLogicalSelection(picked, hit, tenPixelsPerUnit);
        EXPECT_TRUE(selection);
        EXPECT_EQ(selection ? selection->path().leaf() : nullptr, plane.get());
        return selection ? selection->path().qualifier() : -1;
    };
    const ZkGePoint3d nearUpperRight(4.8, 4.9, 0), middle(0, 0, 0);
    EXPECT_EQ(pick(path, &nearUpperRight), kUpperRightCorner);
    EXPECT_EQ(pick(path, &middle), 0);
    EXPECT_EQ(pick(path, nullptr), 0) << "without a hit, the plane";
    ObjectPath onTopEdge = path;
    onTopEdge.qualify(kTopEdge);
    EXPECT_EQ(pick(onTopEdge, &nearUpperRight), kTopEdge) << "a named handle stays";
    ObjectPath unknown = path;
    unknown.qualify(9);
    EXPECT_EQ(pick(unknown, &nearUpperRight), kUpperRightCorner);

    StrongRef<WorkAxis> axis = WorkAxis::make(doc.collection(), ZkGeLine3d::kXAxis);
    const ZkGePoint3d nearLowerEnd(-9.9, 0, 0);
    StrongRef<LogicalSelection> end = axis->onCreateViewDependentLogicalSelection(
        ObjectPath::toEntity(axis.get()), &nearLowerEnd, tenPixelsPerUnit);
    ASSERT_TRUE(end);
    EXPECT_EQ(end->path().qualifier(), kLowerEnd);

    plane->drawForPreview(true);
    EXPECT_FALSE(plane->onCreateViewDependentLogicalSelection(path, &middle, tenPixelsPerUnit))
        << "a preview cannot be picked";
}

} // namespace
} // namespace Kv::Geometry::WorkGeometryTests
