// The 2D geometry base and groups: what is drawn, how groups pass drawing
// attributes on, what items and groups contain, and debug texts.

#include "Sketch2DTestDocument.h"

#include "Geometry/sketch2d/Arc2D.h"
#include "Geometry/sketch2d/GeometryGroup2D.h"
#include "Geometry/sketch2d/Line2D.h"
#include "Geometry/sketch2d/Point2D.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace Kv::Geometry::Sketch2DTests {
namespace {

using ::testing::StartsWith;

class Geometry2DTest : public ::testing::Test {
protected:
    StrongRef<Line2D> lineIn(const StrongRef<Entity>& parent, double y) {
        return Line2D::make(parent, ZkGePoint2d(0, y), ZkGePoint2d(1, y));
    }
    StrongRef<GeometryGroup2D> groupIn(const StrongRef<Entity>& parent) {
        return GeometryGroup2D::make(parent);
    }

    Sketch2DTestDocument doc;
};

TEST_F(Geometry2DTest, CurvesAreDrawnAndReferenceTheirPointsButPointsAreNot) {
    StrongRef<Line2D> line = lineIn(doc.parent(), 0);
    EXPECT_TRUE(line->needsSceneNode());
    EXPECT_FALSE(line->startPoint()->needsSceneNode());
    EXPECT_FALSE(line->startPoint()->references(line->startPoint()));
    EXPECT_TRUE(line->references(line->startPoint()));
}

TEST_F(Geometry2DTest, AGroupPassesAttributesDownNestedGroupsAndUndoesAsOne) {
    StrongRef<GeometryGroup2D> outer = groupIn(doc.parent());
    StrongRef<GeometryGroup2D> inner = groupIn(StrongRef<Entity>(outer));
    StrongRef<Line2D> a = lineIn(StrongRef<Entity>(inner), 0);
    StrongRef<Line2D> b = lineIn(StrongRef<Entity>(inner), 1);
    const Color red(1, 0, 0);
    transact(*doc.asset, [&] {
        outer->lineColor(red);
        outer->lineThickness(2.5f);
    });
    for (GeometryBase2D* item : std::initializer_list<GeometryBase2D*>{
             outer.get(), inner.get(), a.get(), b.get(), b->endPoint().get()}) {
        EXPECT_EQ(item->lineColor(), red);
        EXPECT_EQ(item->lineThickness(), 2.5f);
    }
    ASSERT_TRUE(doc.asset->undo());
    EXPECT_EQ(b->lineColor(), Color());
    EXPECT_EQ(inner->lineThickness(), 1.0f);
    EXPECT_EQ(b->sketch2D(), doc.sketch);
    EXPECT_EQ(b->parentGeometryGroup2D(), inner);
    EXPECT_TRUE(outer->parentGeometryGroup2D().isNull());
    EXPECT_TRUE(
        Point2D::make(StrongRef<Entity>(doc.sketch2Ds), ZkGePoint2d(), false)->sketch2D().isNull());

    // Preview is a passing state: neither undone nor persisted.
    transact(*doc.asset, [&] {
        outer->zOrder(3);
        outer->drawForPreview(true);
    });
    ASSERT_TRUE(doc.asset->undo());
    EXPECT_EQ(a->zOrder(), 1u);
    EXPECT_TRUE(a->drawForPreview());
    EXPECT_EQ(Line2D::memberSet().findMember("drawForPreview"), nullptr);
}

TEST_F(Geometry2DTest, GroupsContainLinesOrFillAsTheirMembersDo) {
    StrongRef<GeometryGroup2D> empty = groupIn(doc.parent());
    EXPECT_FALSE(empty->hasLines() || empty->hasFill());
    StrongRef<GeometryGroup2D> withLine = groupIn(doc.parent());
    lineIn(StrongRef<Entity>(withLine), 0);
    EXPECT_TRUE(withLine->hasLines());
    EXPECT_FALSE(withLine->hasFill());
    StrongRef<GeometryGroup2D> withArc = groupIn(doc.parent());
    Arc2D::make(StrongRef<Entity>(withArc), ZkGePoint2d(0, 0), 1.0);
    EXPECT_TRUE(withArc->hasLines() && withArc->hasFill());
}

TEST_F(Geometry2DTest, DebugTextsEmbedTheBaseWithItsClosingParenthesis) {
    StrongRef<Point2D> point = Point2D::make(doc.parent(), ZkGePoint2d(1.5, -2), false);
    EXPECT_EQ(point->toString(), L"Point2D at (1.5, -2) implicitly created: 0 (Base "
                                 L"CommonBaseGroupEntity " +
                                     std::to_wstring(point->id()) + L" with 0 children))");
    StrongRef<Line2D> line = Line2D::make(doc.parent(), ZkGePoint2d(0, 0), ZkGePoint2d(1, 2));
    EXPECT_THAT(line->toString(), StartsWith(L"Line2D from (0, 0) to (1, 2) (Base "));
    EXPECT_THAT(line->startPoint()->toString(), ::testing::HasSubstr(L"implicitly created: 1"));
    StrongRef<GeometryGroup2D> group = groupIn(doc.parent());
    lineIn(StrongRef<Entity>(group), 5);
    EXPECT_EQ(group->toString(), L"Geometries 3 base(CommonBaseGroupEntity " +
                                     std::to_wstring(group->id()) + L" with 3 children)");
}

} // namespace
} // namespace Kv::Geometry::Sketch2DTests
