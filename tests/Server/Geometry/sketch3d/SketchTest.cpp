// The sketch: naming and renaming, visibility, placement and the ray test,
// content queries, reordering and pasting, creation and deletion; and the
// coordinate system that places it.

#include "SketchModelDocument.h"
#include "TestPasteComponent.h"

#include "Geometry/curves3d/Line3D.h"
#include "Geometry/sketch3d/CoordinateSystem.h"
#include "Geometry/sketch3d/GeometryGroup3D.h"
#include "Geometry/sketch3d/Point3D.h"
#include "Kv/CommonData/IComponentTraversalContext.h"
#include "Kv/DataModel/DataChange.h"
#include "Kv/DataModel/Onk.h"
#include "Kv/DataModel/Transaction.h"
#include "Wyn/Objects/BBox.h"
#include "ZkGeRay3d.h"

#include <gtest/gtest.h>

#include <cmath>

namespace Kv::Geometry::SketchTests {
namespace {

constexpr double kPi = 3.14159265358979323846;

class Context : public CommonData::IComponentTraversalContext {
public:
    explicit Context(bool answer)
        : m_answer(answer) {}
    bool query(int what) override {
        asked.push_back(what);
        return m_answer;
    }
    std::vector<int> asked;

private:
    bool m_answer;
};

// A sketch turned a quarter about x and moved: its XY plane is the world's
// plane y = 0 shifted to (1, 2, 3).
StrongRef<CoordinateSystem> tiltedPlacement(const StrongRef<Sketch>& sketch) {
    StrongRef<CoordinateSystem> placement = CoordinateSystem::make(StrongRef<Entity>(sketch));
    placement->setCoordSystem(ZkGePoint3d(1, 2, 3), ZkGeVector3d(1, 0, 0), ZkGeVector3d(0, 0, 1),
                              ZkGeVector3d(0, -1, 0));
    sketch->coordinateSystem(placement);
    return placement;
}

// ---- naming

TEST(SketchNaming, DefaultNameIsTheKeysRepresentationAndTheText) {
    SketchModelDocument doc;
    doc.newSketch();
    StrongRef<Sketch> sketch = doc.newSketch();
    Onk key;
    ASSERT_TRUE(sketch->getOnk(key));
    EXPECT_EQ(key, Onk(L"Sketch", L"Sketch2"));
    const std::wstring text = sketch->toString();
    EXPECT_EQ(text.rfind(L"Sketch Sketch2 (Base CommonBaseGroupEntity ", 0), 0u) << text;
    EXPECT_EQ(text.back(), L')');
}

TEST(SketchNaming, NameOfASiblingBecomesTheHostsUniqueVariantAndTheSameNameRecordsNothing) {
    SketchModelDocument doc;
    doc.newSketch();
    StrongRef<Sketch> second = doc.newSketch(L"Profile");
    EXPECT_TRUE(second->isUniqueName(L"Profile")) << "its own name";
    EXPECT_FALSE(second->isUniqueName(L"Sketch1"));
    EXPECT_TRUE(second->isUniqueName(L"sketch1"));
    ChangeRecorder recorder({second.get()});
    doc.asset.beginTransaction("rename");
    second->userName(L"Profile");
    EXPECT_TRUE(doc.asset.currentTransaction()->empty());
    doc.asset.commitTransaction();
    EXPECT_TRUE(recorder.changes().empty());

    doc.transact([&] { EXPECT_TRUE(second->onRename(L"Sketch1")); });
    EXPECT_EQ(second->userName(), L"Sketch1 (1)");
    ASSERT_EQ(recorder.changes().size(), 1u);
    EXPECT_EQ(recorder.changes()[0].changeType, unsigned(kChangeName));
    EXPECT_EQ(recorder.changes()[0].kind, kTransactDo);
    EXPECT_EQ(second->getUniqueName(L"Sketch1"), L"Sketch1 (1)") << "its own name is no clash";
    EXPECT_EQ(doc.sketches->sketch(0)->getUniqueName(L"Sketch1 (1)"), L"Sketch1 (1) (1)");
    doc.transact([&] { second->userName(L"sketch1"); });
    EXPECT_EQ(second->userName(), L"sketch1") << "names differing in case are different";
}

// ---- visibility

TEST(SketchVisibility, TraversalContextCanHideASketchAndOnlyChangesAreRecorded) {
    SketchModelDocument doc;
    StrongRef<Sketch> sketch = doc.newSketch();
    Context hiding(true), passing(false);
    EXPECT_FALSE(sketch->isVisible(&hiding));
    EXPECT_EQ(hiding.asked, std::vector<int>{0});
    EXPECT_TRUE(sketch->isVisible(&passing));
    EXPECT_TRUE(sketch->isVisible(nullptr));
    ChangeRecorder recorder({sketch.get()});
    doc.transact([&] { sketch->visible(true); });
    EXPECT_TRUE(recorder.changes().empty());
    doc.transact([&] { EXPECT_TRUE(sketch->toggleVisibility(ObjectPath())); });
    EXPECT_FALSE(sketch->isOwnVisible());
    EXPECT_FALSE(sketch->isVisible(&passing));
    ASSERT_EQ(recorder.changes().size(), 1u);
    EXPECT_EQ(recorder.changes()[0].changeType, unsigned(kChangeAppearance));
}

// ---- placement

TEST(SketchPlacement, CoordinateSystemIsAChangeOfGeometry) {
    SketchModelDocument doc;
    StrongRef<Sketch> sketch = doc.newSketch();
    ChangeRecorder recorder({sketch.get()});
    StrongRef<CoordinateSystem> placement;
    doc.transact([&] { placement = tiltedPlacement(sketch); });
    EXPECT_EQ(placement->sketch().get(), sketch.get());
    ASSERT_EQ(recorder.changes().size(), 1u);
    EXPECT_EQ(recorder.changes()[0].changeType, unsigned(kChangeGeometry));
}

TEST(SketchPlacement, ExtractedTransformIsThePlacementBelowTheFirstElement) {
    SketchModelDocument doc;
    StrongRef<Sketch> sketch = doc.newSketch();
    StrongRef<CoordinateSystem> placement = tiltedPlacement(sketch);
    StrongRef<Point3D> point = Point3D::make(StrongRef<Entity>(sketch), ZkGePoint3d(1, 1, 0));
    const ObjectPath path = ObjectPath::toEntity(point.get());
    ASSERT_EQ(path.size(), 4u);
    ZkGeMatrix3d transform;
    ObjectPath rest;
    EXPECT_TRUE(sketch->onExtractTransform(path, transform, rest));
    EXPECT_EQ(transform, placement->transform());
    ASSERT_EQ(rest.size(), 3u);
    EXPECT_EQ(rest.root(), doc.sketches.get());
    EXPECT_EQ(rest.leaf(), point.get());
}

TEST(SketchPlacement, RayMeetsThePlaneInSketchCoordinates) {
    SketchModelDocument doc;
    StrongRef<Sketch> sketch = doc.newSketch();
    tiltedPlacement(sketch);
    ZkGePoint3d hit;
    // Along the sketch's z axis (world -y) through its origin.
    ASSERT_TRUE(
        sketch->intersectWith(ZkGeRay3d(ZkGePoint3d(1, 10, 3), ZkGeVector3d(0, -1, 0)), hit));
    EXPECT_TRUE(hit.isEqualTo(ZkGePoint3d(0, 0, 0)));
    // Through the world point (3, 2, 7), which is (2, 4, 0) in the sketch.
    ASSERT_TRUE(
        sketch->intersectWith(ZkGeRay3d(ZkGePoint3d(3, -5, 7), ZkGeVector3d(0, 1, 0)), hit));
    EXPECT_TRUE(hit.isEqualTo(ZkGePoint3d(2, 4, 0)));
    EXPECT_FALSE(sketch->intersectWith(ZkGeRay3d(ZkGePoint3d(0, 2, 0), ZkGeVector3d(1, 0, 1)), hit))
        << "along the plane";
    EXPECT_FALSE(
        sketch->intersectWith(ZkGeRay3d(ZkGePoint3d(1, 10, 3), ZkGeVector3d(0, 1, 0)), hit))
        << "pointing away from it";
}

// ---- content

TEST(SketchContent, ListsItsGeometryByKindInChildOrder) {
    SketchModelDocument doc;
    StrongRef<Sketch> sketch = doc.newSketch();
    const StrongRef<Entity> parent(sketch);
    StrongRef<Point3D> a = Point3D::make(parent, ZkGePoint3d(0, 0, 0));
    StrongRef<Point3D> b = Point3D::make(parent, ZkGePoint3d(1, 0, 0));
    StrongRef<Line3D> line = Line3D::make(parent, a, b);
    StrongRef<GeometryGroup3D> group = GeometryGroup3D::make(PassiveRef<Entity>(sketch));
    StrongRef<Point3D> grouped = Point3D::make(StrongRef<Entity>(group), ZkGePoint3d(5, 5, 5));

    const std::vector<PassiveRef<Point3D>> points = sketch->points();
    ASSERT_EQ(points.size(), 2u) << "the group's point is not the sketch's";
    EXPECT_EQ(points[0].getTarget(), a.get());
    EXPECT_EQ(points[1].getTarget(), b.get());
    ASSERT_EQ(sketch->curves().size(), 1u);
    EXPECT_EQ(sketch->curves()[0].getTarget(), line.get());
    EXPECT_TRUE(sketch->texts().empty());
    EXPECT_EQ(sketch->geometry(2).get(), line.get());
    EXPECT_EQ(sketch->geometry(3).get(), group.get());
    EXPECT_FALSE(sketch->geometry(4));
    sketch->remove(StrongRef<GeometryBase3D>(group));
    EXPECT_EQ(sketch->childCount(), 3u);
}

TEST(SketchContent, PointLookupTakesTheFirstPointWithinTheTolerance) {
    SketchModelDocument doc;
    StrongRef<Sketch> sketch = doc.newSketch();
    const ZkGeTol loose(0.1, 1e-12);
    EXPECT_FALSE(sketch->getSketchPointForPosition(ZkGePoint3d(0, 0, 0), loose)) << "no points";
    const StrongRef<Entity> parent(sketch);
    StrongRef<Point3D> far = Point3D::make(parent, ZkGePoint3d(1, 0, 0));
    StrongRef<Point3D> near = Point3D::make(parent, ZkGePoint3d(0.05, 0, 0));
    StrongRef<Point3D> nearer = Point3D::make(parent, ZkGePoint3d(0.01, 0, 0));
    EXPECT_EQ(sketch->getSketchPointForPosition(ZkGePoint3d(0, 0, 0), loose).get(), near.get());
    EXPECT_EQ(
        sketch->getSketchPointForPosition(ZkGePoint3d(0.009, 0, 0), ZkGeTol(0.005, 1e-12)).get(),
        nearer.get());
    EXPECT_FALSE(sketch->getSketchPointForPosition(ZkGePoint3d(0.5, 0, 0), loose));
}

TEST(SketchContent, BoxSpansCurvesButNotLonePoints) {
    SketchModelDocument doc;
    StrongRef<Sketch> sketch = doc.newSketch();
    Wyn::Objects::BBox box(ZkGePoint3d(7, 7, 7), ZkGePoint3d(8, 8, 8));
    sketch->getBoundingBox(box);
    EXPECT_EQ(box.minPoint(), ZkGePoint3d::kOrigin) << "an empty sketch";
    EXPECT_EQ(box.maxPoint(), ZkGePoint3d::kOrigin);

    const StrongRef<Entity> parent(sketch);
    Point3D::make(parent, ZkGePoint3d(-50, -50, -50));
    sketch->getBoundingBox(box);
    EXPECT_EQ(box.maxPoint(), ZkGePoint3d::kOrigin) << "points alone do not count";

    Line3D::make(parent, Point3D::findOrMake(parent, ZkGePoint3d(1, 2, 3)),
                 Point3D::findOrMake(parent, ZkGePoint3d(4, -1, 3)));
    Line3D::make(parent, Point3D::findOrMake(parent, ZkGePoint3d(2, 5, 0)),
                 Point3D::findOrMake(parent, ZkGePoint3d(3, 0, 1)));
    sketch->getBoundingBox(box);
    EXPECT_EQ(box.minPoint(), ZkGePoint3d(1, -1, 0));
    EXPECT_EQ(box.maxPoint(), ZkGePoint3d(4, 5, 3));
}

// ---- reorder and paste

TEST(SketchPaste, OnlySiblingsReorderAndNeverOntoThemselves) {
    SketchModelDocument doc;
    StrongRef<Sketch> first = doc.newSketch();
    StrongRef<Sketch> second = doc.newSketch();
    SketchModelDocument other;
    StrongRef<Sketch> stranger = other.newSketch();
    const ObjectPath firstPath = ObjectPath::toEntity(first.get());
    const ObjectPath secondPath = ObjectPath::toEntity(second.get());
    const ObjectPath strangerPath = ObjectPath::toEntity(stranger.get());

    EXPECT_TRUE(first->onCanReorder({secondPath}, firstPath));
    EXPECT_FALSE(first->onCanReorder({secondPath}, secondPath));
    EXPECT_FALSE(first->onCanReorder({strangerPath}, firstPath));
    EXPECT_FALSE(first->onCanReorder({}, firstPath));
    EXPECT_FALSE(first->onCanReorder({firstPath, secondPath}, firstPath))
        << "the first path decides";
    EXPECT_TRUE(first->onCanReorder({strangerPath, secondPath}, firstPath));
    EXPECT_TRUE(first->onCanReorder(firstPath)) << "a sketch can move among its siblings";
    EXPECT_TRUE(first->onCanCopy(firstPath));
    EXPECT_TRUE(first->onCanCut(firstPath));
}

TEST(SketchPaste, WithoutACollectionNothingIsForwardedNumberedOrClashing) {
    Asset asset;
    StrongRef<Sketch> lone = Sketch::make(asset.createSegment(), L"Lone");
    EXPECT_TRUE(lone->isUniqueName(L"Anything"));
    EXPECT_EQ(lone->creationIndex(), Sketch::kUnsetIndex);
    EXPECT_EQ(lone->onProvidePasteRequest({}, ObjectPath(), false, false, false), nullptr);
    EXPECT_FALSE(lone->onCanPaste({}, ObjectPath(), false, false));
    lone.reset();
    asset.clear();
}

// ---- creation and deletion

TEST(SketchLifecycle, DeletionReleasesThePlacementAndUndoBringsItBack) {
    SketchModelDocument doc;
    StrongRef<Sketch> sketch = doc.newSketch();
    doc.transact([&] { tiltedPlacement(sketch); });
    const std::string before = describeModel(doc.asset);
    doc.transact([&] { doc.sketches->removeChild(StrongRef<Entity>(sketch)); });
    EXPECT_FALSE(sketch->coordinateSystem());
    ASSERT_TRUE(doc.asset.undo());
    EXPECT_EQ(describeModel(doc.asset), before);
}

TEST(SketchLifecycle, SketchCanTakeANewNumber) {
    SketchModelDocument doc;
    StrongRef<Sketch> sketch = doc.newSketch();
    doc.newSketch();
    ChangeRecorder recorder({sketch.get()});
    doc.transact([&] { sketch->updateSketchID(); });
    EXPECT_EQ(sketch->creationIndex(), 3u);
    EXPECT_EQ(sketch->userName(), L"Sketch3");
    ASSERT_EQ(recorder.changes().size(), 1u);
    EXPECT_EQ(recorder.changes()[0].changeType, unsigned(kChangeAppearance));
    ASSERT_TRUE(doc.asset.undo());
    EXPECT_EQ(sketch->userName(), L"Sketch1");
    EXPECT_EQ(doc.sketches->highWaterMark(), 2u);
}

TEST(SketchLifecycle, SketchLetsGoOfAClientAboutToBeDeleted) {
    SketchModelDocument doc;
    StrongRef<Sketch> sketch = doc.newSketch();
    StrongRef<Sketch> other = doc.newSketch();
    StrongRef<Point3D> client;
    doc.transact([&] { client = Point3D::make(other, ZkGePoint3d(1, 0, 0)); });
    sketch->clientObject(client.get());
    EXPECT_EQ(sketch->clientObject(), client.get());

    doc.transact([&] { other->remove(StrongRef<GeometryBase3D>(client)); });
    EXPECT_EQ(sketch->clientObject(), nullptr);
    ASSERT_TRUE(doc.asset.undo());
    EXPECT_EQ(sketch->clientObject(), nullptr) << "the binding is not part of the document";

    // A sketch that goes first leaves nothing behind in its client's observers.
    {
        StrongRef<Sketch> shortLived = doc.newSketch();
        shortLived->clientObject(client.get());
        doc.transact([&] { doc.sketches->removeChild(StrongRef<Entity>(shortLived)); });
        doc.asset.undoStack().clear();
    }
    doc.transact([&] { other->remove(StrongRef<GeometryBase3D>(client)); });
}

// ---- coordinate system

TEST(CoordinateSystem, SettingTheOriginLosesTheRotationAndAxesAreWrittenAsGiven) {
    SketchModelDocument doc;
    StrongRef<Sketch> sketch = doc.newSketch();
    StrongRef<CoordinateSystem> placement = tiltedPlacement(sketch);
    ZkGePoint3d origin;
    ZkGeVector3d x, y, z;
    placement->coordSystem(origin, x, y, z);
    EXPECT_EQ(origin, ZkGePoint3d(1, 2, 3));
    EXPECT_EQ(y, ZkGeVector3d(0, 0, 1));
    EXPECT_EQ(z, ZkGeVector3d(0, -1, 0));
    StrongRef<CoordinateSystem> copy = CoordinateSystem::make(StrongRef<Entity>(sketch));
    copy->alignWithOtherCoordSystem(placement);
    EXPECT_EQ(copy->transform(), placement->transform());

    placement->origin(ZkGePoint3d(4, 5, 6));
    EXPECT_EQ(placement->transform(), ZkGeMatrix3d::translation(ZkGeVector3d(4, 5, 6)));
    placement->xAxis(ZkGeVector3d(2, 0, 0));
    placement->zAxis(ZkGeVector3d(0, 1, 1));
    EXPECT_EQ(placement->xAxis(), ZkGeVector3d(2, 0, 0)) << "not normalised";
    EXPECT_EQ(placement->zAxis(), ZkGeVector3d(0, 1, 1)) << "not squared up";
    EXPECT_EQ(placement->yAxis(), ZkGeVector3d::kYAxis);
    EXPECT_FALSE(CoordinateSystem::make(doc.segment)->sketch()) << "placing nothing";
}

TEST(CoordinateSystem, EverySetterIsAChangeOfGeometry) {
    SketchModelDocument doc;
    StrongRef<Sketch> sketch = doc.newSketch();
    StrongRef<CoordinateSystem> placement;
    doc.transact([&] { placement = tiltedPlacement(sketch); });
    ChangeRecorder recorder({placement.get()});
    doc.transact([&] {
        placement->origin(ZkGePoint3d(9, 9, 9));
        placement->xAxis(ZkGeVector3d(0, 1, 0));
        placement->yAxis(ZkGeVector3d(1, 0, 0));
        placement->zAxis(ZkGeVector3d(0, 0, -1));
        placement->transform(ZkGeMatrix3d::rotation(kPi / 3, ZkGeVector3d::kZAxis));
        placement->setCoordSystem(ZkGePoint3d(1, 1, 1), ZkGeVector3d::kXAxis, ZkGeVector3d::kYAxis,
                                  ZkGeVector3d::kZAxis);
    });
    ASSERT_EQ(recorder.changes().size(), 6u);
    for (const ChangeRecorder::Change& change : recorder.changes()) {
        EXPECT_EQ(change.changeType, unsigned(kChangeGeometry));
        EXPECT_EQ(change.kind, kTransactDo);
    }
}

} // namespace
} // namespace Kv::Geometry::SketchTests
