// What every sketch curve shares: replacing its end points, the fixed state
// and its colours, the curvature comb in the scene, the appearance drawn from
// the display environment, picking and naming.

#include "SketchTestDocument.h"

#include "Geometry/curves3d/CircArc3D.h"
#include "Geometry/curves3d/EllipticArc3D.h"
#include "Geometry/curves3d/Line3D.h"
#include "Geometry/sketch3d/CurveUses.h"
#include "Geometry/sketch3d/Point3D.h"
#include "Kv/DataModel/Onk.h"
#include "Kv/Scene/EnvironmentManager.h"
#include "Kv/Scene/SceneManager.h"
#include "Wyn/Graphics/Attribute.h"
#include "Wyn/Graphics/CurveNode.h"

#include <gtest/gtest.h>

#include <cmath>

namespace Kv::Geometry::Tests {
namespace {

using Wyn::Graphics::ARenderNode;
using Wyn::Graphics::Attribute;
using Wyn::Graphics::AttributeType;

const ZkGeVector3d kUp = ZkGeVector3d::kZAxis;

const Attribute* attribute(const ARenderNode* node, AttributeType type) {
    return node ? node->attributes().find(type) : nullptr;
}

Wyn::Objects::Color drawnColor(const ARenderNode* node) {
    const Attribute* occluded = attribute(node, AttributeType::OccludedEffect);
    return occluded ? occluded->color() : Wyn::Objects::Color();
}

bool sameColor(const Wyn::Objects::Color& drawn, const Color& expected) {
    return drawn.red == expected.red && drawn.green == expected.green &&
           drawn.blue == expected.blue && drawn.alpha == expected.alpha;
}

double lineWeight(const ARenderNode* node) {
    const Attribute* style = attribute(node, AttributeType::LineStyle);
    return style ? style->lineStyle().weight() : 0.0;
}

class Curve3DTest : public ::testing::Test {
protected:
    ~Curve3DTest() override {
        Scene::EnvironmentManager::getEnvManager().load(
            Scene::EnvironmentManager::defaultDirectory());
    }
    StrongRef<Point3D> point(double x, double y, double z = 0.0) {
        return Point3D::make(doc.parent, ZkGePoint3d(x, y, z));
    }
    static bool uses(const StrongRef<Point3D>& p, Curve3D* curve) {
        return p->curveUses()->contains(PassiveRef<Curve3D>(curve));
    }
    bool inSketch(const StrongRef<Point3D>& p) const {
        return doc.sketch->indexOf(p.get()) != Managed::ManagedGroupEntity::npos;
    }
    // The scene as a view would draw it now.
    void realize() { doc.asset.sceneManager().rootNode(); }
    StrongRef<CircArc3D> circleWithComb(double radius) {
        StrongRef<CircArc3D> circle;
        doc.transact([&] {
            circle = CircArc3D::make(doc.parent, point(0, 0), kUp, radius);
            circle->showCurvatureComb(true);
        });
        realize();
        return circle;
    }

