// Lines: making them on shared points, following moved points, the curves
// derived from a line, joining a drawn sketch, and deleting it through its
// request.

#include "SketchTestDocument.h"

#include "Wyn/Graphics/GroupNode.h"
#include "ZkGeCircArc3d.h"

#include <gtest/gtest.h>

namespace Kv::Geometry::Tests {
namespace {

class Line3DTest : public ::testing::Test {
protected:
    StrongRef<Line3D> line(const ZkGePoint3d& a, const ZkGePoint3d& b) {
        return Line3D::make(doc.parent, a, b);
    }
    static StrongRef<Line3D> lineOf(const StrongRef<Curve3D>& curve) {
        return StrongRef<Line3D>(queryInterface<Line3D>(curve.get()));
    }

    SketchTestDocument doc;
};

// ---- making

TEST_F(Line3DTest, LinesDrawnEndToEndShareTheirPoints) {
    StrongRef<Line3D> first = line(ZkGePoint3d(0, 0, 0), ZkGePoint3d(1, 0, 0));
    StrongRef<Line3D> second = line(ZkGePoint3d(1, 0, 0), ZkGePoint3d(1, 1, 0));
    EXPECT_EQ(first->endPoint(), second->startPoint());
    EXPECT_EQ(doc.sketch->childCount(), 5u) << "three points and two lines";
    EXPECT_EQ(first->endPoint()->curveUses()->geometriesCount(), 2u);
    EXPECT_TRUE(first->references(second->startPoint()));
    EXPECT_FALSE(first->references(second->endPoint()));
    EXPECT_TRUE(first->bounded());
    EXPECT_FALSE(first->isClosed());
}

TEST_F(Line3DTest, ALineBetweenEqualPositionsIsDegenerateButNeverOfZeroLength) {
    StrongRef<Line3D> dot = line(ZkGePoint3d(2, 3, 4), ZkGePoint3d(2, 3, 4));
    EXPECT_EQ(dot->startPoint(), dot->endPoint());
    EXPECT_TRUE(dot->degenerate());
    EXPECT_FALSE(dot->bounded());
    dot->updateCurve();
    EXPECT_EQ(dot->lineCurve().startPoint(), ZkGePoint3d(2, 3, 4));
    EXPECT_EQ(dot->lineCurve().endPoint(), ZkGePoint3d(2 + 1e-7, 3, 4));
    EXPECT_FALSE(line(ZkGePoint3d(0, 0, 0), ZkGePoint3d(2e-6, 0, 0))->degenerate());
}

TEST_F(Line3DTest, ALineFollowsItsPointsWhenUpdatedAndTakesOnlySegmentsAsCurve) {
    StrongRef<Line3D> made = line(ZkGePoint3d(0, 0, 0), ZkGePoint3d(1, 0, 0));
    made->endPoint()->point(ZkGePoint3d(3, 4, 0));
    EXPECT_EQ(made->lineCurve().endPoint(), ZkGePoint3d(1, 0, 0)) << "not by itself";
    made->updateCurve();
    EXPECT_EQ(made->lineCurve().endPoint(), ZkGePoint3d(3, 4, 0));
    ZkGePoint3d middle;
    EXPECT_TRUE(made->getPosition(middle));
    EXPECT_EQ(middle, ZkGePoint3d(1.5, 2, 0));
    EXPECT_TRUE(made->GetCurveTangentAtEndPoint().isEqualTo(ZkGeVector3d(0.6, 0.8, 0)));

    // Setting the curve takes only segments and leaves the points.
    made->setCurve(ZkGeLineSeg3d(ZkGePoint3d(5, 5, 5), ZkGePoint3d(6, 6, 6)));
    EXPECT_EQ(made->lineCurve().startPoint(), ZkGePoint3d(5, 5, 5));
    EXPECT_EQ(made->end(), ZkGePoint3d(3, 4, 0));
    made->setCurve(ZkGeCircArc3d());
    EXPECT_EQ(made->lineCurve().startPoint(), ZkGePoint3d(5, 5, 5));
}

// ---- derived curves

TEST_F(Line3DTest, DerivedLinesShareOrFindTheirPoints) {
    StrongRef<Line3D> made = line(ZkGePoint3d(0, 0, 0), ZkGePoint3d(2, 0, 0));
    StrongRef<Line3D> reversed = lineOf(made->reverseCurve());
    ASSERT_TRUE(reversed);
    EXPECT_EQ(reversed->startPoint(), made->endPoint());
    EXPECT_EQ(reversed->endPoint(), made->startPoint());
    EXPECT_EQ(made->start(), ZkGePoint3d(0, 0, 0)) << "the line itself is left as it was";

    StrongRef<Line3D> copy = lineOf(made->clone());
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->startPoint(), made->startPoint());
    EXPECT_EQ(copy->endPoint(), made->endPoint());

