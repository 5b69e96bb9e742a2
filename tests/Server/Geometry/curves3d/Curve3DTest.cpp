// What every sketch curve shares: replacing its end points, the fixed state
// and its colours, the curve node and curvature comb in the scene, the
// appearance drawn from the display environment, picking and naming.

#include "SketchTestDocument.h"

#include "Kv/DataModel/Onk.h"
#include "Kv/DataModel/Transaction.h"
#include "Kv/Scene/EnvironmentManager.h"
#include "Wyn/Graphics/CurveNode.h"
#include "Wyn/Objects/Ref.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace Kv::Geometry::Tests {
namespace {

using Wyn::Graphics::ARenderNode;
using Wyn::Graphics::Attribute;
using Wyn::Graphics::AttributeType;

const ZkGeVector3d kUp = ZkGeVector3d::kZAxis;

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
    StrongRef<CircArc3D> circleWithComb(double radius) {
        StrongRef<CircArc3D> circle;
        doc.transact([&] {
            circle = CircArc3D::make(doc.parent, point(0, 0), kUp, radius);
            circle->showCurvatureComb(true);
        });
        doc.realize();
        return circle;
    }

    SketchTestDocument doc;
};

// ---- end points

TEST_F(Curve3DTest, ReplacingAnEndMovesTheUseLetsAnUnusedPointGoAndUndoes) {
    StrongRef<Point3D> a, b, c;
    StrongRef<Line3D> line, other;
    doc.transact([&] {
        a = point(0, 0), b = point(1, 0), c = point(0, 1);
        line = Line3D::make(doc.parent, a, b);
        other = Line3D::make(doc.parent, b, c);
    });
    const std::string before = describeModel(doc.asset);
    doc.transact([&] { line->setEndPoint(c); });
    EXPECT_EQ(line->endPoint(), c);
    EXPECT_TRUE(usedBy(c, line.get()));
    EXPECT_FALSE(usedBy(b, line.get()));
    EXPECT_TRUE(doc.inSketch(b.get())) << "the other line still uses b";
    EXPECT_TRUE(line->lineCurve().endPoint().isEqualTo(ZkGePoint3d(0, 1, 0)))
        << "a line follows its new end";
    doc.transact([&] { line->setStartPoint(b); });
    EXPECT_FALSE(doc.inSketch(a.get())) << "nothing uses a any more";
    EXPECT_TRUE(usedBy(b, line.get()) && usedBy(b, other.get()));
    line->setStartPoint(StrongRef<Point3D>());
    EXPECT_EQ(line->startPoint(), b) << "a null point is ignored";
    ASSERT_TRUE(doc.asset.undo());
    ASSERT_TRUE(doc.asset.undo());
    EXPECT_EQ(describeModel(doc.asset), before);
}

TEST_F(Curve3DTest, AClosedCurveKeepsThePointItStillEndsAt) {
    StrongRef<Point3D> p = point(1, 1), q = point(2, 2);
    StrongRef<Line3D> loop = Line3D::make(doc.parent, p, p);
    EXPECT_FALSE(loop->bounded());
    loop->setStartPoint(q);
    EXPECT_TRUE(usedBy(p, loop.get())) << "p is still the end";
    EXPECT_TRUE(loop->bounded());
    EXPECT_EQ(loop->deleteNominees(),
              (std::vector<PassiveRef<Point3D>>{PassiveRef<Point3D>(q), PassiveRef<Point3D>(p)}));
}

// ---- properties

TEST_F(Curve3DTest, PropertiesAreRecordedOnlyWhenTheyChangeAndFixingSetsTheFixedColour) {
    using SketchTests::Step;
    StrongRef<Line3D> line;
    doc.transact(
        [&] { line = Line3D::make(doc.parent, ZkGePoint3d(0, 0, 0), ZkGePoint3d(1, 0, 0)); });
    EXPECT_FALSE(line->showCurvatureComb());
    EXPECT_EQ(line->combDensity(), 20u);
    EXPECT_EQ(line->combScale(), 10.0);
    EXPECT_TRUE(line->useEnvironmentColors());
    doc.expectStepsUndoAndRedo({
        Step("fix",
             [&] {
                 line->fixed(true);
                 EXPECT_EQ(line->lineColor(), Color(0, 0.4f, 0, 1));
             }),
        Step("unfix",
             [&] {
                 line->fixed(false);
                 EXPECT_EQ(line->lineColor(), Color(0, 0, 0, 1));
             }),
        Step("comb",
             [&] {
                 line->showCurvatureComb(true);
                 line->combDensity(7);
                 line->combScale(0.5);
             }),
        Step("thickness", [&] { line->lineThickness(2.0f); }),
        Step("own colours", [&] { line->useEnvironmentColors(false); }),
    });
    doc.asset.beginTransaction("same value");
    line->useEnvironmentColors(false);
    EXPECT_TRUE(doc.asset.currentTransaction()->empty()) << "a same-value write records nothing";
    doc.asset.commitTransaction();
}

