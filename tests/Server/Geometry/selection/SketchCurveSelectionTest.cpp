// Picked sketch curves: what the selection offers (its curve, a line, where
// it was hit) and how it follows the curve through deletion and undo.

#include "../sketch3d/SketchModelDocument.h"
#include "SelectionTestSupport.h"

#include "Geometry/curves3d/CircArc3D.h"
#include "Geometry/curves3d/EllipticArc3D.h"
#include "Geometry/curves3d/Line3D.h"
#include "Geometry/curves3d/Spline3D.h"
#include "Geometry/selection/SketchCurveSelection.h"

#include <gtest/gtest.h>

namespace Kv::Geometry::SelectionTests {
namespace {

using SketchTests::SketchModelDocument;

class SketchCurveSelectionTest : public ::testing::Test {
protected:
    // A line from (0, 0, 0) to (4, 0, 0) in a sketch placed by placeSketch.
    void SetUp() override {
        sketch = doc.newSketch();
        doc.transact([&] {
            placeSketch(sketch);
            line = Line3D::make(sketch, ZkGePoint3d(0, 0, 0), ZkGePoint3d(4, 0, 0));
        });
        selection = pick<SketchCurveSelection>(line.get());
        ASSERT_TRUE(selection);
    }

    // A hit info for a pick straight down the component's z axis through
    // component (x, y).
    static SelectionHitInfo pickDownAt(double x, double y) {
        // The ray is given in a node shifted up by 10.
        SelectionHitInfo hit;
        hit.localRay = ZkGeRay3d(ZkGePoint3d(x, y, 5), -ZkGeVector3d::kZAxis);
        hit.localToWorld = ZkGeMatrix3d::translation(ZkGeVector3d(0, 0, 10));
        return hit;
    }

