// What work geometry puts into the scene: the collections' group nodes and
// their show/hide switches, the screen-sized work point image, the plane's
// shaded quad and the axis's centre line, in the active environment's colours.

#include "WorkGeometryTestDocument.h"

#include "Geometry/workgeometry/WorkAxis.h"
#include "Geometry/workgeometry/WorkPlane.h"
#include "Geometry/workgeometry/WorkPoint.h"
#include "Kv/Base/Resources.h"
#include "Kv/Scene/Environment.h"
#include "Kv/Scene/EnvironmentManager.h"
#include "Kv/Scene/ImageResource.h"
#include "Kv/Scene/SceneManager.h"
#include "Wyn/Graphics/Attribute.h"
#include "Wyn/Graphics/GeometryNode.h"
#include "Wyn/Graphics/GroupNode.h"

#include <gtest/gtest.h>

#include <string>

namespace Kv::Geometry::WorkGeometryTests {
namespace {

using Wyn::Graphics::ARenderNode;
using Wyn::Graphics::Attribute;
using Wyn::Graphics::AttributeType;

const Attribute* attribute(const ARenderNode* node, AttributeType type) {
    return node ? node->attributes().find(type) : nullptr;
}

bool hidden(const ARenderNode* node) {
    const Attribute* visibility = attribute(node, AttributeType::Visibility);
    return visibility && !visibility->isVisible();
}

const Wyn::Objects::Mesh& meshOf(const ARenderNode* node) {
    static const Wyn::Objects::Mesh none;
    auto* geometry = dynamic_cast<const Wyn::Graphics::GeometryNode*>(node);
    return geometry ? geometry->mesh() : none;
}

bool samePoint(const Wyn::Objects::Point3f& a, const ZkGePoint3d& b) {
    return ZkGePoint3d(a.x, a.y, a.z).isEqualTo(b);
}

// An environment with colours of its own, active while the guard lives.
class TestEnvironment {
public:
    TestEnvironment() {
        Scene::EnvironmentManager& manager = Scene::EnvironmentManager::getEnvManager();
        m_previous = manager.activeEnvironment()->name();
        Scene::Environment environment("WorkGeometryTest");
        environment.color("workPlaneColor", Scene::ArgbColor(0.5f, 0.1f, 0.2f, 0.3f));
        environment.color("workAxisColor", Scene::ArgbColor(1.0f, 0.0f, 0.0f, 0.5f));
        environment.color("originXAxisColor", Scene::ArgbColor(1.0f, 1.0f, 0.0f, 0.0f));
        environment.color("originYAxisColor", Scene::ArgbColor(1.0f, 0.0f, 1.0f, 0.0f));
        environment.color("originZAxisColor", Scene::ArgbColor(1.0f, 0.0f, 0.0f, 1.0f));
        manager.addEnvironment(environment);
        manager.activeEnvironment("WorkGeometryTest");
    }
    ~TestEnvironment() { Scene::EnvironmentManager::getEnvManager().activeEnvironment(m_previous); }

private:
    std::string m_previous;
};

class WorkGeometrySceneTest : public ::testing::Test {
protected:
    Scene::SceneManager& scene() { return doc.asset->sceneManager(); }
    // The scene as a view would draw it now.
    void realize() { scene().rootNode(); }
    template <class T> StrongRef<T> origin(const std::wstring& name) {
        for (unsigned int i = 0; i < doc.origin->originWorkGeometries(); ++i)
            if (doc.origin->originWorkGeometry(i)->userName() == name)
                return StrongRef<T>(
                    ::Kv::queryInterface<T>(doc.origin->originWorkGeometry(i).get()));
        return {};
    }

