// The spline commands, run through a command registry and session as kvgeo
// runs them: drawing open and closed splines, handles, inserted and appended
// points, closing and opening, moving and deleting fit points, with undo.

#include "CommandTestSession.h"

#include "Geometry/curves3d/CurvatureHandle.h"
#include "Geometry/curves3d/Spline3D.h"
#include "Geometry/curves3d/TangentHandle.h"
#include "Geometry/sketch3d/Point3D.h"
#include "Geometry/sketch3d/TangentUses.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace Kv::Geometry::CommandTests {
namespace {

using ::testing::HasSubstr;

class SplineCommandsTest : public ::testing::Test {
protected:
    SplineCommandsTest() { kvgeo.run("sketch"); }

    std::string run(const std::string& line) { return kvgeo.run(line); }
    std::string failure(const std::string& line) { return kvgeo.failure(line); }
    template <class T> T* at(const std::string& path) { return kvgeo.at<T>(path); }
    // The first derivative at the curve's parameter of `position`.
    static ZkGeVector3d derivativeAt(const Spline3D& spline, const ZkGePoint3d& position) {
        std::vector<ZkGeVector3d> d;
        const ZkGeNurbCurve3d& curve = spline.splineCurve();
        curve.evalPoint(curve.paramOf(position), 1, d);
        return d[0];
    }

