// Tangent and curvature handles: their construction on points of their own,
// the vectors they stand for, how they find their fit point, when they leave
// the sketch, and how they are drawn.

#include "SketchTestDocument.h"

#include "Kv/Scene/EnvironmentManager.h"
#include "Wyn/Graphics/GroupNode.h"

#include <gtest/gtest.h>

#include <cmath>

namespace Kv::Geometry::Tests {
namespace {

using Wyn::Graphics::ARenderNode;
using Wyn::Graphics::AttributeType;

::testing::AssertionResult near(const ZkGeVector3d& a, const ZkGeVector3d& b, double eps) {
    if ((a - b).length() <= eps)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "(" << a.x << ", " << a.y << ", " << a.z << ") vs ("
                                         << b.x << ", " << b.y << ", " << b.z << ")";
}

class SplineHandlesTest : public ::testing::Test {
protected:
    ~SplineHandlesTest() override {
        Scene::EnvironmentManager::getEnvManager().load(
            Scene::EnvironmentManager::defaultDirectory());
    }
    StrongRef<Spline3D> spline() {
        StrongRef<Spline3D> made = Spline3D::make(
            doc.parent, ZkArray<ZkGePoint3d>{{0, 0, 0}, {2, 1, 0}, {4, 0, 0}, {6, 2, 0}}, false);
        made->updateCurve();
        return made;
    }
    // A tangent handle along (1, 0, 0) at the start of `on`.
    StrongRef<TangentHandle> startTangent(const StrongRef<Spline3D>& on) {
        StrongRef<TangentHandle> handle =
            TangentHandle::make(doc.parent, on->start(), ZkGeVector3d(1, 0, 0));
        on->addTangentUse(0, handle);
        return handle;
    }
    // A curvature handle showing `curvature` at fit point `index`.
    StrongRef<CurvatureHandle> bend(const StrongRef<Spline3D>& on, int index,
                                    const ZkGeVector3d& curvature) {
        StrongRef<CurvatureHandle> handle = CurvatureHandle::make(
            doc.parent, CurvatureHandle::arcFromCurvature(curvature, on->fitPoint(index)->point()));
        on->addCurvatureUse(index, handle);
        return handle;
    }
    SketchTestDocument doc;
};

TEST_F(SplineHandlesTest, ATangentHandleIsCentredOnItsPositionOnPointsOfItsOwn) {
    StrongRef<Point3D> there = Point3D::make(doc.parent, ZkGePoint3d(-1, 2, 3));
    StrongRef<TangentHandle> handle =
        TangentHandle::make(doc.parent, ZkGePoint3d(1, 2, 3), ZkGeVector3d(2, 0, 0));
    EXPECT_EQ(handle->start(), ZkGePoint3d(-1, 2, 3));
    EXPECT_EQ(handle->end(), ZkGePoint3d(3, 2, 3));
    EXPECT_NE(handle->startPoint(), there) << "handle points are never shared";
    EXPECT_EQ(handle->tangent(), ZkGeVector3d(2, 0, 0));
    EXPECT_TRUE(handle->startPoint()->isHandleUses());
    EXPECT_FALSE(handle->fitPoint()) << "no spline lists it";
    EXPECT_EQ(handle->toString().rfind(L"TangentHandle (Base Line3D (Base Curve3D", 0), 0u);
}

TEST_F(SplineHandlesTest, CurvatureHandlesAreArcsShowingTheCurvatureWithinTheirRadiusLimit) {
    const ZkGePoint3d p(1, 1, 0);
    const ZkGeCircArc3d half = CurvatureHandle::arcFromCurvature(ZkGeVector3d(0, 0.5, 0), p);
    EXPECT_DOUBLE_EQ(half.radius(), 2.0);
    EXPECT_DOUBLE_EQ(half.startAng(), M_PI_2 - 0.5);
    EXPECT_DOUBLE_EQ(half.endAng(), M_PI_2 + 0.5);
    EXPECT_EQ(half.center(), ZkGePoint3d(1, -1, 0));
    EXPECT_NEAR(half.length(), 2.0, 1e-12);
    EXPECT_LE(half.evalPoint(0.5 * (half.startAng() + half.endAng())).distanceTo(p), 1e-12)
        << "the middle of the arc is the position";

    const ZkGeVector3d tiny(1e-7, 0, 0);
    const ZkGeCircArc3d flat = CurvatureHandle::arcFromCurvature(tiny, p);
    EXPECT_EQ(flat.radius(), 1000.0);
    EXPECT_LE(flat.center().distanceTo(p - tiny * 1000.0), 1e-12) << "K is not normalised";
    EXPECT_EQ(CurvatureHandle::arcFromCurvature(ZkGeVector3d(0, 1e-4, 0), p).radius(), 1000.0);

    // The handle is the arc, on points of its own.
    StrongRef<CurvatureHandle> handle = CurvatureHandle::make(doc.parent, half);
    EXPECT_EQ(doc.sketch->childCount(), 4u);
    EXPECT_TRUE(handle->startPoint()->point().isEqualTo(half.startPoint()));
    EXPECT_TRUE(handle->arcCurve().evalPoint(0.5).isEqualTo(p));
    EXPECT_TRUE(handle->curveUses() && usedBy(handle->centerPoint(), handle.get()));
    EXPECT_EQ(CurvatureHandle::make(doc.parent, ZkGePoint3d(), ZkGePoint3d(0, 3, 0),
                                    ZkGePoint3d(-3, 0, 0), ZkGeVector3d::kZAxis)
                  ->radius(),
              3.0);
}

TEST_F(SplineHandlesTest, CurvatureIsReadBackAtTheFitPoint) {
    StrongRef<Spline3D> on = spline();
    for (const ZkGeVector3d& k : {ZkGeVector3d(0, 1e-3, 0), ZkGeVector3d(0.3, -0.4, 0),
                                  ZkGeVector3d(0, 0, 2), ZkGeVector3d(-1, 1, 1)}) {
        StrongRef<CurvatureHandle> handle = bend(on, 1, k);
        EXPECT_TRUE(near(handle->curvature(), k, 1e-12)) << k.x << " " << k.y << " " << k.z;
        on->removeCurvature(handle);
    }
    // Flatter than the largest radius: the direction, at curvature 1/1000.
    StrongRef<CurvatureHandle> slight = bend(on, 2, ZkGeVector3d(0, 5e-4, 0));
    EXPECT_TRUE(near(slight->curvature(), ZkGeVector3d(0, 1e-3, 0), 1e-15));
    StrongRef<CurvatureHandle> loose = CurvatureHandle::make(
        doc.parent, CurvatureHandle::arcFromCurvature(ZkGeVector3d(0, 1, 0), ZkGePoint3d()));
    EXPECT_EQ(loose->curvature(), ZkGeVector3d()) << "without a fit point";
}

TEST_F(SplineHandlesTest, AHandleLeavesWhenNoCurveUsesItUnlessItsGroupIsGoing) {
    StrongRef<Spline3D> on;
    StrongRef<TangentHandle> handle;
    doc.transact([&] {
        on = spline();
        handle = startTangent(on);
    });
    handle->removeIfNoUse();
    EXPECT_TRUE(doc.inSketch(handle.get())) << "still used";

    // Taking the whole sketch away takes the handle with it once, and undo
    // brings it back attached.
    const size_t sketches = doc.sketches->childCount();
    doc.transact([&] { doc.sketches->removeChild(StrongRef<Entity>(doc.sketch)); });
    EXPECT_EQ(doc.sketches->childCount(), sketches - 1);
    ASSERT_TRUE(doc.asset.undo());
    EXPECT_TRUE(doc.inSketch(handle.get()));
    EXPECT_TRUE(on->hasTangent(0));
    EXPECT_TRUE(handle->curveUses()->contains(PassiveRef<Curve3D>(on.get())));
}

TEST_F(SplineHandlesTest, HandlesDrawInTheInferenceColourBehindTheCurves) {
    Scene::EnvironmentManager& environments = Scene::EnvironmentManager::getEnvManager();
    StrongRef<Spline3D> on;
    StrongRef<TangentHandle> tangent;
    StrongRef<CurvatureHandle> curvature;
    doc.transact([&] {
        on = spline();
        tangent = startTangent(on);
        curvature = bend(on, 1, ZkGeVector3d(0, -1, 0));
        curvature->lineThickness(2.0f);
    });
    doc.realize();
    const Color inference = environments.activeEnvironment()->sketchInferenceColor().toColor();
    ARenderNode* line = tangent->sceneNode();
    ARenderNode* arc = curvature->groupNode()->children().front().get();
    EXPECT_TRUE(drawnIn(line, inference));
    EXPECT_TRUE(drawnIn(arc, inference));
    EXPECT_EQ(attribute(line, AttributeType::DepthPriority)->priority(), 3);
    EXPECT_EQ(attribute(arc, AttributeType::LineStyle)->lineStyle().weight(), 2.0);
    EXPECT_FALSE(attribute(line, AttributeType::LineStyle));

    doc.transact([&] {
        tangent->useEnvironmentColors(false);
        tangent->lineColor(Color(0.5f, 0, 0.5f, 1));
    });
    EXPECT_TRUE(drawnIn(line, Color(0.5f, 0, 0.5f, 1)));

    // A new theme recolours every handle, whatever it follows.
    Scene::Environment night("Night");
    night.color("sketchInferenceColor", Scene::ArgbColor(1, 0.1f, 0.9f, 0.2f));
    environments.addEnvironment(night);
    environments.activeEnvironment("Night");
    EXPECT_TRUE(drawnIn(arc, Color(0.1f, 0.9f, 0.2f, 1)));
    EXPECT_TRUE(drawnIn(line, Color(0.1f, 0.9f, 0.2f, 1)));
}

TEST_F(SplineHandlesTest, HidingATangentHandleHidesItsPointsOutsideUndo) {
    StrongRef<Spline3D> on;
    StrongRef<TangentHandle> handle;
    StrongRef<CurvatureHandle> curvature;
    doc.transact([&] {
        on = spline();
        handle = startTangent(on);
        curvature = bend(on, 2, ZkGeVector3d(0, 1, 0));
    });
    doc.realize();
    doc.transact([&] {
        handle->isVisible(false);
        curvature->isVisible(false);
    });
    EXPECT_FALSE(handle->startPoint()->isVisible());
    EXPECT_FALSE(handle->endPoint()->isVisible());
    EXPECT_TRUE(hidden(handle->sceneNode()));
    EXPECT_TRUE(hidden(curvature->groupNode()));
    EXPECT_TRUE(curvature->startPoint()->isVisible()) << "only tangent handles take their points";
    ASSERT_TRUE(doc.asset.undo());
    EXPECT_FALSE(handle->isVisible()) << "not recorded";
    EXPECT_TRUE(curvature->isVisible()) << "recorded, so undone";
    doc.transact([&] { handle->isVisible(true); });
    EXPECT_TRUE(handle->endPoint()->isVisible());
    EXPECT_FALSE(hidden(handle->sceneNode()));
}

} // namespace
} // namespace Kv::Geometry::Tests
