// A sketch with every curve kind comes back exactly, use lists included,
// through undo and redo of its making, of changes and of deletions, and
// through a save and open.

#include "../sketch3d/SketchModelDocument.h"

#include "Geometry/curves3d/CircArc3D.h"
#include "Geometry/curves3d/EllipticArc3D.h"
#include "Geometry/curves3d/Line3D.h"
#include "Geometry/sketch3d/CurveUses.h"
#include "Geometry/sketch3d/Point3D.h"
#include "Kv/Base/Utf8.h"
#include "Kv/DataModel/Request.h"
#include "Kv/DataModel/Status.h"

#include <gtest/gtest.h>

#include <cmath>

namespace Kv::Geometry::SketchTests {
namespace {

const ZkGeVector3d kUp = ZkGeVector3d::kZAxis;

class CurveRoundTripTest : public ::testing::Test {
protected:
    CurveRoundTripTest()
        : sketch(doc.newSketch())
        , parent(sketch) {}

    // Two lines meeting at a corner, an arc on the corner, a circle about
    // the arc's centre, a three-point arc, an ellipse and an elliptic arc,
    // with properties off their defaults.
    void drawEveryKind() {
        doc.transact([&] {
            lines[0] = Line3D::make(parent, ZkGePoint3d(0, 0, 0), ZkGePoint3d(4, 0, 0));
            lines[1] = Line3D::make(parent, ZkGePoint3d(4, 0, 0), ZkGePoint3d(4, 3, 0));
            arc = CircArc3D::make(parent, ZkGePoint3d(2, 0, 0), ZkGePoint3d(4, 0, 0),
                                  ZkGePoint3d(0, 0, 0), kUp);
            circle = CircArc3D::make(parent, ZkGePoint3d(2, 0, 0), kUp, 0.5);
            arc3 = CircArc3D::make(parent, lines[1]->endPoint(), ZkGePoint3d(5, 4, 0),
                                   Point3D::findOrMake(parent, ZkGePoint3d(6, 3, 0)), kUp);
            ellipse = EllipticArc3D::make(parent, ZkGePoint3d(10, 0, 0), ZkGeVector3d(3, 1, 0),
                                          ZkGeVector3d(-0.5, 1.5, 0));
            ellipticArc = EllipticArc3D::make(parent, ZkGePoint3d(10, 0, 0), ZkGePoint3d(13, 1, 0),
                                              ZkGePoint3d(9.5, 1.5, 0), ZkGeVector3d(3, 1, 0),
                                              ZkGeVector3d(-0.5, 1.5, 0));
            lines[1]->fixed(true);
            arc->showCurvatureComb(true);
            arc->combDensity(7);
            arc->combScale(0.25);
            circle->useEnvironmentColors(false);
            circle->lineThickness(2.5f);
            ellipse->lineColor(Color(0.5f, 0.25f, 1, 1));
        });
        ASSERT_TRUE(arc3);
    }
    std::vector<Curve3D*> curves() {
        return {lines[0].get(), lines[1].get(), arc.get(),        circle.get(),
                arc3.get(),     ellipse.get(),  ellipticArc.get()};
    }
    static bool uses(const StrongRef<Point3D>& p, Curve3D* curve) {
        return p && p->curveUses()->contains(PassiveRef<Curve3D>(curve));
    }
    // Every point a curve holds lists the curve.
    void expectUseListsRight() {
        for (Curve3D* curve : curves())
            for (const PassiveRef<Point3D>& point : curve->deleteNominees())
                EXPECT_TRUE(uses(StrongRef<Point3D>(point.getTarget()), curve))
                    << Utf8::toUtf8(curve->toString());
    }

