// Undo and redo of every sketch-model edit restore the model exactly (names,
// counters, use lists, placements, child order), one step at a time, and a
// saved document comes back the same and goes on numbering and sharing.

#include "SketchModelDocument.h"

#include "Geometry/curves3d/Line3D.h"
#include "Geometry/curves3d/TangentHandle.h"
#include "Geometry/sketch3d/CoordinateSystem.h"
#include "Geometry/sketch3d/CurveUses.h"
#include "Geometry/sketch3d/GeometryGroup3D.h"
#include "Geometry/sketch3d/Point3D.h"
#include "Geometry/sketch3d/PointUses.h"
#include "Geometry/sketch3d/TangentUses.h"

#include <gtest/gtest.h>

namespace Kv::Geometry::SketchTests {
namespace {

class SketchRoundTripTest : public ::testing::Test {
protected:
    StrongRef<Point3D> at(double x, double y, double z = 0) {
        return Point3D::findOrMake(StrongRef<Entity>(sketch), ZkGePoint3d(x, y, z));
    }
    void makePoints() {
        p00 = at(0, 0);
        p10 = at(1, 0);
        p11 = at(1, 1);
        loose = at(7, 7);
    }
    void place() {
        StrongRef<CoordinateSystem> placement = CoordinateSystem::make(StrongRef<Entity>(sketch));
        placement->setCoordSystem(ZkGePoint3d(0, 0, 5), ZkGeVector3d::kYAxis, -ZkGeVector3d::kXAxis,
                                  ZkGeVector3d::kZAxis);
        sketch->coordinateSystem(placement);
    }
    void listPointsAndHandles() {
        const StrongRef<Entity> parent(sketch);
        StrongRef<PointUses> list = PointUses::make(parent);
        list->add(p00);
        list->insert(0, p10);
        StrongRef<TangentUses> tangents = TangentUses::make(parent);
        tangents->insert(1, TangentHandle::make(parent, at(5, 5), at(6, 5)));
        tangents->rearrangeIndex(0, false);
        keep.push_back(StrongRef<Entity>(list));
        keep.push_back(StrongRef<Entity>(tangents));
    }

    // The edits a session makes, each its own transaction.
    std::vector<Step> steps() {
        return {
            Step("first sketch", [&] { sketch = Sketch::make(doc.sketches, L""); }),
            Step("second sketch", [&] { other = Sketch::make(doc.sketches, L"Sketch1"); }),
            Step("placement", [&] { place(); }),
            Step("points", [&] { makePoints(); }),
            Step("lines on shared points",
                 [&] {
                     l1 = Line3D::make(StrongRef<Entity>(sketch), at(0, 0), at(1, 0));
                     l2 = Line3D::make(StrongRef<Entity>(sketch), at(1, 0), at(1, 1));
                 }),
            Step("group",
                 [&] {
                     group = GeometryGroup3D::make(PassiveRef<Entity>(sketch));
                     Point3D::make(StrongRef<Entity>(group), ZkGePoint3d(3, 3, 3));
                 }),
            Step("group colour", [&] { group->lineColor(Color(1, 0, 0, 1)); }),
            Step("rename", [&] { sketch->userName(L"Profile"); }),
            Step("rename to a taken name", [&] { other->onRename(L"Profile"); }),
            Step("move a point", [&] { p11->translate(ZkGeVector3d(0, 1, 0)); }),
            Step("fix a point", [&] { p00->fixed(true); }),
            Step("hide a sketch", [&] { other->visible(false); }),
            Step("hide all", [&] { doc.sketches->isVisible(false); }),
            Step("point list and handle", [&] { listPointsAndHandles(); }),
            Step("curve use dropped", [&] { p11->removeCurveUse(PassiveRef<Curve3D>(l2)); }),
            Step("unused point removed", [&] { loose->removeIfNoUse(); }),
            Step("reorder", [&] { doc.sketches->moveChild(other.get(), 0); }),
            Step("third sketch", [&] { Sketch::make(doc.sketches, L""); }),
            Step("delete a sketch", [&] { doc.sketches->removeChild(StrongRef<Entity>(other)); }),
            Step("fourth sketch", [&] { Sketch::make(doc.sketches, L""); }),
        };
    }

    SketchModelDocument doc;
    StrongRef<Sketch> sketch, other;
    StrongRef<GeometryGroup3D> group;
    StrongRef<Point3D> p00, p10, p11, loose;
    StrongRef<Line3D> l1, l2;
    std::vector<StrongRef<Entity>> keep;
};

TEST_F(SketchRoundTripTest, EveryStepUndoesAndRedoesExactly) {
    doc.expectStepsUndoAndRedo(steps());
    EXPECT_EQ(doc.sketches->sketch(1)->userName(), L"Sketch3");
    EXPECT_EQ(doc.sketches->sketch(2)->userName(), L"Sketch4");
}

TEST_F(SketchRoundTripTest, SavedSketchesComeBackAndCarryOn) {
    for (const Step& step : steps())
        doc.transact(step.edit);
    std::unique_ptr<Asset> opened = doc.saveAndOpen();
    EXPECT_EQ(describeModel(*opened), describeModel(doc.asset));

    StrongRef<Sketches> sketches = sketchesOf(*opened);
    ASSERT_TRUE(sketches);
    StrongRef<Sketch> profile = sketches->sketch(0);
    ASSERT_EQ(profile->userName(), L"Profile");
    opened->beginTransaction("after opening");
    const StrongRef<Entity> parent(profile);
    StrongRef<Point3D> shared = Point3D::findOrMake(parent, ZkGePoint3d(1, 0, 0));
    EXPECT_EQ(shared->curveUses()->geometriesCount(), 2u) << "the loaded corner, with its lines";
    const size_t children = profile->childCount();
    Point3D::findOrMake(parent, ZkGePoint3d(1, 2, 0));
    EXPECT_EQ(profile->childCount(), children) << "the moved point is found where it went";
    EXPECT_EQ(Sketch::make(sketches, L"")->userName(), L"Sketch5") << "numbering goes on";
    opened->commitTransaction();
    shared.reset();
    profile.reset();
    sketches.reset();
}

} // namespace
} // namespace Kv::Geometry::SketchTests