    SketchModelDocument doc;
    StrongRef<Sketch> sketch;
    StrongRef<Line3D> line;
    StrongRef<SketchCurveSelection> selection;
};

TEST_F(SketchCurveSelectionTest, TheCurveAnswersItsPickWithACurveSelection) {
    EXPECT_EQ(selection->curve().get(), line.get());
    EXPECT_EQ(selection->geometry().get(), line.get());
    EXPECT_EQ(selection->path(), ObjectPath::toEntity(line.get()));
    EXPECT_EQ(selection->userName(), L"Sketch Curve");
    EXPECT_TRUE(selection->isValid());
    EXPECT_EQ(queryInterface<LogicalSelection>(selection.get()), selection.get());

    // A leaf of another kind selects no curve.
    ObjectPath toSketch = ObjectPath::toEntity(sketch.get());
    EXPECT_FALSE(SketchCurveSelection::make(toSketch, {})->curve());
}

TEST_F(SketchCurveSelectionTest, LinesAndCircularArcsProvideALine) {
    ZkGeLine3d provided;
    ASSERT_TRUE(selection->providesLine(provided));
    EXPECT_TRUE(provided.isOn(ZkGePoint3d(-7, 0, 0))) << "the whole line, not the segment";
    EXPECT_TRUE(provided.direction().isParallelTo(ZkGeVector3d::kXAxis));

    StrongRef<CircArc3D> arc;
    StrongRef<EllipticArc3D> ellipse;
    StrongRef<Spline3D> spline;
    doc.transact([&] {
        arc = CircArc3D::make(sketch, ZkGePoint3d(2, 3, 0), ZkGeVector3d::kZAxis, 1.5);
        ellipse = EllipticArc3D::make(sketch, ZkGePoint3d(9, 9, 0), ZkGeVector3d(2, 0, 0),
                                      ZkGeVector3d(0, 1, 0));
        spline = Spline3D::make(
            sketch,
            ZkArray<ZkGePoint3d>{ZkGePoint3d(0, 5, 0), ZkGePoint3d(1, 6, 0), ZkGePoint3d(2, 5, 0)},
            false);
    });
    ASSERT_TRUE(pick<SketchCurveSelection>(arc.get())->providesLine(provided));
    EXPECT_TRUE(provided.isOn(ZkGePoint3d(2, 3, -4))) << "the arc's axis";
    EXPECT_TRUE(provided.direction().isParallelTo(ZkGeVector3d::kZAxis));

    const ZkGeLine3d untouched = provided;
    EXPECT_FALSE(pick<SketchCurveSelection>(ellipse.get())->providesLine(provided));
    EXPECT_FALSE(pick<SketchCurveSelection>(spline.get())->providesLine(provided));
    EXPECT_EQ(provided, untouched);
}

TEST_F(SketchCurveSelectionTest, WithoutAPickTheMiddleOfTheCurveStandsForTheHit) {
    ZkGePoint3d hit;
    ASSERT_TRUE(selection->sketchSpaceHitPoint(hit));
    EXPECT_TRUE(hit.isEqualTo(ZkGePoint3d(2, 0, 0)));
    ASSERT_TRUE(selection->parentComponentSpaceHitPoint(hit));
    EXPECT_TRUE(hit.isEqualTo(ZkGePoint3d(0, 2, 5))) << "through the sketch's placement";
    ASSERT_TRUE(selection->hitPoint(hit));
    EXPECT_TRUE(hit.isEqualTo(ZkGePoint3d(0, 2, 5)));

    StrongRef<CircArc3D> circle;
    doc.transact(
        [&] { circle = CircArc3D::make(sketch, ZkGePoint3d(1, 1, 0), ZkGeVector3d::kZAxis, 2); });
    ASSERT_TRUE(pick<SketchCurveSelection>(circle.get())->sketchSpaceHitPoint(hit));
    const ZkGePoint3d start = circle->curve().evalPoint(circle->curve().getInterval().lowerBound());
    EXPECT_NEAR(hit.distanceTo(start), 4.0, 1e-9) << "a full circle's middle is opposite its start";
}

TEST_F(SketchCurveSelectionTest, APickRayHitsTheCurveWhereItMeetsTheSketchPlane) {
    // Sketch (3, 1) is component (-1, 3): the curve's nearest point there is
    // sketch (3, 0), component (0, 3, 5).
    selection->hitInfo(pickDownAt(-1, 3));
    ZkGePoint3d hit;
    ASSERT_TRUE(selection->sketchSpaceHitPoint(hit));
    EXPECT_TRUE(hit.isEqualTo(ZkGePoint3d(3, 0, 0)));
    ASSERT_TRUE(selection->parentComponentSpaceHitPoint(hit));
    EXPECT_TRUE(hit.isEqualTo(ZkGePoint3d(0, 3, 5)));

    // Beyond the end the end is nearest.
    selection->hitInfo(pickDownAt(0, 9));
    ASSERT_TRUE(selection->sketchSpaceHitPoint(hit));
    EXPECT_TRUE(hit.isEqualTo(ZkGePoint3d(4, 0, 0)));

    // A ray along the sketch plane never meets it: the middle again.
    SelectionHitInfo grazing;
    grazing.localRay = ZkGeRay3d(ZkGePoint3d(0, 0, 9), ZkGeVector3d::kXAxis);
    selection->hitInfo(grazing);
    ASSERT_TRUE(selection->sketchSpaceHitPoint(hit));
    EXPECT_TRUE(hit.isEqualTo(ZkGePoint3d(2, 0, 0)));
}

TEST_F(SketchCurveSelectionTest, ADeletedCurveIsSelectedNoMoreUntilUndoBringsItBack) {
    Line3D* picked = line.get();
    line.reset();
    doc.transact([&] { sketch->remove(StrongRef<GeometryBase3D>(picked)); });
    EXPECT_FALSE(selection->isValid());
    EXPECT_FALSE(selection->curve());
    ZkGePoint3d hit(7, 7, 7);
    EXPECT_FALSE(selection->sketchSpaceHitPoint(hit));
    EXPECT_EQ(hit, ZkGePoint3d(7, 7, 7));
    ZkGeLine3d provided;
    EXPECT_FALSE(selection->providesLine(provided));
    EXPECT_FALSE(selection->makeMeasurable());

    ASSERT_TRUE(doc.asset.undo());
    EXPECT_TRUE(selection->isValid());
    EXPECT_EQ(selection->curve().get(), picked);
    EXPECT_TRUE(selection->makeMeasurable());
}

TEST_F(SketchCurveSelectionTest, ACurveBelowADeletedSketchIsNoLongerValid) {
    doc.transact([&] { doc.sketches->removeChild(StrongRef<Entity>(sketch)); });
    EXPECT_FALSE(selection->isValid());
    ASSERT_TRUE(doc.asset.undo());
    EXPECT_TRUE(selection->isValid());
}

} // namespace
} // namespace Kv::Geometry::SelectionTests
