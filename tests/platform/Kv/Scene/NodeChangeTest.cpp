#include "../ErrorMessage.h"

#include "Kv/Scene/INodeSource.h"
#include "Kv/Scene/NodeChange.h"
#include "Kv/Scene/SceneManager.h"
#include "Wyn/Graphics/CircleArcNode.h"
#include "Wyn/Graphics/EllipseArcNode.h"
#include "Wyn/Graphics/GeometryNode.h"
#include "Wyn/Graphics/GroupNode.h"
#include "Wyn/Graphics/LodGeometryNode.h"
#include "Wyn/Graphics/NurbsCurveNode.h"
#include "Wyn/Graphics/PolyLineNode.h"
#include "Wyn/Graphics/TextNode.h"
#include "Wyn/Scene/DrawList.h"
#include "Wyn/Scene/Renderer.h"

#include "ZkGeCircArc3d.h"
#include "ZkGeEllipArc3d.h"
#include "ZkGeLine3d.h"
#include "ZkGeNurbCurve3d.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

namespace {

using namespace Wyn::Graphics;
using Kv::Color;
using Kv::UniqueString;
using Kv::Scene::INodeSource;
using Kv::Scene::NodeChange;
using Kv::Tests::errorMessageOf;
using Wyn::Objects::Image;
using Wyn::Objects::makeRef;
using Wyn::Objects::Ref;

// A source that is not an entity: enough to be named by nodes.
class Source : public INodeSource {};

bool near(const Wyn::Objects::Color& a, const Wyn::Objects::Color& b, float tolerance = 0.1f) {
    return std::fabs(a.red - b.red) <= tolerance && std::fabs(a.green - b.green) <= tolerance &&
           std::fabs(a.blue - b.blue) <= tolerance && std::fabs(a.alpha - b.alpha) <= tolerance;
}

const Wyn::Objects::Color kRed(1, 0, 0);
const Wyn::Objects::Color kWhite(1, 1, 1);

// One unit per pixel, view (0, 0) at the bottom-left corner.
Image draw(const ARenderNode& root) {
    Wyn::Scene::Renderer renderer;
    renderer.frame(Wyn::Objects::BBox(ZkGePoint3d(0, 0, 0), ZkGePoint3d(100, 100, 0)));
    return renderer.renderImage(root, Wyn::Scene::View::top(), 100, 100);
}

int countRed(const Image& image) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += near(image.pixel(x, y), kRed);
    return n;
}

// Image row of a model y.
int row(double y) {
    return 99 - static_cast<int>(y);
}

TEST(NodeChange, TheFirstNodeMadeBecomesTheChangesNodeAndMadeNodesLiveWithIt) {
    Source source;
    Ref<PolyLineNode> kept;
    {
        NodeChange change;
        GroupNode* group = change.createGroupNode(&source, 1, true, false);
        EXPECT_EQ(change.node(), group);
        EXPECT_EQ(change.groupNode(), group);
        EXPECT_EQ(group->worldType(), 1);
        EXPECT_FALSE(group->isVisible()) << "made hidden";
        EXPECT_FALSE(group->attributes().find(AttributeType::Selectability)->isSelectable());
        EXPECT_EQ(INodeSource::fromNode(group), &source);

        kept = change.createPolyLineNode(&source, ZkGePoint3d(0, 0, 0), ZkGePoint3d(1, 0, 0));
        EXPECT_EQ(change.node(), group) << "only the first node becomes the change's node";
        EXPECT_EQ(kept->refCount(), 2);
        change.addChild(kept);
        EXPECT_EQ(kept->parent(), group);
    }
    EXPECT_EQ(kept->refCount(), 1) << "the change and the group it made are gone";
    EXPECT_EQ(kept->parent(), nullptr);
}

