// The curve commands as kvgeo runs them: drawing lines, circles, arcs and
// ellipses, setting their properties, moving and deleting them, with undo.

#include "CommandTestSession.h"

#include "Geometry/curves3d/CircArc3D.h"
#include "Geometry/curves3d/EllipticArc3D.h"
#include "Geometry/curves3d/Line3D.h"
#include "Geometry/sketch3d/CurveUses.h"
#include "Geometry/sketch3d/Point3D.h"
#include "Geometry/sketch3d/Sketch.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>

namespace Kv::Geometry::CommandTests {
namespace {

using ::testing::HasSubstr;

class CurveCommandsTest : public ::testing::Test, protected CommandTestSession {
protected:
    CurveCommandsTest() { run("sketch"); }

    size_t childCount() { return at<Sketch>("Sketches/Sketch1")->childCount(); }
};

// ---- drawing

TEST_F(CurveCommandsTest, EachDrawingCommandPrintsThePathOfWhatItMade) {
    EXPECT_EQ(run("line 0 0 0 4 0 0"), "Sketches/Sketch1/Line:2:1\n");
    EXPECT_EQ(run("line 4 0 0 4 3 0"), "Sketches/Sketch1/Line:2:2\n");
    EXPECT_EQ(run("circle 0 0 0 2"), "Sketches/Sketch1/CircArc:4:1\n");
    EXPECT_EQ(run("arc 0 0 0 4 0 0 0 4 0"), "Sketches/Sketch1/CircArc:4:2\n");
    EXPECT_EQ(run("arc3 4 3 0 5 4 0 6 3 0"), "Sketches/Sketch1/CircArc:4:3\n");
    EXPECT_EQ(run("ellipse 10 0 0 3 0 0 0 1 0"), "Sketches/Sketch1/EllipticArc:5:1\n");
    EXPECT_EQ(run("ellipse 10 0 0 3 0 0 0 1 0 from 13 0 0 to 10 1 0"),
              "Sketches/Sketch1/EllipticArc:5:2\n");

    // Points are shared by position: the corner of the lines, the arc's ends
    // and the centre of the circle and the arc.
    EXPECT_EQ(run("get ./Line:2:1 rEndPoint"), run("get ./Line:2:2 rStartPoint"));
    EXPECT_EQ(run("get ./CircArc:4:2 rCenterPoint"), run("get ./CircArc:4:1 rCenterPoint"));
    EXPECT_EQ(run("get ./CircArc:4:2 rStartPoint"), run("get ./Line:2:1 rEndPoint"));
    auto* ellipticArc = at<EllipticArc3D>("Sketches/Sketch1/EllipticArc:5:2");
    ASSERT_NE(ellipticArc, nullptr);
    EXPECT_DOUBLE_EQ(ellipticArc->endAngle(), M_PI_2);
    EXPECT_THAT(run("info ./CircArc:4:1"),
                HasSubstr("CircArc3D is a circle center (0, 0, 0) radius 2"));
}

TEST_F(CurveCommandsTest, NormalsOrientArcsAndCircles) {
    run("circle 0 0 0 1 normal 0 0 -2");
    auto* circle = at<CircArc3D>("./CircArc:4:1");
    ASSERT_NE(circle, nullptr);
    EXPECT_TRUE(circle->normal().isEqualTo(ZkGeVector3d(0, 0, -1)));

    run("arc 0 0 0 1 0 0 0 1 0 normal 0 0 -1");
    auto* arc = at<CircArc3D>("./CircArc:4:2");
    EXPECT_DOUBLE_EQ(arc->endAngle(), 1.5 * M_PI) << "the long way round about -z";

    // Given clockwise about +z, the three-point arc starts at END.
    run("arc3 -2 0 0 0 2 0 2 0 0");
    auto* arc3 = at<CircArc3D>("./CircArc:4:3");
    EXPECT_EQ(arc3->start(), ZkGePoint3d(2, 0, 0));
    EXPECT_EQ(arc3->end(), ZkGePoint3d(-2, 0, 0));
    run("arc3 -2 0 0 0 2 0 2 0 0 normal 0 0 -1");
    EXPECT_EQ(at<CircArc3D>("./CircArc:4:4")->start(), ZkGePoint3d(-2, 0, 0));
}

TEST_F(CurveCommandsTest, BadInputIsRefusedAndLeavesNothingBehind) {
    EXPECT_THAT(failure("line 1 1 1 1 1 1"), HasSubstr("must not coincide"));
    EXPECT_THAT(failure("line 1 1 1 1 1"), HasSubstr("usage: line"));
    EXPECT_THAT(failure("circle 0 0 0 0"), HasSubstr("R must be greater than 0"));
    EXPECT_THAT(failure("circle 0 0 0 1 normal 0 0 0"), HasSubstr("zero vector"));
    EXPECT_THAT(failure("arc 0 0 0 0 0 0 1 0 0"), HasSubstr("START must not be the centre"));
    EXPECT_THAT(failure("arc 0 0 0 1 0 0 1 0 0"), HasSubstr("must differ"));
    EXPECT_THAT(failure("arc3 0 0 0 1 0 0 2 0 0"), HasSubstr("on one line"));
    EXPECT_THAT(failure("ellipse 0 0 0 2 0 0 4 0 0"), HasSubstr("parallel"));
    EXPECT_THAT(failure("ellipse 0 0 0 2 0 0 0 1 0 from 2 0 0"), HasSubstr("'to END'"));
    EXPECT_EQ(childCount(), 0u) << "not even the end points of the refused arc3";

    run("new");
    EXPECT_THAT(failure("line 0 0 0 1 0 0"), HasSubstr("no current sketch"));
}

// ---- properties

TEST_F(CurveCommandsTest, CurvePropertiesGoThroughTheSettersAndUndo) {
    run("circle 0 0 0 2");
    run("line 5 0 0 6 0 0");
    auto* circle = at<CircArc3D>("./CircArc:4:1");
    run("set ./CircArc:4:1 comb true");
    run("set ./CircArc:4:1 combDensity 30");
    run("set ./CircArc:4:1 combScale 5");
    run("set ./CircArc:4:1 radius 3");
    run("set ./CircArc:4:1 fixed true");
    run("set ./CircArc:4:1 lineThickness 2");
    EXPECT_TRUE(circle->showCurvatureComb());
    EXPECT_EQ(circle->combDensity(), 30u);
    EXPECT_EQ(circle->combScale(), 5.0);
    EXPECT_EQ(circle->radius(), 3.0);
    EXPECT_TRUE(circle->isFixed());
    EXPECT_EQ(run("get ./CircArc:4:1 lineColor"), "(0, 0.4, 0, 1)\n");
    run("set ./CircArc:4:1 useEnvironmentColors false");
    EXPECT_EQ(run("get ./CircArc:4:1 useEnvironmentColors"), "false\n");

    run("undo 4");
    EXPECT_TRUE(circle->useEnvironmentColors());
    EXPECT_EQ(circle->lineThickness(), 1.0f);
    EXPECT_FALSE(circle->isFixed());
    EXPECT_EQ(circle->radius(), 2.0);
    EXPECT_EQ(circle->combScale(), 5.0);

    EXPECT_THAT(failure("set ./Line:2:1 radius 2"), HasSubstr("has no property 'radius'"));
    EXPECT_THAT(failure("set ./Line:2:1 combDensity 0"), HasSubstr("N"));
    EXPECT_THAT(failure("set ./CircArc:4:1 combScale -1"), HasSubstr("greater than 0"));
    EXPECT_THAT(failure("set ./Point:1:1 comb true"), HasSubstr("has no property 'comb'"));
    EXPECT_THAT(failure("set ./CircArc:4:1 curl 3"), HasSubstr("unknown property"));
}

// ---- moving

TEST_F(CurveCommandsTest, MovingACurveMovesItsPointsAndTheCurvesSharingThem) {
    run("line 0 0 0 4 0 0");
    run("line 4 0 0 4 3 0");
    run("circle 9 9 0 1");
    run("move ./Line:2:1 0 0 2");
    auto* second = at<Line3D>("./Line:2:2");
    EXPECT_EQ(at<Line3D>("./Line:2:1")->lineCurve().startPoint(), ZkGePoint3d(0, 0, 2));
    EXPECT_EQ(second->lineCurve().startPoint(), ZkGePoint3d(4, 0, 2));
    EXPECT_EQ(second->lineCurve().endPoint(), ZkGePoint3d(4, 3, 0));
    run("move ./CircArc:4:1 1 0 0");
    EXPECT_EQ(at<CircArc3D>("./CircArc:4:1")->arcCurve().center(), ZkGePoint3d(10, 9, 0));
    run("undo 2");
    EXPECT_EQ(second->lineCurve().startPoint(), ZkGePoint3d(4, 0, 0));
}

// ---- deleting

TEST_F(CurveCommandsTest, UsedPointsAreRefusedAndOtherEntitiesRemovedByTheHost) {
    run("line 0 0 0 4 0 0");
    run("point 9 9 9");
    EXPECT_THAT(failure("delete ./Point:1:1"), HasSubstr("cannot be deleted"));
    EXPECT_EQ(childCount(), 4u);
    run("delete ./Point:1:3");
    EXPECT_EQ(childCount(), 3u) << "a point nothing uses can go";
    run("delete Sketches/Sketch1");
    EXPECT_EQ(run("ls Sketches"), "");
    run("undo");
    EXPECT_THAT(run("ls Sketches"), ::testing::StartsWith("Sketches/Sketch1\tSketch\n"));
    EXPECT_THAT(failure("delete Sketches/Sketch1/Line:2:9"), HasSubstr("Line:2:9"));
}

} // namespace
} // namespace Kv::Geometry::CommandTests
