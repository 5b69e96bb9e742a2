// The work geometry commands as kvgeo runs them: making numbered planes, axes
// and points, resizing extents, showing the origin set, with undo.

#include "CommandTestSession.h"

#include "Geometry/workgeometry/OriginWorkGeometry.h"
#include "Geometry/workgeometry/WorkAxis.h"
#include "Geometry/workgeometry/WorkPlane.h"
#include "Geometry/workgeometry/WorkPoint.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace Kv::Geometry::CommandTests {
namespace {

using ::testing::HasSubstr;

class WorkGeometryCommandsTest : public ::testing::Test, protected CommandTestSession {};

// ---- making

TEST_F(WorkGeometryCommandsTest, EachKindIsNumberedOnItsOwnAndPrintsItsPath) {
    EXPECT_EQ(run("workplane 0 0 1 0 0 2"), "WorkGeometries/Plane1\n");
    EXPECT_EQ(run("workaxis 1 2 3 0 0 1"), "WorkGeometries/Axis1\n");
    EXPECT_EQ(run("workpoint 1 2 3"), "WorkGeometries/Point1\n");
    EXPECT_EQ(run("workplane 0 0 0 1 0 0"), "WorkGeometries/Plane2\n");
    EXPECT_EQ(run("get WorkGeometries/Plane1 plane"), "plane((0, 0, 1), (0, 0, 1))\n");
    EXPECT_EQ(run("get WorkGeometries/Point1 point"), "(1, 2, 3)\n");
    EXPECT_THAT(run("info WorkGeometries/Axis1"),
                HasSubstr("WorkAxis at (1, 2 3), direction (0, 0 1)"));
}

TEST_F(WorkGeometryCommandsTest, ZeroDirectionsAreRefusedWithoutUsingANumber) {
    EXPECT_THAT(failure("workplane 0 0 0 0 0 0"), HasSubstr("NORMAL must not be the zero vector"));
    EXPECT_THAT(failure("workaxis 0 0 0 0 0 0"),
                HasSubstr("DIRECTION must not be the zero vector"));
    EXPECT_THAT(failure("workpoint 1 2"), HasSubstr("workpoint X Y Z"));
    EXPECT_EQ(run("workplane 0 0 0 0 0 1"), "WorkGeometries/Plane1\n");
    EXPECT_EQ(run("workaxis 0 0 0 1 0 0"), "WorkGeometries/Axis1\n");
}

TEST_F(WorkGeometryCommandsTest, TheOriginSetCannotBeDeleted) {
    EXPECT_THAT(failure("delete \"OriginWorkGeometry/XY Plane\""), HasSubstr("cannot be deleted"));
    EXPECT_THAT(failure("delete \"OriginWorkGeometry/Center Point\""),
                HasSubstr("cannot be deleted"));
    run("workpoint 0 0 0");
    run("delete WorkGeometries/Point1");
    EXPECT_EQ(run("ls WorkGeometries"), "");
}

// ---- extents

TEST_F(WorkGeometryCommandsTest, PlaneExtentsFollowABoxAScaleOrOneHandle) {
    run("workplane 0 0 0 0 0 1");
    run("extent WorkGeometries/Plane1 scale 0.5");
    EXPECT_EQ(run("get WorkGeometries/Plane1 urParam"), "(10, 10)\n");
    run("extent WorkGeometries/Plane1 1 2 9 3 4 -9");
    EXPECT_EQ(run("get WorkGeometries/Plane1 llParam"), "(1, 2)\n");
    EXPECT_EQ(run("get WorkGeometries/Plane1 urParam"), "(3, 4)\n");
    run("extent WorkGeometries/Plane1 lower-right 6 0 0");
    EXPECT_EQ(run("get WorkGeometries/Plane1 llParam"), "(1, 0)\n");
    EXPECT_EQ(run("get WorkGeometries/Plane1 urParam"), "(6, 4)\n");
    run("extent WorkGeometries/Plane1 top 0 7 0");
    EXPECT_EQ(run("get WorkGeometries/Plane1 urParam"), "(6, 7)\n");

    run("undo 2");
    EXPECT_EQ(run("get WorkGeometries/Plane1 urParam"), "(3, 4)\n") << "one undo per command";
}

TEST_F(WorkGeometryCommandsTest, AxisExtentsFollowTwoPointsAScaleOrOneEnd) {
    run("workaxis 0 0 0 0 0 1");
    run("extent WorkGeometries/Axis1 scale 0.5");
    EXPECT_EQ(run("get WorkGeometries/Axis1 lowerParam"), "-20\n");
    run("extent WorkGeometries/Axis1 5 5 4 0 0 -2");
    EXPECT_EQ(run("get WorkGeometries/Axis1 lowerParam"), "4\n");
    EXPECT_EQ(run("get WorkGeometries/Axis1 upperParam"), "-2\n");
    run("extent WorkGeometries/Axis1 upper 1 1 8");
    EXPECT_EQ(run("get WorkGeometries/Axis1 upperParam"), "8\n");
    run("extent WorkGeometries/Axis1 lower 0 0 -1");
    EXPECT_EQ(run("get WorkGeometries/Axis1 lowerParam"), "-1\n");
}

TEST_F(WorkGeometryCommandsTest, ExtentRefusesWhatHasNoOrAFixedExtent) {
    run("workpoint 0 0 0");
    run("workaxis 0 0 0 1 0 0");
    EXPECT_THAT(failure("extent WorkGeometries/Point1 scale 1"),
                HasSubstr("'WorkGeometries/Point1' is neither a work plane nor a work axis"));
    EXPECT_THAT(failure("extent \"OriginWorkGeometry/XY Plane\" scale 1"),
                HasSubstr("belongs to the origin set"));
    EXPECT_THAT(failure("extent \"OriginWorkGeometry/X Axis\" lower 1 0 0"),
                HasSubstr("belongs to the origin set"));
    EXPECT_THAT(failure("extent WorkGeometries/Axis1 top 1 0 0"),
                HasSubstr("a work axis has no handle 'top' (it has lower, upper)"));
    EXPECT_THAT(failure("extent WorkGeometries/Axis1 scale 1 2"), HasSubstr("usage: extent"));
    EXPECT_EQ(run("get WorkGeometries/Axis1 lowerParam"), "-10\n");
    EXPECT_EQ(run("get \"OriginWorkGeometry/XY Plane\" urParam"), "(2, 2)\n");
}

// ---- origin set

TEST_F(WorkGeometryCommandsTest, OriginShowAndHideSwitchTheOriginSet) {
    EXPECT_EQ(run("get OriginWorkGeometry visible"), "false\n");
    run("origin show");
    EXPECT_EQ(run("get OriginWorkGeometry visible"), "true\n");
    run("origin hide");
    EXPECT_EQ(run("get OriginWorkGeometry visible"), "false\n");
    run("undo");
    EXPECT_EQ(run("get OriginWorkGeometry visible"), "true\n");
    EXPECT_THAT(failure("origin"), HasSubstr("expected 'show' or 'hide'"));
}

} // namespace
} // namespace Kv::Geometry::CommandTests
