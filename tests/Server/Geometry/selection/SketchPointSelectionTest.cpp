// Picked sketch points, and the selections of whole sketches and of the
// sketch collection.

#include "../sketch3d/SketchModelDocument.h"
#include "SelectionTestSupport.h"

#include "Geometry/selection/SketchPointSelection.h"
#include "Geometry/selection/SketchSelection.h"
#include "Geometry/selection/SketchesSelection.h"
#include "Geometry/sketch3d/Point3D.h"
#include "Kv/Measure/IMeasurablePoint.h"

#include <gtest/gtest.h>

namespace Kv::Geometry::SelectionTests {
namespace {

using SketchTests::SketchModelDocument;

TEST(SketchPointSelection, OffersThePositionInSketchAndModelSpace) {
    SketchModelDocument doc;
    StrongRef<Sketch> sketch = doc.newSketch();
    StrongRef<Point3D> point;
    doc.transact([&] {
        placeSketch(sketch);
        point = Point3D::make(sketch, ZkGePoint3d(1, 2, 3));
    });
    StrongRef<SketchPointSelection> selection = pick<SketchPointSelection>(point.get());
    ASSERT_TRUE(selection);
    EXPECT_EQ(selection->point().get(), point.get());
    EXPECT_EQ(selection->userName(), L"Sketch Point");

    ZkGePoint3d position;
    ASSERT_TRUE(selection->providesPoint(position));
    EXPECT_EQ(position, ZkGePoint3d(1, 2, 3)) << "in the sketch's own coordinates";
    ASSERT_TRUE(selection->hitPoint(position));
    EXPECT_TRUE(position.isEqualTo(ZkGePoint3d(-2, 1, 8)));
    EXPECT_TRUE(selection->modelTransform().isEqualTo(sketch->coordinateSystem()->transform()));

    // The measurable point is copied into model space.
    std::unique_ptr<Measurable> measurable = selection->makeMeasurable();
    auto* measured = queryInterface<IMeasurablePoint>(measurable.get());
    ASSERT_TRUE(measured && measured->point());
    EXPECT_TRUE(measured->point()->isEqualTo(ZkGePoint3d(-2, 1, 8)));
    doc.transact([&] { point->point(ZkGePoint3d(0, 0, 0)); });
    EXPECT_TRUE(measured->point()->isEqualTo(ZkGePoint3d(-2, 1, 8))) << "edits do not reach it";
}

TEST(SketchPointSelection, ADeletedPointOffersNothing) {
    SketchModelDocument doc;
    StrongRef<Sketch> sketch = doc.newSketch();
    StrongRef<Point3D> point;
    doc.transact([&] { point = Point3D::make(sketch, ZkGePoint3d(1, 2, 3)); });
    StrongRef<SketchPointSelection> selection = pick<SketchPointSelection>(point.get());
    doc.transact([&] { sketch->remove(StrongRef<GeometryBase3D>(point)); });

    EXPECT_FALSE(selection->point());
    ZkGePoint3d position(9, 9, 9);
    EXPECT_FALSE(selection->providesPoint(position));
    EXPECT_FALSE(selection->hitPoint(position));
    EXPECT_EQ(position, ZkGePoint3d(9, 9, 9));
    EXPECT_FALSE(selection->makeMeasurable());
}

TEST(SketchesSelection, TheCollectionAnswersForItselfAndForSketchesBelowIt) {
    SketchModelDocument doc;
    StrongRef<Sketch> sketch = doc.newSketch();
    StrongRef<SketchesSelection> selection = pick<SketchesSelection>(doc.sketches.get());
    ASSERT_TRUE(selection);
    EXPECT_EQ(selection->sketches().get(), doc.sketches.get());
    EXPECT_EQ(selection->userName(), L"Sketches");

    // A sketch is no selection source of its own: a pick of it is cut back.
    auto* source = queryInterface<ILogicalSelectionSource>(doc.sketches.get());
    StrongRef<LogicalSelection> below =
        source->onCreateLogicalSelection(ObjectPath::toEntity(sketch.get()));
    ASSERT_TRUE(queryInterface<SketchesSelection>(below.get()));
    EXPECT_EQ(below->path(), ObjectPath::toEntity(doc.sketches.get()));
}

TEST(SketchSelection, NamesItsSketchWhileTheSketchLives) {
    SketchModelDocument doc;
    StrongRef<Sketch> sketch = doc.newSketch();
    StrongRef<SketchSelection> selection =
        SketchSelection::make(ObjectPath::toEntity(sketch.get()), sketch);
    EXPECT_EQ(selection->sketch().get(), sketch.get());
    EXPECT_EQ(selection->userName(), L"Sketch");
    EXPECT_FALSE(SketchSelection::make(ObjectPath::toEntity(doc.sketches.get()), {})->sketch());

    doc.transact([&] { doc.sketches->removeChild(StrongRef<Entity>(sketch)); });
    EXPECT_FALSE(selection->sketch());
    EXPECT_FALSE(selection->isValid());
}

} // namespace
} // namespace Kv::Geometry::SelectionTests
