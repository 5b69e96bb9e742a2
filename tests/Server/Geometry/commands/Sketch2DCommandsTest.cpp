// The 2D drawing commands as kvgeo runs them: making a 2D sketch current,
// drawing points, lines, circles, arcs, ellipses and splines that share
// their points, grouping, the errors for bad input, and undo.

#include "CommandTestSession.h"

#include "Geometry/sketch2d/Arc2D.h"
#include "Geometry/sketch2d/EllipticArc2D.h"
#include "Geometry/sketch2d/GeometryGroup2D.h"
#include "Geometry/sketch2d/Line2D.h"
#include "Geometry/sketch2d/Point2D.h"
#include "Geometry/sketch2d/Sketch2D.h"
#include "Geometry/sketch2d/Spline2D.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace Kv::Geometry::CommandTests {
namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;

class Sketch2DCommandsTest : public ::testing::Test, protected CommandTestSession {
protected:
    Sketch2DCommandsTest()
        : sketchPath(made("sketch2d Plan")) {}

    // The path a drawing command printed, without its line end.
    std::string made(const std::string& line) {
        std::string path = run(line);
        EXPECT_EQ(path.empty() ? ' ' : path.back(), '\n') << line;
        if (!path.empty())
            path.pop_back();
        return path;
    }
    Sketch2D& sketch() { return *at<Sketch2D>(sketchPath); }
    template <class T> size_t count() {
        size_t n = 0;
        for (const StrongRef<Entity>& child : sketch().children())
            n += queryInterface<T>(child.get()) != nullptr;
        return n;
    }

    const std::string sketchPath;
};

// ---- sketches and drawing

TEST_F(Sketch2DCommandsTest, Sketch2dMakesANamedCurrentSketchThatUseCanPickAgain) {
    EXPECT_THAT(sketchPath, StartsWith("Sketch2Ds/Skch2:"));
    EXPECT_EQ(run("get . userName"), "\"Plan\"\n");
    EXPECT_EQ(at<Entity>("."), &sketch());
    const std::string unnamed = made("sketch2d");
    EXPECT_EQ(run("get " + unnamed + " userName"), "\"\"\n");
    EXPECT_EQ(at<Entity>("."), at<Entity>(unnamed));
    run("use " + sketchPath);
    EXPECT_EQ(at<Entity>("."), &sketch());
    EXPECT_EQ(run("rename . Floor"), "Floor\n");
    EXPECT_EQ(run("rename " + unnamed + " Floor"), "Floor\n") << "names need not differ";
    run("undo");
    EXPECT_EQ(sketch().userName(), L"Floor");
    run("undo");
    EXPECT_EQ(sketch().userName(), L"Plan");
    EXPECT_THAT(failure("use Sketch2Ds"), HasSubstr("is not a 3D sketch or a 2D sketch"));
}

TEST_F(Sketch2DCommandsTest, CurvesShareThePointsAtTheirEndsAndCentres) {
    Line2D* first = at<Line2D>(made("line2d 0 0 4 0"));
    Arc2D* arc = at<Arc2D>(made("arc2d 0 0 4 0 0 9"));
    Arc2D* circle = at<Arc2D>(made("circle2d 0 0 1"));
    ASSERT_TRUE(first && arc && circle);
    EXPECT_EQ(arc->startPoint(), first->endPoint());
    EXPECT_EQ(circle->centerPoint(), first->startPoint());
    EXPECT_TRUE(circle->isCircle());
    EXPECT_EQ(count<Point2D>(), 3u);

    // An explicit point outlives the curves through it; asking for a point
    // where one is prints that one.
    const std::string lone = made("point2d 7 7");
    EXPECT_FALSE(at<Point2D>(lone)->wasImplicitlyCreated());
    EXPECT_EQ(made("point2d 7 7"), lone);
    Line2D* toLone = at<Line2D>(made("line2d 7 7 8 8"));
    EXPECT_EQ(toLone->startPoint().get(), at<Point2D>(lone));
    run("delete " + session.pathOf(toLone));
    EXPECT_NE(at<Point2D>(lone), nullptr);
}

TEST_F(Sketch2DCommandsTest, EllipsesTakeTheMajorAxisAsAVectorAndArcsRunBetweenDirections) {
    auto* ellipse = at<EllipticArc2D>(made("ellipse2d 1 1 0 3 2"));
    ASSERT_NE(ellipse, nullptr);
    EXPECT_TRUE(ellipse->isEllipse());
    EXPECT_DOUBLE_EQ(ellipse->majorRadius(), 3.0);
    EXPECT_DOUBLE_EQ(ellipse->minorRadius(), 2.0);
    EXPECT_TRUE(ellipse->majorAxisDirn().isEqualTo(ZkGeVector2d(0, 1)));
    EXPECT_TRUE(ellipse->startPoint().isNull());

    auto* arc = at<EllipticArc2D>(made("ellipse2d 0 0 4 0 2 from 5 0 to 0 5"));
    ASSERT_NE(arc, nullptr);
    EXPECT_FALSE(arc->isEllipse());
    EXPECT_TRUE(arc->arcCurve().startPoint().isEqualTo(ZkGePoint2d(4, 0)));
    EXPECT_TRUE(arc->arcCurve().endPoint().isEqualTo(ZkGePoint2d(0, 2)));

    auto* spline = at<Spline2D>(made("spline2d 0 0 1 1 2 0"));
    ASSERT_NE(spline, nullptr);
    EXPECT_EQ(spline->fitPoints(), 3u);
    EXPECT_TRUE(spline->endPoint()->point().isEqualTo(ZkGePoint2d(2, 0)));
}