TEST(NodeChange, CurvesAreDrawnFromSamplesOfTheKernelCurve) {
    Source source;
    NodeChange change(makeRef<GroupNode>());
    const ZkGePoint3d centre(50, 50, 0);
    CircleArcNode* circle =
        change.createCircleArcNode(&source, ZkGeCircArc3d(centre, ZkGeVector3d(0, 0, 1), 20.0));
    ASSERT_GT(circle->points().size(), 32u);
    for (const ZkGePoint3d& p : circle->points())
        EXPECT_NEAR(p.distanceTo(centre), 20.0, 1e-9);
    // chords stay within a thousandth of the circle's size
    const double chord = circle->points()[0].distanceTo(circle->points()[1]);
    EXPECT_LT(20.0 - std::sqrt(400.0 - chord * chord / 4.0), 40.0 * 1.5e-3);

    NodeChange onCircle(circle);
    onCircle.setCircleArc(ZkGeCircArc3d(centre, ZkGeVector3d(0, 0, 1), 10.0));
    EXPECT_NEAR(circle->points().front().distanceTo(centre), 10.0, 1e-9);
    onCircle.colorEffect(Color(1, 0, 0));
    onCircle.lineStyle(3.0);
    change.addChild(circle);
    const Image image = draw(*change.node());
    EXPECT_TRUE(near(image.pixel(59, row(50.5)), kRed));
    EXPECT_TRUE(near(image.pixel(40, row(50.5)), kRed));
    EXPECT_TRUE(near(image.pixel(50, row(50)), kWhite));

    EllipseArcNode* ellipse = change.createEllipseArcNode(
        &source,
        ZkGeEllipArc3d(centre, ZkGeVector3d(1, 0, 0), ZkGeVector3d(0, 1, 0), 30, 10, 0, M_PI));
    EXPECT_NEAR(ellipse->points().front().x, 80.0, 1e-9);
    EXPECT_NEAR(ellipse->points().back().x, 20.0, 1e-9);
    for (const ZkGePoint3d& p : ellipse->points())
        EXPECT_GE(p.y, 50.0 - 1e-9) << "only the upper half";
    NodeChange(ellipse).setEllipseArc(
        ZkGeEllipArc3d(centre, ZkGeVector3d(0, 1, 0), ZkGeVector3d(1, 0, 0), 30, 10));
    EXPECT_NEAR(ellipse->points().front().y, 80.0, 1e-9);

    const ZkArray<ZkGePoint3d> fit{ZkGePoint3d(0, 0, 0), ZkGePoint3d(10, 10, 0),
                                   ZkGePoint3d(20, 0, 0)};
    NurbsCurveNode* spline = change.createNurbsCurveNode(&source);
    EXPECT_TRUE(spline->points().empty());
    NodeChange(spline).setNurbsCurve(ZkGeNurbCurve3d(fit));
    EXPECT_LT(spline->points().front().distanceTo(fit[0]), 1e-9);
    EXPECT_LT(spline->points().back().distanceTo(fit[2]), 1e-9);
    double nearestToMiddle = 1e300;
    for (const ZkGePoint3d& p : spline->points())
        nearestToMiddle = std::min(nearestToMiddle, p.distanceTo(fit[1]));
    EXPECT_LT(nearestToMiddle, 0.05);

    EXPECT_THROW(change.createNurbsCurveNode(&source, ZkGeLine3d()), std::invalid_argument);
}

TEST(NodeChange, ContentOperationsChangeWhatIsDrawn) {
    Source source;
    NodeChange root(makeRef<GroupNode>());

    PolyLineNode* line =
        root.createPolyLineNode(&source, std::vector<Kv::Point3f>{{10, 10.5f, 0}, {90, 10.5f, 0}});
    root.addChild(line);
    NodeChange onLine(line);
    onLine.colorEffect(Color(1, 0, 0));
    EXPECT_TRUE(near(draw(*root.node()).pixel(50, row(10.5)), kRed));
    onLine.setPolyLine(ZkGePoint3d(10, 80.5, 0), ZkGePoint3d(90, 80.5, 0));
    Image image = draw(*root.node());
    EXPECT_TRUE(near(image.pixel(50, row(80.5)), kRed));
    EXPECT_FALSE(near(image.pixel(50, row(10.5)), kRed));

    GeometryNode* quad = root.createGeometryNode(&source);
    root.addChild(quad);
    NodeChange onQuad(quad);
    onQuad.geometry(Wyn::Objects::Mesh(Wyn::Objects::PrimitiveType::Triangles,
                                       {{20, 20, 0}, {40, 20, 0}, {40, 40, 0}, {20, 40, 0}}, {}, {},
                                       {0, 1, 2, 2, 3, 0}),
                    15);
    onQuad.colorEffect(Color(1, 0, 0));
    EXPECT_TRUE(near(draw(*root.node()).pixel(30, row(30)), kRed));
    // Flag 1 replaces the positions only; the triangles stay.
    onQuad.geometry(Wyn::Objects::Mesh(Wyn::Objects::PrimitiveType::Points,
                                       {{60, 20, 0}, {80, 20, 0}, {80, 40, 0}, {60, 40, 0}}),
                    1);
    image = draw(*root.node());
    EXPECT_TRUE(near(image.pixel(70, row(30)), kRed));
    EXPECT_FALSE(near(image.pixel(30, row(30)), kRed));
    EXPECT_EQ(quad->mesh().primitiveType(), Wyn::Objects::PrimitiveType::Triangles);

    onQuad.modelBox(ZkGePoint3d(60, 20, 0), ZkGePoint3d(80, 40, 0));
    EXPECT_EQ(quad->modelBox().maxPoint(), ZkGePoint3d(80, 40, 0));

    TextNode* text = root.createTextNode(&source);
    root.addChild(text);
    NodeChange onText(text);
    onText.textStyle(Wyn::Objects::TextStyle(L"Arial", 20.0));
    onText.anchor(ZkGePoint2d(10, 50));
    onText.text(L"T");
    onText.colorEffect(Color(1, 0, 0));
    const Wyn::Objects::BBox& box = text->boundingBox();
    EXPECT_NEAR(box.maxPoint().y, 70.0, 0.05);
    const double stem = 0.5 * (box.minPoint().x + box.maxPoint().x);
    EXPECT_TRUE(near(draw(*root.node()).pixel(static_cast<int>(stem), row(60)), kRed));

    root.removeChild(text);
    EXPECT_EQ(text->parent(), nullptr);
    root.removeAllChildren();
    EXPECT_TRUE(root.node()->children().empty());
    EXPECT_EQ(countRed(draw(*root.node())), 0);
}

