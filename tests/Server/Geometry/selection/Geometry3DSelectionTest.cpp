// Picking 3D geometry: which entity a picked path selects, and that the
// selection finds its entity again through the path alone.

#include "../sketch3d/SketchModelDocument.h"

#include "Geometry/selection/Geometry3DSelection.h"
#include "Geometry/sketch3d/CurveUses.h"
#include "Geometry/sketch3d/GeometryGroup3D.h"
#include "Geometry/sketch3d/Point3D.h"
#include "Kv/DataModel/ILogicalSelectionSource.h"

#include <gtest/gtest.h>

namespace Kv::Geometry::SketchTests {
namespace {

StrongRef<Geometry3DSelection> pick(GeometryBase3D& source, const ObjectPath& path) {
    StrongRef<LogicalSelection> made = source.onCreateLogicalSelection(path);
    return StrongRef<Geometry3DSelection>(queryInterface<Geometry3DSelection>(made.get()));
}

TEST(Geometry3DSelection, PickBelowTheEntityIsCutBackToIt) {
    SketchModelDocument doc;
    StrongRef<Sketch> sketch = doc.newSketch();
    StrongRef<Point3D> point;
    doc.transact([&] { point = Point3D::make(sketch, ZkGePoint3d(1, 2, 3)); });

    ObjectPath path = ObjectPath::toEntity(point.get());
    path.push(point->curveUses().get()); // the point's use list is no selection source
    StrongRef<Geometry3DSelection> selection = pick(*point, path);
    ASSERT_TRUE(selection);
    EXPECT_EQ(selection->path().leaf(), point.get());
    EXPECT_EQ(selection->geometry().get(), point.get());
    EXPECT_EQ(selection->userName(), L"Sketch Point") << "a point has a selection of its own";
}

TEST(Geometry3DSelection, GroupAboveAnotherSourceLeavesThePathWhole) {
    SketchModelDocument doc;
    StrongRef<Sketch> sketch = doc.newSketch();
    StrongRef<GeometryGroup3D> group;
    StrongRef<Point3D> point;
    doc.transact([&] {
        group = GeometryGroup3D::make(PassiveRef<Entity>(sketch));
        point = Point3D::make(group, ZkGePoint3d(0, 0, 1));
    });
    const ObjectPath path = ObjectPath::toEntity(point.get());
    EXPECT_FALSE(group->isFinalLogicalSelectionSource(path));
    EXPECT_TRUE(point->isFinalLogicalSelectionSource(path));

    StrongRef<Geometry3DSelection> selection = pick(*group, path);
    ASSERT_TRUE(selection);
    EXPECT_EQ(selection->path().leaf(), point.get()) << "the point answers for itself";
    EXPECT_EQ(pick(*group, ObjectPath::toEntity(group.get()))->userName(), L"")
        << "plain 3D geometry has no selection name";
    EXPECT_FALSE(group->isFinalLogicalSelectionSource(ObjectPath::toEntity(sketch.get())))
        << "a path that does not reach the group";
}

TEST(Geometry3DSelection, PreviewGeometryCannotBeSelected) {
    SketchModelDocument doc;
    StrongRef<Sketch> sketch = doc.newSketch();
    StrongRef<Point3D> point;
    doc.transact([&] {
        point = Point3D::make(sketch, ZkGePoint3d(1, 0, 0));
        point->drawForPreview(true);
    });
    EXPECT_FALSE(point->onCreateLogicalSelection(ObjectPath::toEntity(point.get())));
}

TEST(Geometry3DSelection, FindsItsEntityAgainAfterUndoAndRedo) {
    SketchModelDocument doc;
    StrongRef<Sketch> sketch = doc.newSketch();
    StrongRef<Point3D> point;
    doc.transact([&] { point = Point3D::make(sketch, ZkGePoint3d(4, 5, 6)); });
    StrongRef<Geometry3DSelection> selection = pick(*point, ObjectPath::toEntity(point.get()));
    ASSERT_TRUE(selection);
    Point3D* picked = point.get();
    point.reset();

    doc.transact([&] { sketch->remove(StrongRef<GeometryBase3D>(picked)); });
    ASSERT_TRUE(doc.asset.undo());
    EXPECT_EQ(selection->geometry().get(), picked);
    EXPECT_EQ(sketch->points().front().getTarget(), picked);

    // A leaf that is not 3D geometry selects nothing.
    ObjectPath sketchPath = ObjectPath::toEntity(sketch.get());
    EXPECT_FALSE(Geometry3DSelection::make(sketchPath, {})->geometry());
}

} // namespace
} // namespace Kv::Geometry::SketchTests
