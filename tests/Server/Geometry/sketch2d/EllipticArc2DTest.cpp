// Elliptic arcs of a 2D sketch: their end points follow every edit of the
// curve, implicit points left behind are collected, and debug texts.

#include "Sketch2DTestDocument.h"

#include "../storage/StorageTestSupport.h"

#include "Geometry/sketch2d/EllipticArc2D.h"
#include "Geometry/sketch2d/Point2D.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace Kv::Geometry::Sketch2DTests {
namespace {

using ::testing::StartsWith;

class EllipticArc2DTest : public ::testing::Test {
protected:
    // The quarter from (2, 0) to (0, 1) of the ellipse with radii 2 and 1
    // about the origin.
    StrongRef<EllipticArc2D> quarter() {
        return EllipticArc2D::make(doc.parent(), ZkGePoint2d(0, 0), ZkGeVector2d(1, 0), 2.0, 1.0,
                                   ZkGePoint2d(2, 0), ZkGePoint2d(0, 1));
    }
    size_t points() const { return childrenOf<Point2D>(*doc.sketch).size(); }
    bool isChild(const StrongRef<Point2D>& point) const {
        return doc.sketch->indexOf(point.get()) != Managed::ManagedGroupEntity::npos;
    }

    Sketch2DTestDocument doc;
};

TEST_F(EllipticArc2DTest, FullEllipsesStayFullAndHaveNoEnds) {
    StrongRef<EllipticArc2D> ellipse =
        EllipticArc2D::make(doc.parent(), ZkGePoint2d(1, 1), ZkGeVector2d(0, 1), 3.0, 1.0);
    ellipse->majorRadius(4.0);
    EXPECT_TRUE(ellipse->isEllipse());
    EXPECT_EQ(ellipse->majorRadius(), 4.0);
    EXPECT_TRUE(ellipse->startPoint().isNull() && ellipse->endPoint().isNull());
    EXPECT_EQ(points(), 1u);
    EXPECT_THAT(ellipse->toString(),
                StartsWith(L"EllipticArc2D is an ellipse with center (1, 1) majorAxisDirn (0, 1) "
                           L"majorRadius 4 minorRadius 1 (Base "));
}

TEST_F(EllipticArc2DTest, MovingTheStartRebindsItAndCollectsTheOldImplicitPoint) {
    StrongRef<EllipticArc2D> arc = quarter();
    EXPECT_THAT(arc->toString(), StartsWith(L"EllipticArc2D from (2, 0) to (0, 1) center (0, 0) "
                                            L"\t\t\t\t\t\t\t\t\t   majorAxisDirn (1, 0) "
                                            L"majorRadius 2 minorRadius 1 (Base "));
    const StrongRef<Point2D> oldStart = arc->startPoint();
    const StrongRef<Point2D> end = arc->endPoint();
    arc->start(ZkGePoint2d(-2, 0));
    EXPECT_TRUE(arc->startPoint()->point().isEqualTo(ZkGePoint2d(-2, 0)));
    EXPECT_EQ(arc->endPoint(), end);
    EXPECT_FALSE(isChild(oldStart));
    EXPECT_EQ(points(), 3u);
}

TEST_F(EllipticArc2DTest, TranslatingRebindsTheCentreAndRederivesTheEnds) {
    StrongRef<EllipticArc2D> arc = quarter();
    const StrongRef<Point2D> oldCentre = arc->centerPoint();
    arc->translate(ZkGeVector2d(1, 0));
    EXPECT_EQ(arc->centerPoint()->point(), ZkGePoint2d(1, 0));
    EXPECT_TRUE(arc->startPoint()->point().isEqualTo(ZkGePoint2d(3, 0)));
    EXPECT_TRUE(arc->endPoint()->point().isEqualTo(ZkGePoint2d(1, 1)));
    EXPECT_TRUE(isChild(oldCentre)); // a replaced centre is never collected
    EXPECT_EQ(points(), 4u);

    doc.sketch->remove(StrongRef<GeometryBase2D>(arc));
    EXPECT_EQ(childrenOf<Point2D>(*doc.sketch), std::vector<StrongRef<Point2D>>{oldCentre});
}

TEST_F(EllipticArc2DTest, ClosingAnArcReleasesItsEndsAndTheEditUndoesAsOne) {
    StrongRef<EllipticArc2D> arc = quarter();
    const std::string before = StorageTests::describe(*doc.asset);
    transact(*doc.asset, [&] {
        arc->arcCurve(ZkGeEllipArc2d(ZkGePoint2d(0, 0), ZkGeVector2d(1, 0), 2.0, 1.0));
    });
    EXPECT_TRUE(arc->isEllipse());
    EXPECT_TRUE(arc->startPoint().isNull());
    EXPECT_EQ(points(), 1u);
    ASSERT_TRUE(doc.asset->undo());
    EXPECT_EQ(StorageTests::describe(*doc.asset), before);
    EXPECT_EQ(doc.sketch->queryPoint2D(ZkGePoint2d(2, 0)).getTarget(), arc->startPoint().get());
}

} // namespace
} // namespace Kv::Geometry::Sketch2DTests
