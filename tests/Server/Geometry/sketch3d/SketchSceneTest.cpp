// What sketches and their points put into the scene: the collection's and
// each sketch's group nodes, the sketch's placement and visibility, and the
// point's screen-sized image, hidden while its curves show it.

#include "../curves3d/SketchTestDocument.h"

#include "Geometry/sketch3d/CoordinateSystem.h"
#include "Geometry/sketch3d/GeometryGroup3D.h"
#include "Kv/Base/Resources.h"
#include "Kv/Scene/ImageResource.h"
#include "Kv/Scene/SceneManager.h"
#include "Wyn/Graphics/GeometryNode.h"
#include "Wyn/Graphics/GroupNode.h"

#include <gtest/gtest.h>

namespace Kv::Geometry::Tests {
namespace {

using Wyn::Graphics::ARenderNode;
using Wyn::Graphics::Attribute;
using Wyn::Graphics::AttributeType;

class SketchSceneTest : public ::testing::Test {
protected:
    Scene::SceneManager& scene() { return doc.asset.sceneManager(); }

    SketchTestDocument doc;
    const StrongRef<Sketch>& sketch = doc.sketch;
    const StrongRef<Entity>& parent = doc.parent;
};

TEST_F(SketchSceneTest, CollectionHoldsTheSketchNodesBelowTheRoot) {
    StrongRef<Sketch> second = doc.newSketch();
    doc.realize();
    ARenderNode* collection = doc.sketches->sceneNode();
    ASSERT_NE(collection, nullptr);
    EXPECT_EQ(collection->parent(), scene().rootNode());
    ASSERT_NE(sketch->groupNode(), nullptr);
    EXPECT_EQ(sketch->groupNode()->parent(), collection);
    EXPECT_EQ(second->groupNode()->parent(), collection);
    EXPECT_EQ(sketch->groupNode()->clientType(), 0x10000u);
    EXPECT_EQ(Scene::INodeSource::fromNode(sketch->groupNode()),
              static_cast<Scene::INodeSource*>(sketch.get()));

    doc.transact([&] { doc.sketches->removeChild(StrongRef<Entity>(second)); });
    EXPECT_EQ(second->groupNode(), nullptr) << "a deleted sketch leaves the scene";
    EXPECT_EQ(collection->children().size(), 1u);
}

TEST_F(SketchSceneTest, GroupNodeCarriesThePlacement) {
    doc.transact([&] {
        StrongRef<CoordinateSystem> placement = CoordinateSystem::make(parent);
        placement->origin(ZkGePoint3d(1, 2, 3));
        sketch->coordinateSystem(placement);
    });
    doc.realize();
    EXPECT_EQ(sketch->groupNode()->transform(), ZkGeMatrix3d::translation(ZkGeVector3d(1, 2, 3)));
    doc.transact([&] { sketch->coordinateSystem()->origin(ZkGePoint3d(0, 0, 7)); });
    EXPECT_EQ(sketch->groupNode()->transform(), ZkGeMatrix3d::translation(ZkGeVector3d(0, 0, 7)))
        << "moving the placement moves the node";
    ASSERT_TRUE(doc.asset.undo());
    EXPECT_EQ(sketch->groupNode()->transform(), ZkGeMatrix3d::translation(ZkGeVector3d(1, 2, 3)));
}

TEST_F(SketchSceneTest, HiddenCollectionHidesASketchThatShowsItself) {
    doc.realize();
    Wyn::Graphics::GroupNode* node = sketch->groupNode();
    EXPECT_FALSE(hidden(node));
    doc.transact([&] { sketch->visible(false); });
    EXPECT_TRUE(hidden(node));
    doc.transact([&] { doc.sketches->isVisible(false); });
    EXPECT_TRUE(hidden(node));

    doc.asset.beginTransaction("show");
    sketch->visible(true);
    EXPECT_FALSE(hidden(node)) << "the node follows at once";
    doc.asset.commitTransaction();
    EXPECT_TRUE(hidden(node)) << "the next appearance pass consults the collection";
    doc.transact([&] { doc.sketches->isVisible(true); });
    EXPECT_FALSE(hidden(node));
}

TEST_F(SketchSceneTest, PointIsAScreenSizedImageAtItsPosition) {
    StrongRef<Point3D> point;
    doc.transact([&] { point = Point3D::make(parent, ZkGePoint3d(1, 2, 3)); });
    ARenderNode* node = point->sceneNode();
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(node->parent(), sketch->groupNode());
    EXPECT_EQ(node->transform(), ZkGeMatrix3d::translation(ZkGeVector3d(1, 2, 3)));
    const Attribute* scale = attribute(node, AttributeType::PixelScale);
    ASSERT_NE(scale, nullptr);
    EXPECT_EQ(scale->scale(), 1.0);
    EXPECT_EQ(scale->factor(), 2.0);
    ASSERT_NE(attribute(node, AttributeType::DepthPriority), nullptr);
    EXPECT_EQ(attribute(node, AttributeType::DepthPriority)->priority(), 10);

    auto* geometry = dynamic_cast<Wyn::Graphics::GeometryNode*>(node);
    ASSERT_NE(geometry, nullptr);
    int w = 0, h = 0;
    Resources::PointImage()->size(w, h);
    const Wyn::Objects::Mesh& mesh = geometry->mesh();
    EXPECT_EQ(mesh.indices(), (std::vector<unsigned>{0, 1, 2, 2, 3, 0}));
    ASSERT_EQ(mesh.positions().size(), 4u);
    EXPECT_EQ(mesh.positions()[0].x, -float(w));
    EXPECT_EQ(mesh.positions()[0].y, -float(h));
    EXPECT_EQ(mesh.positions()[2].x, float(w));
    EXPECT_EQ(mesh.positions()[2].y, float(h));
    EXPECT_EQ(mesh.positions()[2].z, 0.0f);

    const Attribute* image = attribute(node, AttributeType::OccludedEffect);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->imageName(), Resources::PointImage()->localPath());
    ASSERT_NE(attribute(node, AttributeType::Selectability), nullptr);
    EXPECT_TRUE(attribute(node, AttributeType::Selectability)->isSelectable());
    EXPECT_EQ(attribute(node, AttributeType::Selectability)->selectionKind(), 2);
    EXPECT_FALSE(hidden(node));