TEST_F(Sketch2DCommandsTest, Append2dGrowsASplineUnderTheLimitSpline2dSets) {
    const std::string path = made("spline2d 0 0 1 1 2 0 3 1 limit 4");
    auto* spline = at<Spline2D>(path);
    ASSERT_NE(spline, nullptr);
    EXPECT_EQ(spline->fitPointsLimit(), 4u);
    EXPECT_EQ(spline->fitPoints(), 4u);

    // At the limit every other point goes before the new one is appended.
    EXPECT_EQ(run("append2d " + path + " 4 0"), "3 fit points\n");
    EXPECT_TRUE(spline->fitPoint(1).isEqualTo(ZkGePoint2d(2, 0)));
    EXPECT_TRUE(spline->endPoint()->point().isEqualTo(ZkGePoint2d(4, 0)));
    EXPECT_EQ(count<Point2D>(), 2u);
    run("undo");
    EXPECT_EQ(spline->fitPoints(), 4u);
    EXPECT_TRUE(spline->endPoint()->point().isEqualTo(ZkGePoint2d(3, 1)));

    const std::string line = made("line2d 0 5 1 5");
    const size_t before = sketch().childCount();
    EXPECT_THAT(failure("append2d " + line + " 4 0"), HasSubstr("is not a 2D spline"));
    EXPECT_THAT(failure("append2d " + path + " 3 1"), HasSubstr("must differ from the last"));
    EXPECT_THAT(failure("append2d " + path + " 4"), HasSubstr("X Y"));
    EXPECT_THAT(failure("spline2d 0 0 1 1 limit -1"), HasSubstr("N"));
    EXPECT_THAT(failure("spline2d 0 0 1 1 limit 3 5 5"), HasSubstr("5"));
    EXPECT_THAT(failure("spline2d 0 0 limit 3"), HasSubstr("at least two fit points"));
    EXPECT_EQ(sketch().childCount(), before);
    EXPECT_EQ(spline->fitPoints(), 4u);
}

TEST_F(Sketch2DCommandsTest, BadInputIsRefusedAndChangesNothing) {
    const size_t before = sketch().childCount();
    EXPECT_THAT(failure("line2d 1 1 1 1"), HasSubstr("must not coincide"));
    EXPECT_THAT(failure("line2d 1 1 2"), HasSubstr("X2 Y2"));
    EXPECT_THAT(failure("circle2d 0 0 0"), HasSubstr("R must be greater than 0"));
    EXPECT_THAT(failure("arc2d 0 0 0 0 1 1"), HasSubstr("START must not be the centre"));
    EXPECT_THAT(failure("arc2d 0 0 1 0 1 0"), HasSubstr("a full turn is a circle"));
    EXPECT_THAT(failure("ellipse2d 0 0 0 0 1"), HasSubstr("MAJOR must not be the zero vector"));
    EXPECT_THAT(failure("ellipse2d 0 0 1 0 2"), HasSubstr("must not exceed"));
    EXPECT_THAT(failure("ellipse2d 0 0 2 0 1 from 1 1"), HasSubstr("'to END'"));
    EXPECT_THAT(failure("spline2d 0 0"), HasSubstr("at least two fit points"));
    EXPECT_THAT(failure("spline2d 0 0 0 0 1 1"), HasSubstr("must differ"));
    EXPECT_EQ(sketch().childCount(), before);

    // Drawing needs a current 2D sketch that is still in the document.
    run("sketch");
    EXPECT_THAT(failure("line2d 0 0 1 1"), HasSubstr("is not a 2D sketch"));
    run("use " + sketchPath);
    run("undo 2");
    EXPECT_THAT(failure("point2d 0 0"), HasSubstr("no longer in the document"));
}

TEST_F(Sketch2DCommandsTest, EachCommandIsOneUndoStep) {
    made("line2d 0 0 4 0");
    made("arc2d 0 0 4 0 0 4");
    EXPECT_EQ(count<Point2D>(), 3u);
    run("undo");
    EXPECT_EQ(count<Arc2D>(), 0u);
    EXPECT_EQ(count<Point2D>(), 2u) << "the arc's own point goes with it";
    run("undo");
    EXPECT_EQ(sketch().childCount(), 0u);
    run("redo 2");
    EXPECT_EQ(count<Line2D>(), 1u);
    EXPECT_EQ(count<Arc2D>(), 1u);
    EXPECT_EQ(count<Point2D>(), 3u);
}