TEST(NodeChange, AttributeOperationsChangeHowItIsDrawn) {
    Source source;
    NodeChange root(makeRef<GroupNode>());
    PolyLineNode* line =
        root.createPolyLineNode(&source, ZkGePoint3d(10, 50.5, 0), ZkGePoint3d(90, 50.5, 0));
    root.addChild(line);
    NodeChange change(line);

    change.colorEffect(Color(1, 0, 0));
    const int thin = countRed(draw(*root.node()));
    EXPECT_GT(thin, 70);
    change.lineStyle(4.0);
    const int thick = countRed(draw(*root.node()));
    EXPECT_GT(thick, 3 * thin);
    change.lineStyle(4.0, UniqueString("CENTER"), 8.0);
    EXPECT_EQ(line->attributes().find(AttributeType::LineStyle)->lineStyle().pattern(), "CENTER");
    EXPECT_LT(countRed(draw(*root.node())), thick);

    change.visibility(false);
    EXPECT_EQ(countRed(draw(*root.node())), 0);
    change.removeAttribute(0);
    EXPECT_GT(countRed(draw(*root.node())), 0);

    change.occludedEffect("", Color(0, 0, 1), 1.0, 0.4);
    EXPECT_EQ(countRed(draw(*root.node())), 0) << "the occluded effect's colour is drawn";
    change.removeAttribute(static_cast<int>(AttributeType::OccludedEffect));

    change.transform(ZkGeMatrix3d::translation(ZkGeVector3d(0, 20, 0)));
    change.transform(ZkGeMatrix3d::translation(ZkGeVector3d(0, 10, 0)), true);
    EXPECT_EQ(line->transform().translation(), ZkGeVector3d(0, 30, 0));
    change.lineStyle(1.0);
    EXPECT_TRUE(near(draw(*root.node()).pixel(50, row(80.5)), kRed));
    change.transform(ZkGeMatrix3d::kIdentity);

    // Depth priority: the later, lower-priority line would otherwise cover it.
    PolyLineNode* cover =
        root.createPolyLineNode(&source, ZkGePoint3d(50.5, 10, 0), ZkGePoint3d(50.5, 90, 0));
    root.addChild(cover);
    NodeChange(cover).colorEffect(Color(0, 0, 1));
    EXPECT_FALSE(near(draw(*root.node()).pixel(50, row(50.5)), kRed));
    change.depthPriority(5);
    EXPECT_TRUE(near(draw(*root.node()).pixel(50, row(50.5)), kRed));

    // Selectability is what picking reads.
    change.selectability(true, 2, UniqueString("corner"));
    auto item = [&] {
        const Wyn::Scene::DrawList list(*root.node(), Wyn::Scene::View::top());
        for (const auto& i : list.items())
            if (i.node == line)
                return i;
        return Wyn::Scene::DrawItem();
    };
    EXPECT_TRUE(item().selectable);
    EXPECT_EQ(item().selectionKind, 2);
    EXPECT_EQ(item().qualifier, "corner");
    change.selectability(false, 0, nullptr);
    EXPECT_FALSE(item().selectable);
    EXPECT_EQ(item().qualifier, "");

    change.nodeFlags(0x10000 | 0x100000);
    change.nodeFlags(0x10000, false);
    EXPECT_EQ(line->nodeFlags(), 0x100000u);
    change.clientType(0x1000000);
    EXPECT_EQ(line->clientType(), 0x1000000u);
    change.clearSource();
    EXPECT_EQ(INodeSource::fromNode(line), nullptr);
    change.source(&source);
    EXPECT_EQ(INodeSource::fromNode(line), &source);
}

