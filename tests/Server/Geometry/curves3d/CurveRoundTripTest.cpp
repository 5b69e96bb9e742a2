// A sketch with every curve kind comes back exactly, use lists included,
// through undo and redo of its making and of deletions, and through a save
// and open.

#include "SketchTestDocument.h"

#include "Kv/Base/Utf8.h"

#include <gtest/gtest.h>

namespace Kv::Geometry::Tests {
namespace {

const ZkGeVector3d kUp = ZkGeVector3d::kZAxis;

class CurveRoundTripTest : public ::testing::Test {
protected:
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
    // Every point a curve holds lists the curve.
    void expectUseListsRight() {
        for (Curve3D* curve : curves())
            for (const PassiveRef<Point3D>& point : curve->deleteNominees())
                EXPECT_TRUE(usedBy(StrongRef<Point3D>(point.getTarget()), curve))
                    << Utf8::toUtf8(curve->toString());
    }

    SketchTestDocument doc;
    const StrongRef<Entity>& parent = doc.parent;
    StrongRef<Line3D> lines[2];
    StrongRef<CircArc3D> arc, circle, arc3;
    StrongRef<EllipticArc3D> ellipse, ellipticArc;
};

TEST_F(CurveRoundTripTest, MakingEveryKindUndoesAndRedoes) {
    const std::string empty = describeModel(doc.asset);
    drawEveryKind();
    const std::string drawn = describeModel(doc.asset);
    EXPECT_EQ(doc.sketch->childCount(), 9u + 7u) << "nine points, seven curves";
    expectUseListsRight();

    ASSERT_TRUE(doc.asset.undo());
    EXPECT_EQ(describeModel(doc.asset), empty);
    ASSERT_TRUE(doc.asset.redo());
    EXPECT_EQ(describeModel(doc.asset), drawn);
    expectUseListsRight();
}

TEST_F(CurveRoundTripTest, DeletingEveryCurveEmptiesTheSketchAndUndoes) {
    drawEveryKind();
    const std::string drawn = describeModel(doc.asset);
    doc.transact([&] {
        for (Curve3D* curve : curves())
            doc.deleteThroughRequest(*curve);
    });
    EXPECT_EQ(doc.sketch->childCount(), 0u) << "no point is left without a use";
    ASSERT_TRUE(doc.asset.undo());
    EXPECT_EQ(describeModel(doc.asset), drawn);
    expectUseListsRight();
    ASSERT_TRUE(doc.asset.redo());
    EXPECT_EQ(doc.sketch->childCount(), 0u);
}

TEST_F(CurveRoundTripTest, SaveAndOpenKeepEveryCurveAndUseList) {
    drawEveryKind();
    std::unique_ptr<Asset> opened = doc.saveAndOpen();
    EXPECT_EQ(describeModel(*opened), describeModel(doc.asset));

    // The opened curves share their points and go on following them.
    auto* first = queryInterface<Line3D>(doc.counterpart(*opened, lines[0].get()));
    auto* second = queryInterface<Line3D>(doc.counterpart(*opened, lines[1].get()));
    ASSERT_TRUE(first && second);
    opened->beginTransaction("move");
    first->endPoint()->point(ZkGePoint3d(4, 1, 0));
    for (const PassiveRef<Curve3D>& curve : first->endPoint()->curveUses()->curves())
        curve->updateCurve();
    opened->commitTransaction();
    EXPECT_EQ(second->lineCurve().startPoint(), ZkGePoint3d(4, 1, 0));
}

} // namespace
} // namespace Kv::Geometry::Tests