    doc.transact([&] { point->translate(ZkGeVector3d(1, 0, 0)); });
    EXPECT_EQ(node->transform(), ZkGeMatrix3d::translation(ZkGeVector3d(2, 2, 3)));
    doc.transact([&] { point->fixed(true); });
    EXPECT_EQ(attribute(node, AttributeType::OccludedEffect)->imageName(),
              Resources::FixedPointImage()->localPath());
    doc.transact([&] { point->isVisible(false); });
    EXPECT_TRUE(hidden(node));
}

TEST_F(SketchSceneTest, SharedEndOfCurvesIsHiddenButPickable) {
    StrongRef<Point3D> a, b, c, centre;
    doc.transact([&] {
        a = Point3D::findOrMake(parent, ZkGePoint3d(0, 0, 0));
        b = Point3D::findOrMake(parent, ZkGePoint3d(1, 0, 0));
        c = Point3D::findOrMake(parent, ZkGePoint3d(1, 1, 0));
        Line3D::make(parent, a, b);
        Line3D::make(parent, b, c);
    });
    for (const StrongRef<Point3D>& end : {a, b, c}) {
        ARenderNode* node = end->sceneNode();
        EXPECT_TRUE(hidden(node));
        ASSERT_NE(attribute(node, AttributeType::Selectability), nullptr);
        EXPECT_TRUE(attribute(node, AttributeType::Selectability)->isSelectable());
    }

    doc.transact([&] { b->fixed(true); });
    EXPECT_FALSE(hidden(b->sceneNode())) << "a fixed point always shows";
    EXPECT_EQ(attribute(b->sceneNode(), AttributeType::OccludedEffect)->imageName(),
              Resources::FixedPointImage()->localPath());

    // A point some curve uses otherwise than as an end shows itself.
    doc.transact([&] {
        centre = Point3D::findOrMake(parent, ZkGePoint3d(5, 5, 5));
        StrongRef<Line3D> other = Line3D::make(parent, a, c);
        centre->addCurveUse(PassiveRef<Curve3D>(other));
    });
    EXPECT_FALSE(hidden(centre->sceneNode()));
}

TEST_F(SketchSceneTest, GroupsGatherTheirChildren) {
    StrongRef<GeometryGroup3D> group;
    StrongRef<Point3D> inside;
    doc.transact([&] {
        group = GeometryGroup3D::make(PassiveRef<Entity>(sketch));
        inside = Point3D::make(StrongRef<Entity>(group), ZkGePoint3d(0, 0, 0));
    });
    ASSERT_NE(group->groupNode(), nullptr);
    EXPECT_EQ(group->groupNode()->parent(), sketch->groupNode());
    EXPECT_EQ(inside->sceneNode()->parent(), group->groupNode());
    ASSERT_TRUE(doc.asset.undo());
    EXPECT_EQ(group->groupNode()->parent(), nullptr) << "undone: out of the sketch's node";
}

TEST_F(SketchSceneTest, OpenedDocumentIsDrawn) {
    doc.transact([&] {
        Point3D::make(parent, ZkGePoint3d(1, 1, 1));
        doc.sketches->isVisible(false);
    });
    std::unique_ptr<Asset> opened = doc.saveAndOpen();
    StrongRef<Sketches> sketches = SketchTests::sketchesOf(*opened);
    Scene::SceneManager& scene = opened->sceneManager();
    scene.rootNode();
    ASSERT_NE(sketches->sceneNode(), nullptr);
    EXPECT_EQ(sketches->sceneNode()->parent(), scene.rootNode());
    StrongRef<Sketch> loaded = sketches->sketch(0);
    ASSERT_NE(loaded->groupNode(), nullptr);
    EXPECT_TRUE(hidden(loaded->groupNode())) << "the collection was saved hidden";
    ASSERT_EQ(loaded->groupNode()->children().size(), 1u);
    loaded.reset();
    sketches.reset();
}

} // namespace
} // namespace Kv::Geometry::Tests