    const size_t before = doc.sketch->childCount();
    StrongRef<Line3D> moved =
        lineOf(made->transformBy(ZkGeMatrix3d::translation(ZkGeVector3d(2, 0, 0))));
    ASSERT_TRUE(moved);
    EXPECT_EQ(moved->startPoint(), made->endPoint()) << "found at the moved position";
    EXPECT_EQ(moved->end(), ZkGePoint3d(4, 0, 0));
    EXPECT_EQ(doc.sketch->childCount(), before + 2) << "one new point and the line";
}

TEST_F(Line3DTest, SplittingNeedsBothEnds) {
    StrongRef<Line3D> made = line(ZkGePoint3d(0, 0, 0), ZkGePoint3d(4, 0, 0));
    StrongRef<Point3D> at = Point3D::make(doc.parent, ZkGePoint3d(1, 0, 0));
    StrongRef<Curve3D> first, second;
    made->SplitInTwo(at, first, second);
    ASSERT_TRUE(first && second);
    EXPECT_EQ(first->startPoint(), made->startPoint());
    EXPECT_EQ(first->endPoint(), at);
    EXPECT_EQ(second->startPoint(), at);
    EXPECT_EQ(second->endPoint(), made->endPoint());
    EXPECT_TRUE(doc.inSketch(made.get())) << "removing the line is the caller's affair";

    StrongRef<Line3D> loose = Line3D::make(doc.parent, at, StrongRef<Point3D>());
    StrongRef<Curve3D> untouched1 = first, untouched2 = second;
    loose->SplitInTwo(at, untouched1, untouched2);
    EXPECT_EQ(untouched1, first);
    EXPECT_EQ(untouched2, second);
}

// ---- deletion

TEST_F(Line3DTest, DeletingALineTakesOnlyTheUnusedPointsAndOnlyThePickedLineOffersARequest) {
    StrongRef<Line3D> first, second;
    doc.transact([&] {
        first = line(ZkGePoint3d(0, 0, 0), ZkGePoint3d(1, 0, 0));
        second = line(ZkGePoint3d(1, 0, 0), ZkGePoint3d(1, 1, 0));
    });
    const StrongRef<Point3D> lonely = first->startPoint(), shared = first->endPoint();
    EXPECT_EQ(first->deleteNominees(),
              (std::vector<PassiveRef<Point3D>>{PassiveRef<Point3D>(lonely),
                                                PassiveRef<Point3D>(shared)}));
    const ObjectPath other = ObjectPath::toEntity(second.get());
    EXPECT_FALSE(first->onCanDelete(other));
    EXPECT_EQ(first->onProvideDeleteRequest(other), nullptr);
    const std::string before = describeModel(doc.asset);
    doc.deleteThroughRequest(*first);
    EXPECT_FALSE(doc.inSketch(first.get()) || doc.inSketch(lonely.get()));
    EXPECT_EQ(shared->curveUses()->curves(),
              std::vector<PassiveRef<Curve3D>>{PassiveRef<Curve3D>(second.get())});
    EXPECT_FALSE(first->startPoint()) << "the line let go of its points";
    ASSERT_TRUE(doc.asset.undo());
    EXPECT_EQ(describeModel(doc.asset), before);
}

// ---- joining a drawn sketch

TEST_F(Line3DTest, LinesDrawnIntoADrawnSketchJoinItsNode) {
    std::vector<StrongRef<Line3D>> lines;
    doc.transact([&] { lines.push_back(line(ZkGePoint3d(0, 0, 0), ZkGePoint3d(1, 0, 0))); });
    doc.realize();
    Wyn::Graphics::GroupNode* sketchNode = doc.sketch->groupNode();
    ASSERT_NE(sketchNode, nullptr);
    ASSERT_EQ(sketchNode->children().size(), 3u);

    // One at a time, as commands draw them: each joins the drawn sketch.
    for (int i = 1; i <= 3; ++i)
        doc.transact(
            [&] { lines.push_back(line(ZkGePoint3d(i, 0, 0), ZkGePoint3d(i + 1, 0, 0))); });
    ASSERT_EQ(sketchNode->children().size(), 3u + 3u * 2u);
    for (const StrongRef<Line3D>& made : lines) {
        ASSERT_NE(made->sceneNode(), nullptr);
        EXPECT_EQ(made->sceneNode()->parent(), sketchNode);
    }
    EXPECT_EQ(sketchNode->children().back().get(), lines.back()->sceneNode());

    ASSERT_TRUE(doc.asset.undo());
    EXPECT_EQ(sketchNode->children().size(), 3u + 2u * 2u);
    EXPECT_EQ(lines.back()->sceneNode()->parent(), nullptr);
    ASSERT_TRUE(doc.asset.redo());
    EXPECT_EQ(sketchNode->children().size(), 3u + 3u * 2u);
    EXPECT_EQ(lines.back()->sceneNode()->parent(), sketchNode);
}

} // namespace
} // namespace Kv::Geometry::Tests