TEST(NodeChange, PixelScaleAndBillboardKeepMarkersScreenSized) {
    Source source;
    Image marker(6, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x)
            marker.pixel(x, y, kRed);
    const std::string path =
        (std::filesystem::path(testing::TempDir()) / "node-marker.png").string();
    marker.save(path);

    NodeChange root(makeRef<GroupNode>());
    GeometryNode* point = root.createGeometryNode(&source);
    root.addChild(point);
    NodeChange change(point);
    change.geometry(Wyn::Objects::Mesh(Wyn::Objects::PrimitiveType::Triangles,
                                       {{-6, -4, 0}, {6, -4, 0}, {6, 4, 0}, {-6, 4, 0}}, {}, {},
                                       {0, 1, 2, 2, 3, 0}));
    change.transform(ZkGeMatrix3d::translation(ZkGeVector3d(30, 30, 0)));
    change.occludedEffect(path, Color(1, 1, 1, 1), -1.0, -1.0);
    EXPECT_GT(countRed(draw(*root.node())), 2 * 6 * 4) << "without pixel scale: model size";
    change.pixelScale(1.0, 2.0, ZkGePoint3d::kOrigin);
    EXPECT_EQ(countRed(draw(*root.node())), 6 * 4) << "with it: the image's own size";
    change.billboard(ZkGePoint3d::kOrigin, 1, ZkGeVector3d(0, 1, 0));
    Wyn::Scene::Renderer renderer;
    renderer.frame(Wyn::Objects::BBox(ZkGePoint3d(0, -50, 0), ZkGePoint3d(100, 50, 0)));
    EXPECT_EQ(countRed(renderer.renderImage(*root.node(), Wyn::Scene::View::front(), 100, 100)),
              6 * 4);
    EXPECT_THROW(change.pixelScale(0.0, 1.0, ZkGePoint3d::kOrigin), std::invalid_argument);
}

TEST(NodeChange, MisuseIsReportedWithTheOperationAndTheNodeKind) {
    NodeChange empty;
    EXPECT_EQ(errorMessageOf([&] { empty.colorEffect(Color()); }),
              "colorEffect: the node change has no node");
    NodeChange group(makeRef<GroupNode>());
    EXPECT_EQ(errorMessageOf([&] { group.setPolyLine(ZkGePoint3d(), ZkGePoint3d(1, 0, 0)); }),
              "setPolyLine needs a polyline node, not a group node");
    EXPECT_EQ(errorMessageOf([&] { group.geometry(Wyn::Objects::Mesh()); }),
              "geometry needs a geometry node, not a group node");
    EXPECT_EQ(errorMessageOf([&] { group.text(L"x"); }),
              "text needs a text node, not a group node");
    EXPECT_EQ(errorMessageOf([&] { group.removeAttribute(42); }),
              "removeAttribute: there is no attribute type 42");
    Source source;
    EXPECT_THROW(group.addChild(static_cast<ARenderNode*>(nullptr)), std::logic_error);
    EXPECT_THROW(group.addChild(group.node()), std::invalid_argument);
    EXPECT_EQ(group.textNode(), nullptr);
    EXPECT_EQ(group.lodGeometryNode(), nullptr);
}

// A source drawn by a level-of-detail node: each level gets its own mesh.
class LodSource : public INodeSource {
public:
    std::vector<int> levels;

    void onCreateScene(NodeChange& change) override { change.createLodGeometryNode(this, true, 2); }
    void realizeGeometry(NodeChange& change, int level) override {
        levels.push_back(level);
        ASSERT_NE(change.lodGeometryNode(), nullptr);
        EXPECT_TRUE(change.lodGeometryNode()->needsMesh(15, level));
        const float x = 10.0f * static_cast<float>(level + 1);
        change.geometry(
            Wyn::Objects::Mesh(Wyn::Objects::PrimitiveType::LineStrip, {{0, 0, 0}, {x, 0, 0}}), 15);
    }
};

TEST(NodeChange, LevelsOfDetailAreRealisedLevelByLevel) {
    Kv::Scene::SceneManager scene;
    LodSource source;
    scene.connect(&source);
    scene.realize();
    // Held here, so that the node outlives its place in the scene.
    Ref<LodGeometryNode> node(dynamic_cast<LodGeometryNode*>(source.sceneNode()));
    ASSERT_NE(node.get(), nullptr);
    EXPECT_EQ(node->parent(), scene.rootNode());
    EXPECT_EQ(source.levels, (std::vector<int>{0, 1}));
    EXPECT_EQ(node->mesh(0).positions().back().x, 10.0f);
    EXPECT_EQ(node->mesh(1).positions().back().x, 20.0f);
    EXPECT_FALSE(node->needsMesh(15, 1));

    scene.revalidate(&source, 2);
    scene.realize();
    EXPECT_EQ(source.levels.size(), 4u) << "a change of geometry rebuilds every level";
    scene.disconnect(&source);
    EXPECT_EQ(node->source(), nullptr);
    EXPECT_EQ(scene.rootNode()->children().size(), 0u);
}

} // namespace