    TestEnvironment environment;
    WorkGeometryTestDocument doc;
};

// ---- collections

TEST_F(WorkGeometrySceneTest, CollectionsHoldTheirChildrenBelowTheRoot) {
    StrongRef<WorkPlane> plane = WorkPlane::make(doc.collection(), ZkGePlane::kXYPlane);
    realize();
    ARenderNode* work = doc.workGeometries->groupNode();
    ARenderNode* originSet = doc.origin->groupNode();
    ASSERT_NE(work, nullptr);
    ASSERT_NE(originSet, nullptr);
    EXPECT_EQ(work->parent(), scene().rootNode());
    EXPECT_EQ(work->clientType(), 0x1000000u);
    EXPECT_EQ(originSet->clientType(), 0x1000000u);
    ASSERT_NE(plane->sceneNode(), nullptr);
    EXPECT_EQ(plane->sceneNode()->parent(), work);
    EXPECT_EQ(plane->sceneNode()->clientType(), 0x1000000u);
    EXPECT_EQ(originSet->children().size(), 7u) << "three planes, three axes and the point";

    doc.transact([&] { doc.workGeometries->removeChild(StrongRef<Entity>(plane)); });
    EXPECT_EQ(plane->sceneNode(), nullptr) << "a deleted plane leaves the scene";
    EXPECT_TRUE(work->children().empty());
}

TEST_F(WorkGeometrySceneTest, TheOriginSetStartsHiddenAndEachSwitchHidesItsWholeCollection) {
    WorkPoint::make(doc.collection(), ZkGePoint3d(1, 0, 0));
    realize();
    EXPECT_TRUE(hidden(doc.origin->groupNode()));
    EXPECT_FALSE(hidden(doc.workGeometries->groupNode()));

    doc.transact([&] {
        doc.origin->toggleVisibility(ObjectPath());
        doc.workGeometries->toggleVisibility(ObjectPath());
    });
    EXPECT_FALSE(hidden(doc.origin->groupNode()));
    EXPECT_TRUE(hidden(doc.workGeometries->groupNode()));

    ASSERT_TRUE(doc.asset->undo());
    realize();
    EXPECT_TRUE(hidden(doc.origin->groupNode()));
    EXPECT_FALSE(hidden(doc.workGeometries->groupNode()));
}

TEST_F(WorkGeometrySceneTest, ADocumentReadFromAFileIsDrawn) {
    WorkPlane::make(doc.collection(), ZkGePlane::kXYPlane);
    doc.transact([&] { doc.origin->isVisible(true); });
    std::unique_ptr<Asset> loaded = saveAndOpen(*doc.asset);
    ASSERT_TRUE(loaded);
    const StrongRef<Component> component = Component::find(loaded->segments().front().get());
    ASSERT_TRUE(component);
    StrongRef<WorkGeometries> work = firstChildOf<WorkGeometries>(*component);
    StrongRef<OriginWorkGeometry> originSet = firstChildOf<OriginWorkGeometry>(*component);
    Wyn::Graphics::GroupNode* root = loaded->sceneManager().rootNode();
    ASSERT_TRUE(work && originSet && work->groupNode() && originSet->groupNode());
    EXPECT_EQ(work->groupNode()->parent(), root);
    EXPECT_EQ(work->groupNode()->children().size(), 1u);
    EXPECT_EQ(originSet->groupNode()->children().size(), 7u);
    EXPECT_FALSE(hidden(originSet->groupNode()));
    work.reset();
    originSet.reset();
    loaded->clear();
}

// ---- work points

TEST_F(WorkGeometrySceneTest, WorkPointIsAScreenSizedImageAtItsPosition) {
    StrongRef<WorkPoint> point = WorkPoint::make(doc.collection(), ZkGePoint3d(1, 2, 3));
    realize();
    ARenderNode* node = point->sceneNode();
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(node->transform(), ZkGeMatrix3d::translation(ZkGeVector3d(1, 2, 3)));
    const Attribute* scale = attribute(node, AttributeType::PixelScale);
    ASSERT_NE(scale, nullptr);
    EXPECT_EQ(scale->scale(), 1.0);
    EXPECT_EQ(scale->factor(), 2.0);
    const Attribute* billboard = attribute(node, AttributeType::Billboard);
    ASSERT_NE(billboard, nullptr);
    EXPECT_EQ(billboard->mode(), 1);
    EXPECT_TRUE(billboard->up().isEqualTo(ZkGeVector3d::kYAxis));

    int a = 0, b = 0;
    Resources::PointImage()->size(a, b);
    const Wyn::Objects::Mesh& mesh = meshOf(node);
    ASSERT_EQ(mesh.positions().size(), 4u);
    EXPECT_TRUE(samePoint(mesh.positions()[0], ZkGePoint3d(-a, -b, a / 2.0)));
    EXPECT_TRUE(samePoint(mesh.positions()[2], ZkGePoint3d(a, b, a / 2.0)));
    EXPECT_EQ(mesh.indices(), (std::vector<unsigned>{0, 1, 2, 2, 3, 0}));
    const Attribute* image = attribute(node, AttributeType::OccludedEffect);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->imageName(), Resources::PointImage()->localPath());
    EXPECT_EQ(attribute(node, AttributeType::DepthPriority), nullptr);
    EXPECT_EQ(node->nodeFlags() & 0x180000u, 0x180000u);

