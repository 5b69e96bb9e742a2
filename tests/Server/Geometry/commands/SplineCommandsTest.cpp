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

class SplineCommandsTest : public ::testing::Test, protected CommandTestSession {
protected:
    SplineCommandsTest() { run("sketch"); }

    Spline3D* spline(int n = 1) {
        return at<Spline3D>("Sketches/Sketch1/Spline:6:" + std::to_string(n));
    }
    // Whether the first derivative at the curve's parameter of `position` is
    // `expected`.
    static ::testing::AssertionResult derivativeIs(const Spline3D& spline,
                                                   const ZkGePoint3d& position,
                                                   const ZkGeVector3d& expected) {
        std::vector<ZkGeVector3d> d;
        const ZkGeNurbCurve3d& curve = spline.splineCurve();
        curve.evalPoint(curve.paramOf(position), 1, d);
        if ((d[0] - expected).length() <= 1e-6)
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure()
               << "(" << d[0].x << ", " << d[0].y << ", " << d[0].z << ")";
    }
    // Whether the curve passes through every fit point.
    static bool passesThroughItsPoints(const Spline3D& spline) {
        for (const StrongRef<Point3D>& point : spline.fitPointEntities())
            if (spline.splineCurve().distanceTo(point->point()) > 1e-9)
                return false;
        return true;
    }
};

TEST_F(SplineCommandsTest, SplinesPassThroughTheirPointsOpenOrClosed) {
    EXPECT_EQ(run("spline 0 0 0 2 3 0 5 1 0 8 4 0"), "Sketches/Sketch1/Spline:6:1\n");
    ASSERT_NE(spline(1), nullptr);
    EXPECT_EQ(spline(1)->fitPoints(), 4);
    EXPECT_TRUE(passesThroughItsPoints(*spline(1)));
    EXPECT_THAT(run("info ./Spline:6:1"),
                HasSubstr("Spline3D from (0, 0, 0) to (8, 4, 0) with 4 fit points"));

    // With or without the start repeated at the end.
    EXPECT_EQ(run("spline closed 10 0 0 14 0 0 14 4 0"), "Sketches/Sketch1/Spline:6:2\n");
    EXPECT_EQ(run("spline closed 20 0 0 24 0 0 24 4 0 20 0 0"), "Sketches/Sketch1/Spline:6:3\n");
    for (int n : {2, 3}) {
        ASSERT_NE(spline(n), nullptr);
        EXPECT_TRUE(spline(n)->isClosed());
        EXPECT_EQ(spline(n)->fitPoints(), 3);
        EXPECT_TRUE(spline(n)->splineCurve().isPeriodic());
    }

    EXPECT_THAT(failure("spline 1 1 1"), HasSubstr("two points"));
    EXPECT_THAT(failure("spline closed 0 0 0 1 0 0 0 0 0"), HasSubstr("three different points"));
    EXPECT_THAT(failure("spline 0 0 0 1 1 1 1 1 1"), HasSubstr("P3 repeats the point before it"));
    EXPECT_THAT(failure("spline 0 0 0 1 1"), HasSubstr("usage: spline"));
}

TEST_F(SplineCommandsTest, HandlesShapeTheSplineAndReplaceEachOther) {
    run("spline 0 0 0 2 3 0 5 1 0 8 4 0");
    EXPECT_EQ(run("tangent ./Spline:6:1 0 1 0 0"), "Sketches/Sketch1/Line:3:1\n");
    EXPECT_EQ(run("curvature ./Spline:6:1 2 0 0.5 0"), "Sketches/Sketch1/CircArc:10:1\n");
    EXPECT_TRUE(derivativeIs(*spline(), ZkGePoint3d(0, 0, 0), ZkGeVector3d(1, 0, 0)));
    EXPECT_TRUE(spline()->hasCurvature(2));

    // A second handle at the same point replaces the first.
    run("tangent ./Spline:6:1 0 0 2 0");
    EXPECT_TRUE(derivativeIs(*spline(), ZkGePoint3d(0, 0, 0), ZkGeVector3d(0, 2, 0)));
    EXPECT_EQ(spline()->tangentUses()->geometriesCount(), 1u);
    EXPECT_EQ(run("ls .").find("Line:3:2"), std::string::npos) << "the first handle went";

    EXPECT_THAT(failure("tangent ./Spline:6:1 4 1 0 0"), HasSubstr("INDEX"));
    EXPECT_THAT(failure("tangent ./Spline:6:1 1 0 0 0"), HasSubstr("zero vector"));
    EXPECT_THAT(failure("curvature ./Point:1:1 0 1 0 0"), HasSubstr("is not a spline"));
    run("undo");
    EXPECT_TRUE(derivativeIs(*spline(), ZkGePoint3d(0, 0, 0), ZkGeVector3d(1, 0, 0)));
}

TEST_F(SplineCommandsTest, InsertedAndAppendedPointsJoinTheFitAndCarryHandlesAlong) {
    run("spline 0 0 0 2 3 0 5 1 0 8 4 0");
    run("tangent ./Spline:6:1 2 1 0 0");
    const std::string inserted = run("insert ./Spline:6:1 1 1 1 0");
    EXPECT_EQ(spline()->fitPoint(1),
              StrongRef<Point3D>(at<Point3D>(inserted.substr(0, inserted.size() - 1))));
    EXPECT_TRUE(spline()->hasTangent(3)) << "moved up with its point";
    run("append ./Spline:6:1 6 3 0");
    EXPECT_EQ(spline()->fitPoint(4)->point(), ZkGePoint3d(6, 3, 0));
    EXPECT_EQ(spline()->fitPoints(), 6);
    EXPECT_TRUE(passesThroughItsPoints(*spline()));
    EXPECT_THAT(failure("insert ./Spline:6:1 0 1 1 0"), HasSubstr("INDEX"));
    EXPECT_THAT(failure("insert ./Spline:6:1 6 1 1 0"), HasSubstr("INDEX"));
}

