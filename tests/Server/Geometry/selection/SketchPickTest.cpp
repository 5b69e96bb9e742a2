// Picking sketch geometry in a drawn view: what is hit, and the hit the
// selection then reports.

#include "../sketch3d/SketchModelDocument.h"
#include "SelectionTestSupport.h"

#include "Geometry/curves3d/CircArc3D.h"
#include "Geometry/curves3d/Line3D.h"
#include "Geometry/selection/SketchCurveSelection.h"
#include "Geometry/selection/SketchPointSelection.h"
#include "Geometry/sketch3d/Point3D.h"
#include "Kv/Scene/SceneManager.h"
#include "Kv/Selection/Picker.h"
#include "Wyn/Scene/View.h"

#include <gtest/gtest.h>

namespace Kv::Geometry::SelectionTests {
namespace {

using SketchTests::SketchModelDocument;

class SketchPickTest : public ::testing::Test {
protected:
    // A placed sketch (sketch (x, y) is model (-y, x, 5)) with a line from
    // sketch (0, 0) to (4, 0) and a circle of radius 1 about sketch (0, 10).
    void SetUp() override {
        sketch = doc.newSketch();
        doc.transact([&] {
            placeSketch(sketch);
            line = Line3D::make(sketch, ZkGePoint3d(0, 0, 0), ZkGePoint3d(4, 0, 0));
            circle = CircArc3D::make(sketch, ZkGePoint3d(0, 10, 0), ZkGeVector3d::kZAxis, 1);
        });
    }

    std::vector<Entity*> hitsAt(double x, double y) {
        return SelectionTests::hitsAt(doc.asset.sceneManager(), x, y);
    }

    SketchModelDocument doc;
    StrongRef<Sketch> sketch;
    StrongRef<Line3D> line;
    StrongRef<CircArc3D> circle;
    const Wyn::Scene::View top = Wyn::Scene::View::top();
};

TEST_F(SketchPickTest, TheNearestDrawingIsHitAndPointsWinTies) {
    // The line runs from model (0, 0) to (0, 4) seen from the top.
    EXPECT_EQ(hitsAt(0.05, 3), std::vector<Entity*>{line.get()});
    const std::vector<Entity*> atTheEnd = hitsAt(0, 4);
    ASSERT_EQ(atTheEnd.size(), 2u);
    EXPECT_EQ(atTheEnd[0], line->endPoint().get()) << "the hidden end point is pickable";
    EXPECT_EQ(atTheEnd[1], line.get());
    // The circle about model (-10, 0).
    EXPECT_EQ(hitsAt(-10, 1.02), std::vector<Entity*>{circle.get()});
    EXPECT_TRUE(hitsAt(-10, 0.5).empty()) << "inside the circle is not on it";
    EXPECT_TRUE(hitsAt(5, 5).empty());
}

TEST_F(SketchPickTest, APickedCurveKnowsWhereItWasHit) {
    StrongRef<LogicalSelection> picked = Picker::select(line.get(), top, 0.05, 3);
    auto* selection = queryInterface<SketchCurveSelection>(picked.get());
    ASSERT_TRUE(selection);
    ASSERT_TRUE(selection->hitInfo());
    ZkGePoint3d hit;
    ASSERT_TRUE(selection->sketchSpaceHitPoint(hit));
    EXPECT_TRUE(hit.isEqualTo(ZkGePoint3d(3, 0, 0))) << "not the middle at (2, 0, 0)";
    ASSERT_TRUE(selection->parentComponentSpaceHitPoint(hit));
    EXPECT_TRUE(hit.isEqualTo(ZkGePoint3d(0, 3, 5)));

    // The same from the front: the pick ray runs along y, parallel to the
    // sketch plane, so the middle stands for the hit.
    const Wyn::Scene::View front = Wyn::Scene::View::front();
    StrongRef<LogicalSelection> edgeOn = Picker::select(line.get(), front, 0, 5);
    ASSERT_TRUE(queryInterface<SketchCurveSelection>(edgeOn.get())->sketchSpaceHitPoint(hit));
    EXPECT_TRUE(hit.isEqualTo(ZkGePoint3d(2, 0, 0)));

    // Something below no selection source selects nothing; a point selects
    // itself.
    EXPECT_FALSE(Picker::select(doc.component.get(), top, 0, 0));
    EXPECT_TRUE(queryInterface<SketchPointSelection>(
        Picker::select(line->startPoint().get(), top, 0, 0).get()));
}

} // namespace
} // namespace Kv::Geometry::SelectionTests