    doc.transact([&] { point->point(ZkGePoint3d(0, 0, 7)); });
    EXPECT_EQ(node->transform(), ZkGeMatrix3d::translation(ZkGeVector3d(0, 0, 7)))
        << "moving the point moves its node";
}

TEST_F(WorkGeometrySceneTest, OriginEntitiesShowTheOriginImageAndKeepTheirScreenSize) {
    StrongRef<WorkPoint> center = origin<WorkPoint>(L"Center Point");
    StrongRef<WorkPlane> xy = origin<WorkPlane>(L"XY Plane");
    ASSERT_TRUE(center && xy);
    realize();
    const Attribute* image = attribute(center->sceneNode(), AttributeType::OccludedEffect);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->imageName(), Resources::OriginPointImage()->localPath());
    EXPECT_EQ(attribute(center->sceneNode(), AttributeType::DepthPriority)->priority(), 2);
    const Attribute* scale = attribute(xy->sceneNode(), AttributeType::PixelScale);
    ASSERT_NE(scale, nullptr);
    EXPECT_EQ(scale->scale(), 50.0);
    EXPECT_TRUE(scale->anchor().isEqualTo(ZkGePoint3d::kOrigin));
}

// ---- work planes

TEST_F(WorkGeometrySceneTest, PlaneIsAQuadOverItsExtentInThePlanesColour) {
    const ZkGePlane raised(ZkGePoint3d(0, 0, 2), ZkGeVector3d::kZAxis);
    StrongRef<WorkPlane> plane = WorkPlane::make(doc.collection(), raised);
    doc.transact([&] { plane->setOneLineExtent(ZkGePoint3d(8, 0, 0), kRightEdge); });
    realize();
    ARenderNode* node = plane->sceneNode();
    const Wyn::Objects::Mesh& mesh = meshOf(node);
    ASSERT_EQ(mesh.positions().size(), 4u);
    ZkGePoint3d lowerLeft, upperLeft, lowerRight, upperRight;
    plane->getAllExtents(lowerLeft, upperLeft, lowerRight, upperRight);
    EXPECT_TRUE(samePoint(mesh.positions()[0], lowerLeft));
    EXPECT_TRUE(samePoint(mesh.positions()[1], lowerRight));
    EXPECT_TRUE(samePoint(mesh.positions()[2], upperRight));
    EXPECT_TRUE(samePoint(mesh.positions()[3], upperLeft));
    EXPECT_TRUE(samePoint(mesh.normals()[0], ZkGePoint3d(0, 0, 1)));
    EXPECT_EQ(mesh.indices(), (std::vector<unsigned>{0, 1, 2, 2, 3, 0}));
    EXPECT_EQ(node->modelBox().minPoint().z, 2.0);
    EXPECT_EQ(node->modelBox().radius(), -1.0);

    const Color expected(0.1f, 0.2f, 0.3f, 0.5f);
    EXPECT_EQ(plane->displayColor(), expected);
    const Attribute* effect = attribute(node, AttributeType::OccludedEffect);
    ASSERT_NE(effect, nullptr);
    EXPECT_TRUE(effect->imageName().empty());
    EXPECT_EQ(effect->occludedFactor(), 0.4);
    EXPECT_EQ(attribute(node, AttributeType::PixelScale), nullptr) << "only origin planes";
    EXPECT_EQ(attribute(node, AttributeType::DepthPriority)->priority(), 1);

    doc.transact([&] { plane->isVisible(false); });
    EXPECT_TRUE(hidden(node));
}