TEST_F(Sketch2DCommandsTest, MoveAndSetReach2DGeometryAndSketches) {
    const std::string a = made("line2d 0 0 4 0");
    Line2D* line = at<Line2D>(a);
    run("move " + a + " 0 2 0");
    EXPECT_EQ(line->start(), ZkGePoint2d(0, 2));
    EXPECT_EQ(line->end(), ZkGePoint2d(4, 2));
    EXPECT_EQ(count<Point2D>(), 2u) << "the old ends went with the line";
    EXPECT_THAT(failure("move " + a + " 0 0 1"), HasSubstr("DZ must be 0"));

    run("move " + sketchPath + " 1 2 3");
    EXPECT_EQ(sketch().transform(), ZkGeMatrix3d::translation(ZkGeVector3d(1, 2, 3)));

    run("set " + a + " lineColor 1 0 0");
    run("set " + a + " zOrder 4");
    run("set " + a + " visible false");
    EXPECT_EQ(line->lineColor(), (Color{1, 0, 0, 1}));
    EXPECT_EQ(line->zOrder(), 4u);
    EXPECT_FALSE(line->isVisible());
    EXPECT_THAT(failure("set " + sketchPath + " lineThickness 2"), HasSubstr("has no property"));
    run("undo 4");
    EXPECT_EQ(line->lineColor(), Color());
    EXPECT_EQ(sketch().transform(), ZkGeMatrix3d::kIdentity);
}

// ---- grouping

TEST_F(Sketch2DCommandsTest, Group2dMovesItemsIntoANewGroupWithTheirAttributes) {
    const std::string a = made("line2d 0 0 4 0");
    const std::string b = made("line2d 4 0 4 3");
    made("line2d 4 3 0 0");
    const std::string p = made("point2d 9 9");
    run("set " + a + " lineThickness 3");
    const std::string groupPath = made("group2d " + a + " " + b + " " + p);
    auto* group = at<GeometryGroup2D>(groupPath);
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(at<Entity>(a), nullptr) << "the originals are gone";

    std::vector<Line2D*> lines;
    std::vector<Point2D*> points;
    for (const StrongRef<Entity>& member : group->children()) {
        if (auto* line = queryInterface<Line2D>(member.get()))
            lines.push_back(line);
        if (auto* point = queryInterface<Point2D>(member.get()))
            points.push_back(point);
    }
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0]->lineThickness(), 3.0f);
    EXPECT_EQ(lines[1]->lineThickness(), 1.0f);
    // Inside the group the lines share their corner, and the explicit point
    // came along; the line left outside keeps the sketch's points.
    EXPECT_EQ(lines[0]->endPoint(), lines[1]->startPoint());
    EXPECT_EQ(points.size(), 4u);
    EXPECT_FALSE(points.front()->wasImplicitlyCreated());
    EXPECT_EQ(count<Line2D>(), 1u);
    EXPECT_EQ(count<Point2D>(), 2u);

    run("undo");
    EXPECT_EQ(at<Entity>(groupPath), nullptr);
    EXPECT_NE(at<Line2D>(a), nullptr);
    EXPECT_EQ(count<Line2D>(), 3u);
    EXPECT_EQ(count<Point2D>(), 4u);
}

TEST_F(Sketch2DCommandsTest, Group2dGroupsGroupsAndRefusesWhatItCannotMove) {
    const std::string a = made("line2d 0 0 4 0");
    const std::string b = made("line2d 4 0 4 3");
    const std::string inner = made("group2d " + a);
    const std::string outer = made("group2d " + inner + " " + b);
    auto* group = at<GeometryGroup2D>(outer);
    ASSERT_NE(group, nullptr);
    auto* nested = queryInterface<GeometryGroup2D>(group->child(0).get());
    ASSERT_NE(nested, nullptr);
    EXPECT_EQ(nested->geometryBase2Ds(), 3u) << "a line and its two points";
    EXPECT_EQ(sketch().childCount(), 1u);
    EXPECT_EQ(made("group2d"), outer.substr(0, outer.rfind('/')) + "/GeometryGroup2D#2");

    const std::string c = made("line2d 0 5 1 5");
    const std::string implicit = session.pathOf(at<Line2D>(c)->startPoint().get());
    EXPECT_THAT(failure("group2d " + implicit), HasSubstr("group them instead"));
    EXPECT_THAT(failure("group2d " + c + " " + c), HasSubstr("named twice"));
    const std::string nestedPath = session.pathOf(nested);
    EXPECT_THAT(failure("group2d " + outer + " " + nestedPath), HasSubstr("grouped already"));
    const std::string shared = made("point2d 20 20");
    made("line2d 20 20 21 21");
    EXPECT_THAT(failure("group2d " + shared), HasSubstr("stays outside the group"));
    made("sketch2d Other");
    EXPECT_THAT(failure("group2d " + c), HasSubstr("not 2D geometry of the current 2D sketch"));
}

} // namespace
} // namespace Kv::Geometry::CommandTests