    SketchModelDocument doc;
    StrongRef<Sketch> sketch;
    StrongRef<Entity> parent;
    StrongRef<Line3D> lines[2];
    StrongRef<CircArc3D> arc, circle, arc3;
    StrongRef<EllipticArc3D> ellipse, ellipticArc;
};

TEST_F(CurveRoundTripTest, MakingEveryKindUndoesAndRedoes) {
    const std::string empty = describeModel(doc.asset);
    drawEveryKind();
    const std::string drawn = describeModel(doc.asset);
    EXPECT_EQ(sketch->childCount(), 9u + 7u) << "nine points, seven curves";
    EXPECT_EQ(lines[1]->endPoint()->curveUses()->geometriesCount(), 2u);
    EXPECT_EQ(arc->centerPoint(), circle->centerPoint());
    expectUseListsRight();

    ASSERT_TRUE(doc.asset.undo());
    EXPECT_EQ(describeModel(doc.asset), empty);
    ASSERT_TRUE(doc.asset.redo());
    EXPECT_EQ(describeModel(doc.asset), drawn);
    expectUseListsRight();
}

TEST_F(CurveRoundTripTest, MovingASharedPointMovesEveryCurveOnItAndUndoes) {
    drawEveryKind();
    const std::string drawn = describeModel(doc.asset);
    const StrongRef<Point3D> corner = lines[0]->endPoint();
    ASSERT_EQ(corner->curveUses()->geometriesCount(), 3u) << "two lines and the arc";
    doc.transact([&] {
        corner->point(ZkGePoint3d(4, -1, 0));
        for (const PassiveRef<Curve3D>& curve : corner->curveUses()->curves())
            curve->updateCurve();
    });
    EXPECT_EQ(lines[0]->lineCurve().endPoint(), ZkGePoint3d(4, -1, 0));
    EXPECT_EQ(lines[1]->lineCurve().startPoint(), ZkGePoint3d(4, -1, 0));
    EXPECT_NEAR(arc->radius(), std::sqrt(5.0), 1e-12);
    ASSERT_TRUE(doc.asset.undo());
    EXPECT_EQ(describeModel(doc.asset), drawn);
    EXPECT_EQ(lines[1]->lineCurve().startPoint(), ZkGePoint3d(4, 0, 0));
}

TEST_F(CurveRoundTripTest, DeletingEveryCurveEmptiesTheSketchAndUndoes) {
    drawEveryKind();
    const std::string drawn = describeModel(doc.asset);
    doc.transact([&] {
        for (Curve3D* curve : curves()) {
            Request* request = curve->onProvideDeleteRequest(ObjectPath::toEntity(curve));
            ASSERT_NE(request, nullptr);
            Status status;
            EXPECT_TRUE(request->execute(status));
            request->destroy();
        }
    });
    EXPECT_EQ(sketch->childCount(), 0u) << "no point is left without a use";
    ASSERT_TRUE(doc.asset.undo());
    EXPECT_EQ(describeModel(doc.asset), drawn);
    expectUseListsRight();
    ASSERT_TRUE(doc.asset.redo());
    EXPECT_EQ(sketch->childCount(), 0u);
}

TEST_F(CurveRoundTripTest, SaveAndOpenKeepEveryCurveAndUseList) {
    drawEveryKind();
    std::unique_ptr<Asset> opened = doc.saveAndOpen();
    EXPECT_EQ(describeModel(*opened), describeModel(doc.asset));

    // The opened curves share their points and go on following them.
    StrongRef<Sketches> sketches = sketchesOf(*opened);
    ASSERT_TRUE(sketches && sketches->childCount() == 1);
    auto* openedSketch = queryInterface<Sketch>(sketches->children()[0].get());
    ASSERT_TRUE(openedSketch);
    std::vector<PassiveRef<Curve3D>> openedCurves = openedSketch->curves();
    ASSERT_EQ(openedCurves.size(), 7u);
    auto* first = queryInterface<Line3D>(openedCurves[0].getTarget());
    auto* second = queryInterface<Line3D>(openedCurves[1].getTarget());
    ASSERT_TRUE(first && second);
    EXPECT_EQ(first->endPoint(), second->startPoint());
    EXPECT_EQ(first->endPoint()->curveUses()->geometriesCount(), 3u);
    opened->beginTransaction("move");
    first->endPoint()->point(ZkGePoint3d(4, 1, 0));
    for (const PassiveRef<Curve3D>& curve : first->endPoint()->curveUses()->curves())
        curve->updateCurve();
    opened->commitTransaction();
    EXPECT_EQ(second->lineCurve().startPoint(), ZkGePoint3d(4, 1, 0));
    auto* openedCircle = queryInterface<CircArc3D>(openedCurves[3].getTarget());
    ASSERT_TRUE(openedCircle);
    EXPECT_FALSE(openedCircle->useEnvironmentColors());
    EXPECT_EQ(openedCircle->lineThickness(), 2.5f);
}

} // namespace
} // namespace Kv::Geometry::SketchTests