// ---- the scene

TEST_F(Curve3DTest, EachKindDrawsOneCurveNodeThatFollowsItAndLeavesWithIt) {
    using Wyn::Graphics::CurveNode;
    using Wyn::Graphics::NodeKind;
    struct Case {
        const char* name;
        std::function<StrongRef<Curve3D>()> make;
        NodeKind kind;
        ZkGePoint3d first, last;
    };
    const ZkGePoint3d o(0, 0, 0);
    const Case cases[] = {
        {"line",
         [&] {
             return StrongRef<Curve3D>(Line3D::make(doc.parent, o, {1, 2, 0}));
         },
         NodeKind::PolyLine,
         o,
         {1, 2, 0}},
        {"arc",
         [&] {
             return StrongRef<Curve3D>(CircArc3D::make(doc.parent, o, {2, 0, 0}, {0, 2, 0}, kUp));
         },
         NodeKind::CircleArc,
         {2, 0, 0},
         {0, 2, 0}},
        {"elliptic arc",
         [&] {
             return StrongRef<Curve3D>(
                 EllipticArc3D::make(doc.parent, o, {2, 0, 0}, {0, 1, 0}, {2, 0, 0}, {0, 1, 0}));
         },
         NodeKind::EllipseArc,
         {2, 0, 0},
         {0, 1, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StrongRef<Curve3D> curve;
        doc.transact([&] { curve = c.make(); });
        doc.realize();
        ARenderNode* top = curve->sceneNode();
        ASSERT_NE(top, nullptr);
        EXPECT_EQ(top->parent(), doc.sketch->groupNode());
        // Held, so that it can still be looked at once the curve lets go of it.
        const Wyn::Objects::Ref<CurveNode> node(dynamic_cast<CurveNode*>(
            curve->groupNode() ? curve->groupNode()->children()[0].get() : top));
        ASSERT_NE(node.get(), nullptr);
        EXPECT_EQ(node->kind(), c.kind);
        EXPECT_TRUE(node->points().front().isEqualTo(c.first));
        EXPECT_TRUE(node->points().back().isEqualTo(c.last));

        doc.transact([&] {
            curve->endPoint()->point(ZkGePoint3d(-2, 0, 0));
            curve->updateCurve();
        });
        EXPECT_TRUE(node->points().back().isEqualTo(ZkGePoint3d(-2, 0, 0)));
        doc.transact([&] { doc.sketch->removeChild(StrongRef<Entity>(curve)); });
        EXPECT_EQ(curve->sceneNode(), nullptr);
        EXPECT_EQ(node->source(), nullptr);
    }
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

    EXPECT_TRUE(drawnIn(spines, Color(0.16862746f, 0.5686275f, 0.6862745f, 1)));
    EXPECT_TRUE(drawnIn(outline, Color(1, 0, 0, 1)));
    for (ARenderNode* comb :
         {static_cast<ARenderNode*>(spines), static_cast<ARenderNode*>(outline)}) {
        const Attribute* pick = attribute(comb, AttributeType::Selectability);
        ASSERT_TRUE(pick);
        EXPECT_FALSE(pick->isSelectable());
        EXPECT_EQ(comb->nodeFlags() & 0x110000u, 0x110000u);
    }
}

TEST_F(Curve3DTest, TheCombFollowsItsSettingsAndTheCurveAndGoesWhenTurnedOff) {
    StrongRef<CircArc3D> circle = circleWithComb(2.0);
    doc.transact([&] {
        circle->combScale(circle->defaultScale());
        circle->combDensity(4);
    });
    const std::vector<Wyn::Objects::Point3f> ends = circle->combSpinesNode()->mesh().positions();
    ASSERT_EQ(ends.size(), 2u * 5u);
    EXPECT_NEAR(std::hypot(ends[1].x - ends[0].x, ends[1].y - ends[0].y), 1.0, 1e-5)
        << "curvature 0.5 times the default scale 2, a quarter of the box";
    EXPECT_EQ(circle->combOutlineNode()->mesh().positions().size(), 64u);
    doc.transact([&] {
        circle->centerPoint()->point(ZkGePoint3d(10, 0, 0));
        circle->updateCurve();
    });
    const Wyn::Objects::Point3f first = circle->combSpinesNode()->mesh().positions().front();
    EXPECT_NEAR(std::hypot(first.x - 10.0, first.y), 2.0, 1e-5);

    doc.transact([&] { circle->showCurvatureComb(false); });
    EXPECT_EQ(circle->combSpinesNode(), nullptr);
    EXPECT_EQ(circle->combOutlineNode(), nullptr);
    EXPECT_EQ(circle->groupNode()->children().size(), 1u) << "only the circle itself";
    doc.transact([&] { circle->showCurvatureComb(true); });
    EXPECT_TRUE(drawnIn(circle->combOutlineNode(), Color(1, 0, 0, 1)));
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
    doc.realize();
    ASSERT_NE(arc->combSpinesNode(), nullptr);
    EXPECT_EQ(arc->combSpinesNode()->mesh().positions().size(), 2u * 20u) << "an open arc";
    ASSERT_NE(ellipse->combSpinesNode(), nullptr);
    EXPECT_EQ(ellipse->combSpinesNode()->mesh().positions().size(), 2u * 21u);
    EXPECT_EQ(line->groupNode(), nullptr);
    EXPECT_EQ(line->combSpinesNode(), nullptr);
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
    doc.realize();
    ARenderNode* lineNode = line->sceneNode();
    ARenderNode* circleNode = circle->groupNode()->children().front().get();
    EXPECT_TRUE(drawnIn(lineNode, theme->sketchLineColor().toColor()));
    EXPECT_TRUE(drawnIn(circleNode, theme->sketchLineColor().toColor()));
    EXPECT_EQ(lineWeight(lineNode), 1.5);
    EXPECT_EQ(lineWeight(circle->groupNode()), 1.5) << "set on the node being realised";
    const Attribute* depth = attribute(lineNode, AttributeType::DepthPriority);
    ASSERT_TRUE(depth);
    EXPECT_EQ(depth->priority(), 5);
    EXPECT_EQ(attribute(lineNode, AttributeType::Selectability)->selectionKind(), 2);

    doc.transact([&] { line->fixed(true); });
    EXPECT_TRUE(drawnIn(lineNode, theme->sketchFixedLineColor().toColor()));

    Scene::Environment night("Night");
    night.color("sketchLineColor", Scene::ArgbColor(1, 0.9f, 0.8f, 0.7f));
    environments.addEnvironment(night);
    environments.activeEnvironment("Night");
    doc.realize();
    EXPECT_TRUE(drawnIn(circleNode, Color(0.9f, 0.8f, 0.7f, 1)));
}

TEST_F(Curve3DTest, OwnColoursAndThicknessWhenNotFollowingTheEnvironment) {
    StrongRef<CircArc3D> circle;
    doc.transact([&] {
        circle = CircArc3D::make(doc.parent, point(0, 0), kUp, 1.0);
        circle->useEnvironmentColors(false);
        circle->lineColor(Color(0.25f, 0.5f, 0.75f, 1));
        circle->lineThickness(3.0f);
    });
    doc.realize();
    ARenderNode* circleNode = circle->groupNode()->children().front().get();
    EXPECT_TRUE(drawnIn(circleNode, Color(0.25f, 0.5f, 0.75f, 1)));
    EXPECT_EQ(lineWeight(circleNode), 3.0);
    EXPECT_EQ(lineWeight(circle->groupNode()), 0.0) << "no environment weight";

    doc.transact([&] { circle->lineThickness(1.0f); });
    EXPECT_EQ(lineWeight(circleNode), 0.0) << "the old weight does not linger";
    doc.transact([&] { circle->fixed(true); });
    EXPECT_TRUE(drawnIn(circleNode, Color(0, 0.4f, 0, 1)));
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