    SketchTestDocument doc;
};

// ---- end points

TEST_F(Curve3DTest, ReplacingAnEndMovesTheUseAndLetsAnUnusedPointGo) {
    StrongRef<Point3D> a = point(0, 0), b = point(1, 0), c = point(0, 1);
    StrongRef<Line3D> line = Line3D::make(doc.parent, a, b);
    StrongRef<Line3D> other = Line3D::make(doc.parent, b, c);

    line->setEndPoint(c);
    EXPECT_EQ(line->endPoint(), c);
    EXPECT_TRUE(uses(c, line.get()));
    EXPECT_FALSE(uses(b, line.get()));
    EXPECT_TRUE(inSketch(b)) << "the other line still uses b";
    EXPECT_TRUE(line->lineCurve().endPoint().isEqualTo(ZkGePoint3d(0, 1, 0)))
        << "a line follows its new end";

    line->setStartPoint(b);
    EXPECT_FALSE(inSketch(a)) << "nothing uses a any more";
    EXPECT_TRUE(uses(b, line.get()) && uses(b, other.get()));

    line->setStartPoint(StrongRef<Point3D>());
    EXPECT_EQ(line->startPoint(), b) << "a null point is ignored";
}

TEST_F(Curve3DTest, AClosedCurveKeepsThePointItStillEndsAt) {
    StrongRef<Point3D> p = point(1, 1), q = point(2, 2);
    StrongRef<Line3D> loop = Line3D::make(doc.parent, p, p);
    EXPECT_FALSE(loop->bounded());
    loop->setStartPoint(q);
    EXPECT_TRUE(inSketch(p));
    EXPECT_TRUE(uses(p, loop.get())) << "p is still the end";
    EXPECT_TRUE(loop->bounded());
    EXPECT_EQ(loop->deleteNominees(),
              (std::vector<PassiveRef<Point3D>>{PassiveRef<Point3D>(q), PassiveRef<Point3D>(p)}));
}

TEST_F(Curve3DTest, ReplacingAnEndUndoesAsOneChange) {
    StrongRef<Point3D> a, b, c;
    StrongRef<Line3D> line;
    doc.transact([&] {
        a = point(0, 0);
        b = point(1, 0);
        c = point(5, 5);
        line = Line3D::make(doc.parent, a, b);
    });
    doc.transact([&] { line->setStartPoint(c); });
    EXPECT_FALSE(inSketch(a));
    ASSERT_TRUE(doc.asset.undo());
    EXPECT_EQ(line->startPoint(), a);
    EXPECT_TRUE(inSketch(a));
    EXPECT_TRUE(uses(a, line.get()));
    EXPECT_FALSE(uses(c, line.get()));
    EXPECT_EQ(line->lineCurve().startPoint(), ZkGePoint3d(0, 0, 0));
}

// ---- properties

TEST_F(Curve3DTest, FixingSetsTheFixedColourAndUndoes) {
    StrongRef<Line3D> line;
    doc.transact(
        [&] { line = Line3D::make(doc.parent, ZkGePoint3d(0, 0, 0), ZkGePoint3d(1, 0, 0)); });
    doc.transact([&] { line->fixed(true); });
    EXPECT_TRUE(line->isFixed());
    EXPECT_EQ(line->lineColor(), Color(0, 0.4f, 0, 1));
    doc.transact([&] { line->fixed(false); });
    EXPECT_EQ(line->lineColor(), Color(0, 0, 0, 1));
    ASSERT_TRUE(doc.asset.undo());
    EXPECT_TRUE(line->isFixed());
    EXPECT_EQ(line->lineColor(), Color(0, 0.4f, 0, 1));
}

TEST_F(Curve3DTest, CombSettingsAreRecordedAndDefaultScaleFitsTheCurve) {
    StrongRef<CircArc3D> circle;
    doc.transact([&] { circle = CircArc3D::make(doc.parent, point(0, 0), kUp, 2.0); });
    EXPECT_FALSE(circle->showCurvatureComb());
    EXPECT_EQ(circle->combDensity(), 20u);
    EXPECT_EQ(circle->combScale(), 10.0);
    doc.transact([&] {
        circle->showCurvatureComb(true);
        circle->combDensity(7);
        circle->combScale(0.5);
    });
    ASSERT_TRUE(doc.asset.undo());
    EXPECT_FALSE(circle->showCurvatureComb());
    EXPECT_EQ(circle->combDensity(), 20u);
    EXPECT_EQ(circle->combScale(), 10.0);

    // Curvature 1/2 and a box edge of 4: the longest spine is a quarter of 4.
    EXPECT_NEAR(circle->defaultScale(), 2.0, 1e-9);
    StrongRef<Line3D> line = Line3D::make(doc.parent, ZkGePoint3d(0, 0, 0), ZkGePoint3d(3, 0, 0));
    EXPECT_EQ(line->defaultScale(), 10.0) << "a straight curve keeps the fallback";
}

TEST_F(Curve3DTest, FollowingTheEnvironmentIsRecordedOnlyWhenItChanges) {
    StrongRef<Line3D> line;
    doc.transact(
        [&] { line = Line3D::make(doc.parent, ZkGePoint3d(0, 0, 0), ZkGePoint3d(1, 0, 0)); });
    EXPECT_TRUE(line->useEnvironmentColors());
    doc.transact([&] { line->lineThickness(2.0f); });
    doc.transact([&] { line->useEnvironmentColors(true); }); // no change, nothing recorded
    doc.transact([&] { line->useEnvironmentColors(false); });
    EXPECT_FALSE(line->useEnvironmentColors());
    ASSERT_TRUE(doc.asset.undo());
    EXPECT_TRUE(line->useEnvironmentColors());
    EXPECT_EQ(line->lineThickness(), 2.0f);
    ASSERT_TRUE(doc.asset.undo());
    EXPECT_EQ(line->lineThickness(), 1.0f) << "the same-value write left no step behind";
}

// ---- the comb

TEST_F(Curve3DTest, OutlineSampleCountsAreClamped) {
    EXPECT_EQ(Curve3D::outlineSampleCount(20), 305u);
    EXPECT_EQ(Curve3D::outlineSampleCount(1), 64u);
    EXPECT_EQ(Curve3D::outlineSampleCount(0), 64u);
    EXPECT_EQ(Curve3D::outlineSampleCount(40), 512u);
    EXPECT_EQ(Curve3D::outlineSampleCount(0xFFFFFFFFu), 512u);
}

TEST_F(Curve3DTest, CircleCombHasOneSpineMoreThanItsDensityAndAClampedOutline) {
    StrongRef<CircArc3D> circle = circleWithComb(2.0);
    ASSERT_NE(circle->groupNode(), nullptr);
    Wyn::Graphics::GeometryNode* spines = circle->combSpinesNode();
    Wyn::Graphics::GeometryNode* outline = circle->combOutlineNode();
    ASSERT_TRUE(spines && outline);
    EXPECT_EQ(spines->parent(), circle->groupNode());
    EXPECT_EQ(outline->parent(), circle->groupNode());

    // A closed curve asks for density + 1 spines; the first and the last meet.
    const std::vector<Wyn::Objects::Point3f>& ends = spines->mesh().positions();
    ASSERT_EQ(ends.size(), 2u * 21u);
    EXPECT_EQ(spines->mesh().primitiveType(), Wyn::Objects::PrimitiveType(2));
    EXPECT_NEAR(ends.front().x, ends[ends.size() - 2].x, 1e-5);
    EXPECT_NEAR(ends.front().y, ends[ends.size() - 2].y, 1e-5);
    // Curvature 1/2 towards the centre: with scale 10 every spine is 5 long
    // and points away from the centre.
    for (size_t i = 0; i < ends.size(); i += 2) {
        const ZkGeVector3d base(ends[i].x, ends[i].y, ends[i].z);
        const ZkGeVector3d tip(ends[i + 1].x, ends[i + 1].y, ends[i + 1].z);
        EXPECT_NEAR(base.length(), 2.0, 1e-5);
        EXPECT_NEAR(tip.length(), 7.0, 1e-5);
    }
    EXPECT_EQ(outline->mesh().positions().size(), 305u);
    EXPECT_EQ(outline->mesh().primitiveType(), Wyn::Objects::PrimitiveType(3));

    EXPECT_TRUE(sameColor(drawnColor(spines), Color(0.16862746f, 0.5686275f, 0.6862745f, 1)));
    EXPECT_TRUE(sameColor(drawnColor(outline), Color(1, 0, 0, 1)));
    for (ARenderNode* comb :
         {static_cast<ARenderNode*>(spines), static_cast<ARenderNode*>(outline)}) {
        const Attribute* pick = attribute(comb, AttributeType::Selectability);
        ASSERT_TRUE(pick);
        EXPECT_FALSE(pick->isSelectable());
        EXPECT_EQ(comb->nodeFlags() & 0x110000u, 0x110000u);
    }
}

TEST_F(Curve3DTest, DefaultScaleMakesCircleSpinesAQuarterOfTheBox) {
    StrongRef<CircArc3D> circle = circleWithComb(2.0);
    doc.transact([&] {
        circle->combScale(circle->defaultScale());
        circle->combDensity(4);
    });
    const std::vector<Wyn::Objects::Point3f>& ends = circle->combSpinesNode()->mesh().positions();
    ASSERT_EQ(ends.size(), 2u * 5u);
    const double dx = ends[1].x - ends[0].x, dy = ends[1].y - ends[0].y;
    EXPECT_NEAR(std::hypot(dx, dy), 1.0, 1e-5) << "curvature 0.5 times scale 2";
    EXPECT_EQ(circle->combOutlineNode()->mesh().positions().size(), 64u);
}

TEST_F(Curve3DTest, TurningTheCombOffRemovesItsNodesAndOnAgainRecreatesThem) {
    StrongRef<CircArc3D> circle = circleWithComb(1.0);
    ASSERT_EQ(circle->groupNode()->children().size(), 3u);
    doc.transact([&] { circle->showCurvatureComb(false); });
    EXPECT_EQ(circle->combSpinesNode(), nullptr);
    EXPECT_EQ(circle->combOutlineNode(), nullptr);
    EXPECT_EQ(circle->groupNode()->children().size(), 1u) << "only the circle itself";
    doc.transact([&] { circle->showCurvatureComb(true); });
    ASSERT_NE(circle->combSpinesNode(), nullptr);
    EXPECT_TRUE(sameColor(drawnColor(circle->combOutlineNode()), Color(1, 0, 0, 1)));
    EXPECT_EQ(circle->groupNode()->children().size(), 3u);
}

TEST_F(Curve3DTest, ArcsAndEllipsesShowCombsButLinesNever) {
    StrongRef<CircArc3D> arc;
    StrongRef<EllipticArc3D> ellipse;
    StrongRef<Line3D> line;
    doc.transact([&] {
        arc = CircArc3D::make(doc.parent, ZkGePoint3d(0, 0, 0), ZkGePoint3d(1, 0, 0),
                              ZkGePoint3d(0, 1, 0), kUp);
        ellipse = EllipticArc3D::make(doc.parent, ZkGePoint3d(5, 0, 0), ZkGeVector3d(2, 0, 0),
                                      ZkGeVector3d(0, 1, 0));
        line = Line3D::make(doc.parent, ZkGePoint3d(0, 5, 0), ZkGePoint3d(1, 5, 0));
        for (Curve3D* curve :
             {static_cast<Curve3D*>(arc.get()), static_cast<Curve3D*>(ellipse.get()),
              static_cast<Curve3D*>(line.get())})
            curve->showCurvatureComb(true);
    });
    realize();
    ASSERT_NE(arc->combSpinesNode(), nullptr);
    EXPECT_EQ(arc->combSpinesNode()->mesh().positions().size(), 2u * 20u) << "an open arc";
    ASSERT_NE(ellipse->combSpinesNode(), nullptr);
    EXPECT_EQ(ellipse->combSpinesNode()->mesh().positions().size(), 2u * 21u);
    EXPECT_EQ(line->groupNode(), nullptr);
    EXPECT_EQ(line->combSpinesNode(), nullptr);
}

TEST_F(Curve3DTest, CombFollowsTheCurve) {
    StrongRef<Point3D> center;
    StrongRef<CircArc3D> circle;
    doc.transact([&] {
        center = point(0, 0);
        circle = CircArc3D::make(doc.parent, center, kUp, 1.0);
        circle->showCurvatureComb(true);
    });
    realize();
    doc.transact([&] {
        center->point(ZkGePoint3d(10, 0, 0));
        circle->updateCurve();
    });
    const Wyn::Objects::Point3f first = circle->combSpinesNode()->mesh().positions().front();
    EXPECT_NEAR(std::hypot(first.x - 10.0, first.y), 1.0, 1e-5);
}

// ---- appearance

TEST_F(Curve3DTest, EnvironmentColoursFollowTheFixedStateAndTheActiveEnvironment) {
    Scene::EnvironmentManager& environments = Scene::EnvironmentManager::getEnvManager();
    const Scene::Environment* theme = environments.activeEnvironment();
    StrongRef<Line3D> line;
    StrongRef<CircArc3D> circle;
    doc.transact([&] {
        line = Line3D::make(doc.parent, ZkGePoint3d(0, 0, 0), ZkGePoint3d(1, 0, 0));
        circle = CircArc3D::make(doc.parent, point(5, 5), kUp, 1.0);
    });
    realize();
    ARenderNode* lineNode = line->sceneNode();
    ARenderNode* circleNode = circle->groupNode()->children().front().get();
    EXPECT_TRUE(sameColor(drawnColor(lineNode), theme->sketchLineColor().toColor()));
    EXPECT_TRUE(sameColor(drawnColor(circleNode), theme->sketchLineColor().toColor()));
    EXPECT_EQ(lineWeight(lineNode), 1.5);
    EXPECT_EQ(lineWeight(circle->groupNode()), 1.5) << "set on the node being realised";
    const Attribute* depth = attribute(lineNode, AttributeType::DepthPriority);
    ASSERT_TRUE(depth);
    EXPECT_EQ(depth->priority(), 5);
    EXPECT_EQ(attribute(lineNode, AttributeType::Selectability)->selectionKind(), 2);

    doc.transact([&] { line->fixed(true); });
    EXPECT_TRUE(sameColor(drawnColor(lineNode), theme->sketchFixedLineColor().toColor()));

    Scene::Environment night("Night");
    night.color("sketchLineColor", Scene::ArgbColor(1, 0.9f, 0.8f, 0.7f));
    environments.addEnvironment(night);
    environments.activeEnvironment("Night");
    realize();
    EXPECT_TRUE(sameColor(drawnColor(circleNode), Color(0.9f, 0.8f, 0.7f, 1)));
}

TEST_F(Curve3DTest, OwnColoursAndThicknessWhenNotFollowingTheEnvironment) {
    StrongRef<CircArc3D> circle;
    doc.transact([&] {
        circle = CircArc3D::make(doc.parent, point(0, 0), kUp, 1.0);
        circle->useEnvironmentColors(false);
        circle->lineColor(Color(0.25f, 0.5f, 0.75f, 1));
        circle->lineThickness(3.0f);
    });
    realize();
    ARenderNode* circleNode = circle->groupNode()->children().front().get();
    EXPECT_TRUE(sameColor(drawnColor(circleNode), Color(0.25f, 0.5f, 0.75f, 1)));
    EXPECT_EQ(lineWeight(circleNode), 3.0);
    EXPECT_EQ(lineWeight(circle->groupNode()), 0.0) << "no environment weight";

    doc.transact([&] { circle->lineThickness(1.0f); });
    EXPECT_EQ(lineWeight(circleNode), 0.0) << "the old weight does not linger";
    doc.transact([&] { circle->fixed(true); });
    EXPECT_TRUE(sameColor(drawnColor(circleNode), Color(0, 0.4f, 0, 1)));
}

// ---- picking, naming, text

TEST_F(Curve3DTest, TheMiddleOfTheCurveStandsForAPick) {
    StrongRef<Line3D> line = Line3D::make(doc.parent, ZkGePoint3d(0, 0, 0), ZkGePoint3d(4, 2, 0));
    ZkGePoint3d hit;
    ZkGeMatrix3d placed;
    const ZkGeMatrix3d transform = ZkGeMatrix3d::translation(ZkGeVector3d(1, 1, 1));
    EXPECT_TRUE(line->onProvideNominalHitInfo(nullptr, transform, hit, placed));
    EXPECT_TRUE(hit.isEqualTo(ZkGePoint3d(2, 1, 0)));
    EXPECT_EQ(placed, transform);

    StrongRef<CircArc3D> arc = CircArc3D::make(doc.parent, ZkGePoint3d(0, 0, 0),
                                               ZkGePoint3d(1, 0, 0), ZkGePoint3d(-1, 0, 0), kUp);
    EXPECT_TRUE(arc->onProvideNominalHitInfo(nullptr, transform, hit, placed));
    EXPECT_TRUE(hit.isEqualTo(ZkGePoint3d(0, 1, 0)));
}

TEST_F(Curve3DTest, KeysNameTheKindAndCountItsSiblings) {
    StrongRef<Line3D> first = Line3D::make(doc.parent, ZkGePoint3d(0, 0, 0), ZkGePoint3d(2, 0, 0));
    StrongRef<Line3D> second = Line3D::make(doc.parent, ZkGePoint3d(2, 0, 0), ZkGePoint3d(2, 2, 0));
    StrongRef<CircArc3D> circle = CircArc3D::make(doc.parent, ZkGePoint3d(0, 0, 0), kUp, 1.0);
    StrongRef<EllipticArc3D> ellipse = EllipticArc3D::make(
        doc.parent, ZkGePoint3d(0, 0, 0), ZkGeVector3d(2, 0, 0), ZkGeVector3d(0, 1, 0));
    Onk key;
    ASSERT_TRUE(first->getOnk(key));
    EXPECT_EQ(key.name(), L"Line:2:1");
    EXPECT_EQ(key.representation(), L"(1, 0, 0)");
    ASSERT_TRUE(second->getOnk(key));
    EXPECT_EQ(key.name(), L"Line:2:2");
    ASSERT_TRUE(circle->getOnk(key));
    EXPECT_EQ(key.name(), L"CircArc:4:1");
    ASSERT_TRUE(ellipse->getOnk(key));
    EXPECT_EQ(key.name(), L"EllipticArc:5:1");

    doc.sketch->removeChild(StrongRef<Entity>(first));
    Onk gone(L"kept", L"as is");
    EXPECT_FALSE(first->getOnk(gone)) << "a removed curve counts nowhere";
    EXPECT_EQ(gone.name(), L"kept");
}

TEST_F(Curve3DTest, TextsNestTheBaseTexts) {
    StrongRef<Line3D> line = Line3D::make(doc.parent, ZkGePoint3d(0, 0, 0), ZkGePoint3d(1, 0, 0));
    EXPECT_EQ(line->toString().rfind(L"Line3D (Base Curve3D: (Base ", 0), 0u);
    StrongRef<EllipticArc3D> ellipse = EllipticArc3D::make(
        doc.parent, ZkGePoint3d(0, 0, 0), ZkGeVector3d(2, 0, 0), ZkGeVector3d(0, 1, 0));
    EXPECT_EQ(ellipse->toString().rfind(L"EllipticArc3D (Base Curve3D: (Base ", 0), 0u);
}

} // namespace
} // namespace Kv::Geometry::Tests
