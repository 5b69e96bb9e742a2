// The library's measure client and measuring sketch entities through the
// measure manager, as the measure tool does.

#include "../selection/SelectionTestSupport.h"
#include "../sketch3d/SketchModelDocument.h"
#include "../workgeometry/WorkGeometryTestDocument.h"

#include "Geometry/curves3d/CircArc3D.h"
#include "Geometry/curves3d/Line3D.h"
#include "Geometry/selection/GeometrySelectionGlobals.h"
#include "Geometry/selection/SketchCurveSelection.h"
#include "Geometry/selection/SketchCurveSelectionFilter.h"
#include "Geometry/selection/SketchPointSelection.h"
#include "Geometry/selection/SketchPointSelectionFilter.h"
#include "Geometry/selection/SketchesSelection.h"
#include "Geometry/selection/WorkAxisExtentSelection.h"
#include "Geometry/selection/WorkAxisSelection.h"
#include "Geometry/selection/WorkAxisSelectionFilter.h"
#include "Geometry/selection/WorkGeometriesSelection.h"
#include "Geometry/selection/WorkPlaneSelection.h"
#include "Geometry/selection/WorkPlaneSelectionFilter.h"
#include "Geometry/selection/WorkPointSelection.h"
#include "Geometry/selection/WorkPointSelectionFilter.h"
#include "Geometry/sketch3d/Point3D.h"
#include "Geometry/workgeometry/WorkAxis.h"
#include "Geometry/workgeometry/WorkPlane.h"
#include "Geometry/workgeometry/WorkPoint.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace Kv::Geometry::MeasureTests {
namespace {

using SelectionTests::pick;
using SelectionTests::placeSketch;
using SketchTests::SketchModelDocument;
using WorkGeometryTests::WorkGeometryTestDocument;

TEST(GeoMeasureClient, IsRegisteredWithItsPointCurveAndSurfaceFilters) {
    const auto& clients = MeasureMgr::clients();
    EXPECT_NE(std::find(clients.begin(), clients.end(), &g_geoMeasureClient), clients.end());

    MeasureMgr::FilterTable table;
    table[MeasureMgr::kPointKind] = {nullptr, nullptr};
    g_geoMeasureClient.onGetFilterTable(table);
    EXPECT_EQ(table[MeasureMgr::kPointKind],
              (std::vector<SelectionFilter*>{&SketchPointSelectionFilter::get(),
                                             &WorkPointSelectionFilter::get()}))
        << "the list replaces what was there";
    EXPECT_EQ(table[MeasureMgr::kCurveKind],
              (std::vector<SelectionFilter*>{&SketchCurveSelectionFilter::anyCurves(),
                                             &WorkAxisSelectionFilter::get()}));
    EXPECT_EQ(table[MeasureMgr::kSurfaceKind],
              std::vector<SelectionFilter*>{&WorkPlaneSelectionFilter::get()});
}

TEST(GeoMeasureClient, SketchEntitiesAreMeasuredInModelSpace) {
    SketchModelDocument doc;
    StrongRef<Sketch> sketch = doc.newSketch();
    StrongRef<Line3D> line;
    StrongRef<CircArc3D> circle;
    StrongRef<Point3D> point;
    doc.transact([&] {
        placeSketch(sketch); // sketch (x, y, z) is model (-y, x, z + 5)
        line = Line3D::make(sketch, ZkGePoint3d(0, 0, 0), ZkGePoint3d(3, 4, 0));
        circle = CircArc3D::make(sketch, ZkGePoint3d(10, 0, 0), ZkGeVector3d::kZAxis, 2);
        point = Point3D::make(sketch, ZkGePoint3d(6, 0, 0));
    });
    StrongRef<LogicalSelection> linePick = pick<SketchCurveSelection>(line.get());
    StrongRef<LogicalSelection> circlePick = pick<SketchCurveSelection>(circle.get());
    StrongRef<LogicalSelection> pointPick = pick<SketchPointSelection>(point.get());
    for (const auto& selection : {linePick, circlePick, pointPick})
        EXPECT_TRUE(MeasureMgr::isMeasurable(selection));
    EXPECT_FALSE(MeasureMgr::isMeasurable(pick<SketchesSelection>(doc.sketches.get())));

    MeasureMgr::MeasureResult result;
    ASSERT_TRUE(MeasureMgr::measure(*linePick, MeasureMgr::kLength, result));
    EXPECT_DOUBLE_EQ(result.value, 5);
    EXPECT_TRUE(result.firstPoint.isEqualTo(ZkGePoint3d(-2, 1.5, 5))) << "the middle, placed";

    ASSERT_TRUE(MeasureMgr::measure(*pointPick, MeasureMgr::kX, result));
    EXPECT_DOUBLE_EQ(result.value, 0) << "sketch (6, 0, 0) is model (0, 6, 5)";
    ASSERT_TRUE(MeasureMgr::measure(*pointPick, MeasureMgr::kY, result));
    EXPECT_DOUBLE_EQ(result.value, 6);

    // The point only measures against points: the curve answers, and the
    // points come back in the order asked.
    ASSERT_TRUE(MeasureMgr::measure(*pointPick, *circlePick, MeasureMgr::kDistance, result));
    EXPECT_NEAR(result.value, 2, 1e-9);
    EXPECT_TRUE(result.firstPoint.isEqualTo(ZkGePoint3d(0, 6, 5)));
    EXPECT_TRUE(result.secondPoint.isEqualTo(ZkGePoint3d(0, 8, 5)));

    EXPECT_FALSE(MeasureMgr::measure(*linePick, MeasureMgr::kRadius, result));
    EXPECT_FALSE(MeasureMgr::measure(*pointPick, *circlePick, MeasureMgr::kDeltaX, result))
        << "a difference is not turned around";
}

// Work planes, axes and points measured against each other: a plane at
// height 2, a plane tilted 45 degrees about the x axis, an axis along x
// through (0, 1, 0) and a point at (3, 4, 7).
TEST(GeoMeasureClient, WorkGeometryIsMeasuredThroughItsSelections) {
    WorkGeometryTestDocument doc;
    StrongRef<WorkPlane> flat, tilted;
    StrongRef<WorkAxis> axis;
    StrongRef<WorkPoint> point;
    doc.transact([&] {
        flat = WorkPlane::make(doc.collection(),
                               ZkGePlane(ZkGePoint3d(0, 0, 2), ZkGeVector3d::kZAxis));
        tilted = WorkPlane::make(doc.collection(),
                                 ZkGePlane(ZkGePoint3d::kOrigin, ZkGeVector3d(0, 1, 1)));
        axis = WorkAxis::make(doc.collection(), ZkGePoint3d(0, 1, 0), ZkGeVector3d::kXAxis);
        point = WorkPoint::make(doc.collection(), ZkGePoint3d(3, 4, 7));
    });
    StrongRef<LogicalSelection> flatPick = pick<WorkPlaneSelection>(flat.get());
    StrongRef<LogicalSelection> tiltedPick = pick<WorkPlaneSelection>(tilted.get());
    StrongRef<LogicalSelection> axisPick = pick<WorkAxisSelection>(axis.get());
    StrongRef<LogicalSelection> pointPick = pick<WorkPointSelection>(point.get());
    for (const auto& selection : {flatPick, tiltedPick, axisPick, pointPick})
        EXPECT_TRUE(MeasureMgr::isMeasurable(selection));
    EXPECT_TRUE(MeasureMgr::isMeasurable(pick<WorkAxisExtentSelection>(axis.get(), kLowerEnd)))
        << "the axis filter takes a pick of an end for the axis";
    EXPECT_FALSE(MeasureMgr::isMeasurable(pick<WorkGeometriesSelection>(doc.workGeometries.get())));

    MeasureMgr::MeasureResult result;
    ASSERT_TRUE(MeasureMgr::measure(*pointPick, *flatPick, MeasureMgr::kDistance, result));
    EXPECT_NEAR(result.value, 5, 1e-9);
    EXPECT_TRUE(result.firstPoint.isEqualTo(ZkGePoint3d(3, 4, 7)));
    EXPECT_TRUE(result.secondPoint.isEqualTo(ZkGePoint3d(3, 4, 2)));

    ASSERT_TRUE(MeasureMgr::measure(*flatPick, *tiltedPick, MeasureMgr::kAngle, result));
    EXPECT_NEAR(result.value, M_PI / 4, 1e-9);
    EXPECT_FALSE(MeasureMgr::measure(*flatPick, *tiltedPick, MeasureMgr::kDistance, result))
        << "planes that meet have no gap to measure";

    ASSERT_TRUE(MeasureMgr::measure(*axisPick, *pointPick, MeasureMgr::kDistance, result));
    EXPECT_NEAR(result.value, std::sqrt(58.0), 1e-9);
    EXPECT_TRUE(result.firstPoint.isEqualTo(ZkGePoint3d(3, 1, 0))) << "the foot on the axis";

    ASSERT_TRUE(MeasureMgr::measure(*axisPick, *flatPick, MeasureMgr::kAngle, result));
    EXPECT_NEAR(result.value, 0, 1e-9);
    ASSERT_TRUE(MeasureMgr::measure(*axisPick, *flatPick, MeasureMgr::kDistance, result));
    EXPECT_NEAR(result.value, 2, 1e-9) << "the axis runs parallel to the plane";

    ASSERT_TRUE(MeasureMgr::measure(*pointPick, MeasureMgr::kZ, result));
    EXPECT_DOUBLE_EQ(result.value, 7);
    EXPECT_FALSE(MeasureMgr::measure(*axisPick, MeasureMgr::kLength, result))
        << "an axis is unbounded";
}

} // namespace
} // namespace Kv::Geometry::MeasureTests