TEST_F(SplineCommandsTest, ClosingAndOpeningRefit) {
    run("spline 0 0 0 4 0 0 4 4 0");
    run("close ./Spline:6:1");
    EXPECT_TRUE(spline()->isClosed());
    EXPECT_TRUE(spline()->splineCurve().isPeriodic());
    EXPECT_THAT(failure("close ./Spline:6:1"), HasSubstr("closed already"));
    // Closed, a point may also go after the last one.
    run("insert ./Spline:6:1 3 0 4 0");
    EXPECT_EQ(spline()->fitPoint(3)->point(), ZkGePoint3d(0, 4, 0));
    run("open-spline ./Spline:6:1");
    EXPECT_FALSE(spline()->isClosed());
    EXPECT_EQ(spline()->end(), ZkGePoint3d(0, 4, 0));
    EXPECT_THAT(failure("open-spline ./Spline:6:1"), HasSubstr("open already"));
    run("spline 10 0 0 11 1 0");
    EXPECT_THAT(failure("close ./Spline:6:2"), HasSubstr("too few fit points"));
}

TEST_F(SplineCommandsTest, MovingAFitPointRefitsAndDeletingGoesThroughTheRequests) {
    run("spline 0 0 0 2 3 0 5 1 0 8 4 0");
    run("tangent ./Spline:6:1 1 1 0 0");
    const std::string second = session.pathOf(spline()->fitPoint(2).get());
    run("move " + second + " 0 2 0");
    EXPECT_LE(spline()->splineCurve().distanceTo(ZkGePoint3d(5, 3, 0)), 1e-9);
    // A moved handle end makes a new tangent.
    TangentHandle* handle = at<TangentHandle>("./Line:3:1");
    run("move " + session.pathOf(handle->endPoint().get()) + " 1 0 0");
    EXPECT_EQ(handle->tangent(), ZkGeVector3d(1.5, 0, 0));
    EXPECT_TRUE(derivativeIs(*spline(), ZkGePoint3d(2, 3, 0), ZkGeVector3d(1.5, 0, 0)));

    run("delete " + second);
    EXPECT_EQ(spline()->fitPoints(), 3);
    run("delete ./Line:3:1");
    EXPECT_FALSE(spline()->hasTangent(1));
    run("delete ./Spline:6:1");
    EXPECT_EQ(run("ls ."), "");
    run("undo 3");
    EXPECT_EQ(spline()->fitPoints(), 4);
}

TEST_F(SplineCommandsTest, HandlesTravelWithTheirFitPoint) {
    run("spline 0 0 0 2 3 0 5 1 0 8 4 0");
    run("tangent ./Spline:6:1 1 1 0 0");
    run("curvature ./Spline:6:1 1 0 -0.5 0");
    TangentHandle* tangent = at<TangentHandle>("./Line:3:1");
    CurvatureHandle* curvature = at<CurvatureHandle>("./CircArc:10:1");
    ASSERT_NE(tangent, nullptr);
    ASSERT_NE(curvature, nullptr);
    const ZkGeVector3d curvatureBefore = curvature->curvature();
    // Where each handle stands relative to the fit point, which must not change.
    const auto offsets = [&] {
        const ZkGePoint3d fit = spline()->fitPoint(1)->point();
        return std::vector<ZkGeVector3d>{
            tangent->startPoint()->point() - fit, tangent->endPoint()->point() - fit,
            curvature->startPoint()->point() - fit, curvature->endPoint()->point() - fit};
    };
    const std::vector<ZkGeVector3d> before = offsets();

    run("move " + session.pathOf(spline()->fitPoint(1).get()) + " 0 2 0");
    EXPECT_EQ(spline()->fitPoint(1)->point(), ZkGePoint3d(2, 5, 0));
    EXPECT_EQ(tangent->fitPoint(), spline()->fitPoint(1));
    EXPECT_EQ(tangent->tangent(), ZkGeVector3d(1, 0, 0));
    EXPECT_TRUE(curvature->curvature().isEqualTo(curvatureBefore));
    EXPECT_TRUE(derivativeIs(*spline(), ZkGePoint3d(2, 5, 0), ZkGeVector3d(1, 0, 0)));
    EXPECT_TRUE(passesThroughItsPoints(*spline()));

    // Moving the whole spline carries its handles too; moving a handle's own
    // end reshapes it without moving the fit point.
    run("move ./Spline:6:1 1 0 0");
    EXPECT_EQ(spline()->fitPoint(1)->point(), ZkGePoint3d(3, 5, 0));
    for (size_t i = 0; i < before.size(); ++i)
        EXPECT_TRUE(offsets()[i].isEqualTo(before[i])) << "handle point " << i;
    run("move " + session.pathOf(tangent->endPoint().get()) + " 1 0 0");
    EXPECT_EQ(spline()->fitPoint(1)->point(), ZkGePoint3d(3, 5, 0));

    run("undo 3");
    EXPECT_EQ(spline()->fitPoint(1)->point(), ZkGePoint3d(2, 3, 0));
    for (size_t i = 0; i < before.size(); ++i)
        EXPECT_TRUE(offsets()[i].isEqualTo(before[i])) << "handle point " << i;
}

} // namespace
} // namespace Kv::Geometry::CommandTests