TEST_F(WorkGeometrySceneTest, PlaneAndAxisFollowAChangeOfEnvironmentAtOnce) {
    StrongRef<WorkPlane> plane = WorkPlane::make(doc.collection(), ZkGePlane::kXYPlane);
    StrongRef<WorkAxis> axis = WorkAxis::make(doc.collection(), ZkGeLine3d::kZAxis);
    realize();
    Scene::EnvironmentManager& manager = Scene::EnvironmentManager::getEnvManager();
    Scene::Environment changed = *manager.activeEnvironment();
    changed.color("workPlaneColor", Scene::ArgbColor(1.0f, 0.0f, 1.0f, 0.0f));
    changed.color("workAxisColor", Scene::ArgbColor(1.0f, 0.0f, 0.0f, 0.0f));
    manager.addEnvironment(changed);
    EXPECT_EQ(attribute(plane->sceneNode(), AttributeType::OccludedEffect)->color(),
              Wyn::Objects::Color(0, 1, 0, 1))
        << "the node is recoloured before the next realisation";
    EXPECT_EQ(attribute(axis->sceneNode(), AttributeType::OccludedEffect)->color(),
              Wyn::Objects::Color(0, 0, 0, 1));
}

// ---- work axes

TEST_F(WorkGeometrySceneTest, AxisIsACentreLineBetweenItsEnds) {
    StrongRef<WorkAxis> axis =
        WorkAxis::make(doc.collection(), ZkGePoint3d(1, 0, 0), ZkGeVector3d(0, 2, 0));
    realize();
    ARenderNode* node = axis->sceneNode();
    const Wyn::Objects::Mesh& mesh = meshOf(node);
    EXPECT_EQ(mesh.primitiveType(), Wyn::Objects::PrimitiveType(3));
    ASSERT_EQ(mesh.positions().size(), 2u);
    // The kernel keeps a line's direction at unit length: the ends lie 10 away.
    EXPECT_TRUE(samePoint(mesh.positions()[0], ZkGePoint3d(1, -10, 0)));
    EXPECT_TRUE(samePoint(mesh.positions()[1], ZkGePoint3d(1, 10, 0)));
    EXPECT_TRUE(node->modelBox().maxPoint().isEqualTo(ZkGePoint3d(1, 10, 0)));

    const Attribute* style = attribute(node, AttributeType::LineStyle);
    ASSERT_NE(style, nullptr);
    EXPECT_FLOAT_EQ(float(style->lineStyle().weight()), 1.3f);
    EXPECT_EQ(style->lineStyle().pattern(), "CENTER");
    EXPECT_EQ(style->lineStyle().xScale(), 25.0);
    EXPECT_EQ(attribute(node, AttributeType::OccludedEffect)->occludedFactor(), 0.25);

    doc.transact([&] { axis->setExtents(ZkGePoint3d(1, 3, 0), ZkGePoint3d(5, 4, 0)); });
    EXPECT_TRUE(samePoint(meshOf(node).positions()[0], ZkGePoint3d(1, 3, 0)))
        << "a new extent redraws the line";
}

TEST_F(WorkGeometrySceneTest, OriginAxesTakeTheColourOfTheirCoordinateAxis) {
    StrongRef<WorkAxis> user = WorkAxis::make(doc.collection(), ZkGeLine3d::kZAxis);
    realize();
    EXPECT_EQ(origin<WorkAxis>(L"X Axis")->displayColor(), Color(1, 0, 0, 1));
    EXPECT_EQ(origin<WorkAxis>(L"Y Axis")->displayColor(), Color(0, 1, 0, 1));
    EXPECT_EQ(origin<WorkAxis>(L"Z Axis")->displayColor(), Color(0, 0, 1, 1));
    EXPECT_EQ(user->displayColor(), Color(0, 0, 0.5f, 1))
        << "a user axis on the z axis takes the work axis colour";
    EXPECT_NE(attribute(origin<WorkAxis>(L"Z Axis")->sceneNode(), AttributeType::PixelScale),
              nullptr);
}

} // namespace
} // namespace Kv::Geometry::WorkGeometryTests
