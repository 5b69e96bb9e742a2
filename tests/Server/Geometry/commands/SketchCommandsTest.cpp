// The add-in's kvgeo commands, run through a command registry and session as
// kvgeo runs them: sketches, points, naming, showing and hiding, moving and
// setting properties, with undo.

#include "CommandTestSession.h"

#include "Geometry/curves3d/Line3D.h"
#include "Geometry/sketch3d/CoordinateSystem.h"
#include "Geometry/sketch3d/Point3D.h"
#include "Geometry/sketch3d/Sketch.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace Kv::Geometry::CommandTests {
namespace {

using ::testing::HasSubstr;

class SketchCommandsTest : public ::testing::Test, protected CommandTestSession {};

// ---- sketches

TEST_F(SketchCommandsTest, SketchesAreNamedInOrderAndListedByName) {
    EXPECT_EQ(run("sketch"), "Sketch1\n");
    EXPECT_EQ(run("sketch"), "Sketch2\n");
    EXPECT_EQ(run("sketch"), "Sketch3\n");
    EXPECT_EQ(run("ls Sketches"),
              "Sketches/Sketch1\tSketch\nSketches/Sketch2\tSketch\nSketches/Sketch3\tSketch\n");
    EXPECT_EQ(session.pathOf(session.currentPath().get()), "Sketches/Sketch3");
    EXPECT_THAT(run("info Sketches/Sketch2"), HasSubstr("Sketch Sketch2 (Base "));
    EXPECT_EQ(run("get Sketches/Sketch2 creationIndex"), "2\n");
}

TEST_F(SketchCommandsTest, SketchIsPlacedByItsOptions) {
    EXPECT_EQ(run("sketch Side origin 1 2 3 zaxis 0 -2 0 xaxis 1 1 0"), "Side\n");
    Sketch* side = at<Sketch>("Sketches/Side");
    ASSERT_NE(side, nullptr);
    ASSERT_TRUE(side->coordinateSystem());
    const CoordinateSystem& placement = *side->coordinateSystem();
    EXPECT_EQ(placement.origin(), ZkGePoint3d(1, 2, 3));
    EXPECT_TRUE(placement.zAxis().isEqualTo(ZkGeVector3d(0, -1, 0)));
    EXPECT_TRUE(placement.xAxis().isEqualTo(ZkGeVector3d(1, 0, 0))) << "squared up with z";
    EXPECT_TRUE(placement.yAxis().isEqualTo(ZkGeVector3d(0, 0, 1))) << "right-handed";
    EXPECT_EQ(run("sketch \"origin\""), "origin\n") << "a quoted keyword is a name";
    EXPECT_EQ(run("sketch zaxis 1 0 0"), "Sketch3\n");
    EXPECT_TRUE(at<Sketch>("Sketches/Sketch3")
                    ->coordinateSystem()
                    ->xAxis()
                    .isEqualTo(ZkGeVector3d(0, 1, 0)))
        << "a default x axis across the given z";
}

TEST_F(SketchCommandsTest, BadPlacementsAreRefusedAndChangeNothing) {
    EXPECT_THAT(failure("sketch xaxis 0 0 5"), HasSubstr("parallel"));
    EXPECT_THAT(failure("sketch zaxis 0 0 0"), HasSubstr("zero"));
    EXPECT_THAT(failure("sketch A origin 1 2"), HasSubstr("usage: sketch"));
    EXPECT_THAT(failure("sketch A B"), HasSubstr("usage: sketch"));
    EXPECT_EQ(run("ls Sketches"), "") << "a failed command leaves no sketch behind";
    EXPECT_EQ(run("sketch"), "Sketch1\n") << "and takes no number";
}

TEST_F(SketchCommandsTest, TakenNamesBecomeUniqueAndRenamingSaysWhatItGave) {
    run("sketch Profile");
    EXPECT_EQ(run("sketch Profile"), "Profile (1)\n");
    EXPECT_EQ(run("rename \"Sketches/Profile (1)\" Top"), "Top\n");
    EXPECT_EQ(run("rename Sketches/Top Profile"), "Profile (1)\n");
    EXPECT_EQ(run("ls Sketches"), "Sketches/Profile\tSketch\nSketches/Profile (1)\tSketch\n");
    EXPECT_THAT(failure("rename Sketches New"), HasSubstr("has no user name"));
    EXPECT_THAT(failure("rename Sketches/Nothing New"), HasSubstr("no entity 'Nothing'"));
}

TEST_F(SketchCommandsTest, UsePicksTheCurrentSketch) {
    run("sketch");
    run("sketch");
    run("use Sketches/Sketch1");
    EXPECT_EQ(run("point 1 2 3"), "Sketches/Sketch1/Point:1:1\n");
    EXPECT_EQ(run("point 1 2 3"), "Sketches/Sketch1/Point:1:1\n") << "found, not made";
    EXPECT_EQ(run("point 4 5 6"), "Sketches/Sketch1/Point:1:2\n");
    EXPECT_EQ(run("ls ."),
              "Sketches/Sketch1/Point:1:1\tPoint3D\nSketches/Sketch1/Point:1:2\tPoint3D\n");
    EXPECT_EQ(run("get ./Point:1:2 point"), "(4, 5, 6)\n");
    EXPECT_THAT(run("info Sketches/Sketch1/Point:1:2"), HasSubstr("Point3D at (4, 5) (Base "));
    EXPECT_THAT(failure("use Sketches"), HasSubstr("is not a 3D sketch"));
}

TEST_F(SketchCommandsTest, PointsNeedACurrentSketchInTheDocument) {
    EXPECT_THAT(failure("point 0 0 0"), HasSubstr("no current sketch"));
    run("sketch");
    run("undo");
    EXPECT_THAT(failure("point 0 0 0"), HasSubstr("no longer in the document"));
    run("redo");
    EXPECT_EQ(run("point 0 0 0"), "Sketches/Sketch1/Point:1:1\n");
}

// ---- showing and hiding

TEST_F(SketchCommandsTest, HideShowAndTheCollectionSwitch) {
    run("sketch");
    run("sketch");
    run("hide Sketches/Sketch1");
    EXPECT_EQ(run("get Sketches/Sketch1 isVisible"), "false\n");
    run("hide Sketches/Sketch1"); // already hidden: nothing to do
    run("hideall");
    EXPECT_EQ(run("get Sketches visible"), "false\n");
    EXPECT_FALSE(at<Sketch>("Sketches/Sketch2")->isDrawn());
    EXPECT_TRUE(at<Sketch>("Sketches/Sketch2")->isOwnVisible());
    run("showall");
    EXPECT_TRUE(at<Sketch>("Sketches/Sketch2")->isDrawn());
    EXPECT_FALSE(at<Sketch>("Sketches/Sketch1")->isDrawn());
    run("show Sketches/Sketch1");
    EXPECT_TRUE(at<Sketch>("Sketches/Sketch1")->isDrawn());

    EXPECT_EQ(run("point 1 1 1"), "Sketches/Sketch2/Point:1:1\n");
    run("hide ./Point:1:1");
    EXPECT_EQ(run("get ./Point:1:1 visible"), "false\n");
    run("hide Sketches");
    EXPECT_EQ(run("get Sketches visible"), "false\n");
    EXPECT_THAT(failure("hide ./Point:1:1/CurveUses#1"), HasSubstr("cannot be shown or hidden"));
}

// ---- moving and properties

TEST_F(SketchCommandsTest, MovingAPointBringsItsCurvesAlong) {
    run("sketch");
    run("point 0 0 0");
    run("point 4 0 0");
    Sketch* sketch = at<Sketch>("Sketches/Sketch1");
    StrongRef<Line3D> line =
        Line3D::make(StrongRef<Entity>(sketch), StrongRef<Point3D>(at<Point3D>("./Point:1:1")),
                     StrongRef<Point3D>(at<Point3D>("./Point:1:2")));
    run("move ./Point:1:2 0 3 0");
    EXPECT_EQ(at<Point3D>("./Point:1:2")->point(), ZkGePoint3d(4, 3, 0));
    EXPECT_TRUE(line->curve().isOn(ZkGePoint3d(4, 3, 0))) << "the line follows its end";
    EXPECT_EQ(run("point 4 3 0"), "Sketches/Sketch1/Point:1:2\n") << "found where it went";
    run("undo");
    EXPECT_EQ(at<Point3D>("./Point:1:2")->point(), ZkGePoint3d(4, 0, 0));
    EXPECT_TRUE(line->curve().isOn(ZkGePoint3d(4, 0, 0)));

    run("move Sketches/Sketch1 0 0 10");
    EXPECT_EQ(sketch->coordinateSystem()->origin(), ZkGePoint3d(0, 0, 10));
    EXPECT_THAT(failure("move Sketches 1 1 1"), HasSubstr("cannot be moved"));
}

TEST_F(SketchCommandsTest, PropertiesGoThroughTheEntitysSetters) {
    run("sketch");
    run("point 1 2 3");
    run("set ./Point:1:1 lineColor 1 0 0.5 1");
    run("set ./Point:1:1 lineThickness 2.5");
    run("set ./Point:1:1 zOrder 4");
    run("set ./Point:1:1 fixed true");
    run("set ./Point:1:1 visible false");
    Point3D* point = at<Point3D>("./Point:1:1");
    EXPECT_EQ(point->lineColor(), Color(1, 0, 0.5f, 1));
    EXPECT_EQ(point->lineThickness(), 2.5f);
    EXPECT_EQ(point->zOrder(), 4u);
    EXPECT_TRUE(point->isFixed());
    EXPECT_FALSE(point->isVisible());
    run("set Sketches/Sketch1 visible false");
    EXPECT_FALSE(at<Sketch>("Sketches/Sketch1")->isOwnVisible());
    run("undo 6");
    EXPECT_EQ(point->lineColor(), Color());
    EXPECT_FALSE(point->isFixed());
    EXPECT_TRUE(at<Sketch>("Sketches/Sketch1")->isOwnVisible());

    EXPECT_THAT(failure("set ./Point:1:1 colour 1 0 0"), HasSubstr("unknown property 'colour'"));
    EXPECT_THAT(failure("set Sketches/Sketch1 fixed true"), HasSubstr("has no property 'fixed'"));
    EXPECT_THAT(failure("set ./Point:1:1 lineColor 2 0 0"), HasSubstr("between 0 and 1"));
    EXPECT_THAT(failure("set ./Point:1:1 lineThickness 0"), HasSubstr("greater than 0"));
    EXPECT_THAT(failure("set ./Point:1:1 visible maybe"), HasSubstr("usage: set"));
}

} // namespace
} // namespace Kv::Geometry::CommandTests