    CommandTestSession kvgeo;
    Session& session = kvgeo.session;
};

TEST_F(SplineCommandsTest, SplinesPassThroughTheirPointsOpenOrClosed) {
    EXPECT_EQ(run("spline 0 0 0 2 3 0 5 1 0 8 4 0"), "Sketches/Sketch1/Spline:6:1\n");
    Spline3D* open = at<Spline3D>("Sketches/Sketch1/Spline:6:1");
    ASSERT_NE(open, nullptr);
    EXPECT_EQ(open->fitPoints(), 4);
    for (const StrongRef<Point3D>& point : open->fitPointEntities())
        EXPECT_LE(open->splineCurve().distanceTo(point->point()), 1e-9);

    // With or without the start repeated at the end.
    EXPECT_EQ(run("spline closed 10 0 0 14 0 0 14 4 0"), "Sketches/Sketch1/Spline:6:2\n");
    EXPECT_EQ(run("spline closed 20 0 0 24 0 0 24 4 0 20 0 0"), "Sketches/Sketch1/Spline:6:3\n");
    for (const char* path : {"Sketches/Sketch1/Spline:6:2", "Sketches/Sketch1/Spline:6:3"}) {
        Spline3D* closed = at<Spline3D>(path);
        ASSERT_NE(closed, nullptr);
        EXPECT_TRUE(closed->isClosed());
        EXPECT_EQ(closed->fitPoints(), 3);
        EXPECT_TRUE(closed->splineCurve().isPeriodic());
    }
    EXPECT_THAT(run("info Sketches/Sketch1/Spline:6:1"),
                HasSubstr("Spline3D from (0, 0, 0) to (8, 4, 0) with 4 fit points"));

    EXPECT_THAT(failure("spline 1 1 1"), HasSubstr("two points"));
    EXPECT_THAT(failure("spline closed 0 0 0 1 0 0 0 0 0"), HasSubstr("three different points"));
    EXPECT_THAT(failure("spline 0 0 0 1 1 1 1 1 1"), HasSubstr("P3 repeats the point before it"));
    EXPECT_THAT(failure("spline 0 0 0 1 1"), HasSubstr("usage: spline"));
}

TEST_F(SplineCommandsTest, HandlesShapeTheSplineAndReplaceEachOther) {
    run("spline 0 0 0 2 3 0 5 1 0 8 4 0");
    EXPECT_EQ(run("tangent Sketches/Sketch1/Spline:6:1 0 1 0 0"), "Sketches/Sketch1/Line:3:1\n");
    EXPECT_EQ(run("curvature Sketches/Sketch1/Spline:6:1 2 0 0.5 0"),
              "Sketches/Sketch1/CircArc:10:1\n");
    Spline3D* spline = at<Spline3D>("Sketches/Sketch1/Spline:6:1");
    EXPECT_LE((derivativeAt(*spline, ZkGePoint3d(0, 0, 0)) - ZkGeVector3d(1, 0, 0)).length(), 1e-6);
    EXPECT_TRUE(spline->hasCurvature(2));

    // A second handle at the same point replaces the first.
    run("tangent Sketches/Sketch1/Spline:6:1 0 0 2 0");
    EXPECT_LE((derivativeAt(*spline, ZkGePoint3d(0, 0, 0)) - ZkGeVector3d(0, 2, 0)).length(), 1e-6);
    EXPECT_EQ(spline->tangentUses()->geometriesCount(), 1u);
    EXPECT_EQ(run("ls Sketches/Sketch1").find("Line:3:2"), std::string::npos)
        << "the first handle went";

    EXPECT_THAT(failure("tangent Sketches/Sketch1/Spline:6:1 4 1 0 0"), HasSubstr("INDEX"));
    EXPECT_THAT(failure("tangent Sketches/Sketch1/Spline:6:1 1 0 0 0"), HasSubstr("zero vector"));
    EXPECT_THAT(failure("curvature Sketches/Sketch1/Point:1:1 0 1 0 0"),
                HasSubstr("is not a spline"));
    run("undo");
    EXPECT_LE((derivativeAt(*spline, ZkGePoint3d(0, 0, 0)) - ZkGeVector3d(1, 0, 0)).length(), 1e-6);
}

TEST_F(SplineCommandsTest, InsertedAndAppendedPointsJoinTheFitAndCarryHandlesAlong) {
    run("spline 0 0 0 2 3 0 5 1 0 8 4 0");
    run("tangent Sketches/Sketch1/Spline:6:1 2 1 0 0");
    Spline3D* spline = at<Spline3D>("Sketches/Sketch1/Spline:6:1");
    const std::string inserted = run("insert Sketches/Sketch1/Spline:6:1 1 1 1 0");
    EXPECT_EQ(spline->fitPoint(1),
              StrongRef<Point3D>(at<Point3D>(inserted.substr(0, inserted.size() - 1))));
    EXPECT_TRUE(spline->hasTangent(3)) << "moved up with its point";
    run("append Sketches/Sketch1/Spline:6:1 6 3 0");
    EXPECT_EQ(spline->fitPoint(4)->point(), ZkGePoint3d(6, 3, 0));
    EXPECT_EQ(spline->fitPoints(), 6);
    for (const StrongRef<Point3D>& point : spline->fitPointEntities())
        EXPECT_LE(spline->splineCurve().distanceTo(point->point()), 1e-9);
    EXPECT_THAT(failure("insert Sketches/Sketch1/Spline:6:1 0 1 1 0"), HasSubstr("INDEX"));
    EXPECT_THAT(failure("insert Sketches/Sketch1/Spline:6:1 6 1 1 0"), HasSubstr("INDEX"));
}

TEST_F(SplineCommandsTest, ClosingAndOpeningRefit) {
    run("spline 0 0 0 4 0 0 4 4 0");
    Spline3D* spline = at<Spline3D>("Sketches/Sketch1/Spline:6:1");
    run("close Sketches/Sketch1/Spline:6:1");
    EXPECT_TRUE(spline->isClosed());
    EXPECT_TRUE(spline->splineCurve().isPeriodic());
    EXPECT_THAT(failure("close Sketches/Sketch1/Spline:6:1"), HasSubstr("closed already"));
    // Closed, a point may also go after the last one.
    run("insert Sketches/Sketch1/Spline:6:1 3 0 4 0");
    EXPECT_EQ(spline->fitPoint(3)->point(), ZkGePoint3d(0, 4, 0));
    run("open-spline Sketches/Sketch1/Spline:6:1");
    EXPECT_FALSE(spline->isClosed());
    EXPECT_EQ(spline->end(), ZkGePoint3d(0, 4, 0));
    EXPECT_THAT(failure("open-spline Sketches/Sketch1/Spline:6:1"), HasSubstr("open already"));
    run("spline 10 0 0 11 1 0");
    EXPECT_THAT(failure("close Sketches/Sketch1/Spline:6:2"), HasSubstr("too few fit points"));
}

TEST_F(SplineCommandsTest, MovingAFitPointRefitsAndDeletingGoesThroughTheRequests) {
    run("spline 0 0 0 2 3 0 5 1 0 8 4 0");
    run("tangent Sketches/Sketch1/Spline:6:1 1 1 0 0");
    Spline3D* spline = at<Spline3D>("Sketches/Sketch1/Spline:6:1");
    const std::string second = session.pathOf(spline->fitPoint(2).get());
    run("move " + second + " 0 2 0");
    EXPECT_LE(spline->splineCurve().distanceTo(ZkGePoint3d(5, 3, 0)), 1e-9);
    // A moved handle end makes a new tangent.
    TangentHandle* handle = at<TangentHandle>("Sketches/Sketch1/Line:3:1");
    run("move " + session.pathOf(handle->endPoint().get()) + " 1 0 0");
    EXPECT_EQ(handle->tangent(), ZkGeVector3d(1.5, 0, 0));
    EXPECT_LE((derivativeAt(*spline, ZkGePoint3d(2, 3, 0)) - ZkGeVector3d(1.5, 0, 0)).length(),
              1e-6);

    run("delete " + second);
    EXPECT_EQ(spline->fitPoints(), 3);
    run("delete Sketches/Sketch1/Line:3:1");
    EXPECT_FALSE(spline->hasTangent(1));
    run("delete Sketches/Sketch1/Spline:6:1");
    EXPECT_EQ(run("ls Sketches/Sketch1"), "");
    run("undo 3");
    EXPECT_EQ(at<Spline3D>("Sketches/Sketch1/Spline:6:1")->fitPoints(), 4);
}

} // namespace
} // namespace Kv::Geometry::CommandTests
