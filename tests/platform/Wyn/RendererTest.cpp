#include "Wyn/Scene/Renderer.h"
#include "Wyn/Graphics/GeometryNode.h"
#include "Wyn/Graphics/GroupNode.h"
#include "Wyn/Graphics/PolyLineNode.h"
#include "Wyn/Graphics/TextNode.h"
#include "Wyn/Scene/DrawList.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace {

using namespace Wyn::Graphics;
using Wyn::Objects::Color;
using Wyn::Objects::Image;
using Wyn::Objects::makeRef;
using Wyn::Objects::Mesh;
using Wyn::Objects::Point3f;
using Wyn::Objects::PrimitiveType;
using Wyn::Objects::Ref;
using Wyn::Scene::Renderer;
using Wyn::Scene::View;

const Color kRed(1, 0, 0);
const Color kBlue(0, 0, 1);
const Color kGreen(0, 0.8f, 0);

bool near(const Color& a, const Color& b, float tolerance = 0.1f) {
    return std::fabs(a.red - b.red) <= tolerance && std::fabs(a.green - b.green) <= tolerance &&
           std::fabs(a.blue - b.blue) <= tolerance && std::fabs(a.alpha - b.alpha) <= tolerance;
}

int count(const Image& image, const Color& color) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += near(image.pixel(x, y), color);
    return n;
}

// Pixels whose colour is anything but the white background.
struct Ink {
    int count = 0;
    int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
};

Ink ink(const Image& image) {
    Ink found;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (!near(image.pixel(x, y), Color(1, 1, 1), 0.02f)) {
                ++found.count;
                found.left = std::min(found.left, x);
                found.right = std::max(found.right, x);
                found.top = std::min(found.top, y);
                found.bottom = std::max(found.bottom, y);
            }
    return found;
}

// One unit per pixel: view (0, 0) is the image's bottom-left corner.
Image draw(const ARenderNode& root, int size = 100, double units = 100.0) {
    Renderer renderer;
    renderer.frame(Wyn::Objects::BBox(ZkGePoint3d(0, 0, 0), ZkGePoint3d(units, units, 0)));
    return renderer.renderImage(root, View::top(), size, size);
}

// Seen from the front, the ground plane's x from 0 to 100 across the image.
Image drawFront(const ARenderNode& root) {
    Renderer renderer;
    renderer.frame(Wyn::Objects::BBox(ZkGePoint3d(0, -50, 0), ZkGePoint3d(100, 50, 0)));
    return renderer.renderImage(root, View::front(), 100, 100);
}

Ref<PolyLineNode> line(ARenderNode& parent, const ZkGePoint3d& a, const ZkGePoint3d& b,
                       const Color& color) {
    auto node = makeRef<PolyLineNode>();
    node->points({a, b});
    node->attributes().set(Attribute::colorEffect(color));
    parent.addChild(node.get());
    return node;
}

Ref<GeometryNode> square(ARenderNode& parent, float x0, float y0, float x1, float y1,
                         const Color& color) {
    auto node = makeRef<GeometryNode>();
    node->mesh(Mesh(PrimitiveType::Triangles, {{x0, y0, 0}, {x1, y0, 0}, {x1, y1, 0}, {x0, y1, 0}},
                    {}, {}, {0, 1, 2, 2, 3, 0}));
    node->attributes().set(Attribute::colorEffect(color));
    parent.addChild(node.get());
    return node;
}

std::string temporaryFile(const std::string& name) {
    return (std::filesystem::path(testing::TempDir()) / name).string();
}

std::string marker(int width, int height, const Color& color) {
    Image image(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.pixel(x, y, color);
    const std::string path =
        temporaryFile("marker-" + std::to_string(width) + "x" + std::to_string(height) + ".png");
    image.save(path);
    return path;
}

// A point as the host draws it: a quad of twice the image size, halved by
// the pixel scale, with the image painted on.
Ref<GeometryNode> pointMarker(ARenderNode& parent, const ZkGePoint3d& at, const std::string& path,
                              int w, int h) {
    auto node = makeRef<GeometryNode>();
    const auto fw = static_cast<float>(w), fh = static_cast<float>(h);
    node->mesh(Mesh(PrimitiveType::Triangles,
                    {{-fw, -fh, 0}, {fw, -fh, 0}, {fw, fh, 0}, {-fw, fh, 0}}, {}, {},
                    {0, 1, 2, 2, 3, 0}));
    node->attributes().set(Attribute::transform(ZkGeMatrix3d::translation(at.asVector())));
    node->attributes().set(Attribute::pixelScale(1.0, 2.0, ZkGePoint3d::kOrigin));
    node->attributes().set(Attribute::occludedEffect(path, Color(1, 1, 1, 1), -1.0, -1.0));
    node->attributes().set(Attribute::depthPriority(10));
    parent.addChild(node.get());
    return node;
}

TEST(Renderer, DrawsOnlyVisibleNodes) {
    auto root = makeRef<GroupNode>();
    auto group = makeRef<GroupNode>();
    root->addChild(group.get());
    line(*group, {10, 50.5, 0}, {90, 50.5, 0}, kRed); // along the middle of a pixel row
    EXPECT_GT(count(draw(*root), kRed), 70);

    group->attributes().set(Attribute::visibility(false));
    EXPECT_EQ(count(draw(*root), kRed), 0) << "a hidden group hides its subtree";
    // Picking still finds hidden nodes when it asks for them.
    EXPECT_TRUE(Wyn::Scene::DrawList(*root, View::top()).items().empty());
    const Wyn::Scene::DrawList withHidden(*root, View::top(), true);
    ASSERT_EQ(withHidden.items().size(), 1u);
    EXPECT_TRUE(withHidden.items().front().hidden);
    EXPECT_TRUE(withHidden.viewBounds().isEmpty()) << "hidden nodes do not widen the view";
}

TEST(Renderer, HigherDepthPriorityIsDrawnOver) {
    auto root = makeRef<GroupNode>();
    auto red = square(*root, 20, 20, 60, 60, kRed);
    auto blue = square(*root, 40, 40, 80, 80, kBlue);
    EXPECT_TRUE(near(draw(*root).pixel(50, 50), kBlue)) << "tree order breaks ties";

    red->attributes().set(Attribute::depthPriority(5));
    blue->attributes().set(Attribute::depthPriority(1));
    EXPECT_TRUE(near(draw(*root).pixel(50, 50), kRed));
}

// Every attribute is inherited and overridden alike; colour shows it.
TEST(Renderer, ColoursAndLineWeightsComeFromTheNearestAttribute) {
    auto root = makeRef<GroupNode>();
    auto group = makeRef<GroupNode>();
    root->addChild(group.get());
    auto thin = line(*group, {10, 30.5, 0}, {90, 30.5, 0}, kRed);
    thin->attributes().remove(AttributeType::ColorEffect);
    group->attributes().set(Attribute::colorEffect(kBlue));
    EXPECT_GT(count(draw(*root), kBlue), 70) << "a node without colour takes its group's";

    thin->attributes().set(Attribute::colorEffect(kRed));
    EXPECT_EQ(count(draw(*root), kBlue), 0) << "a node's own colour wins";
    group->attributes().set(Attribute::colorEffect(kBlue).overrideChildren(true));
    EXPECT_GT(count(draw(*root), kBlue), 70) << "unless the group overrides its children";
    group->attributes().remove(AttributeType::ColorEffect);

    // The occluded effect of the same node beats its colour effect, and its
    // visible factor scales the alpha.
    thin->attributes().set(Attribute::occludedEffect("", kGreen, 1.0, 0.4));
    EXPECT_GT(count(draw(*root), kGreen), 70);
    EXPECT_EQ(count(draw(*root), kRed), 0);
    thin->attributes().set(Attribute::occludedEffect("", kGreen, 0.5, 0.4));
    const Color half = draw(*root).pixel(50, 69);
    EXPECT_NEAR(half.green, 0.9f, 0.05f) << "half of 0.8 over white";
    EXPECT_NEAR(half.red, 0.5f, 0.05f);

    // Line weight is in pixels.
    thin->attributes().set(Attribute::colorEffect(kRed));
    thin->attributes().remove(AttributeType::OccludedEffect);
    const int oneWide = count(draw(*root), kRed);
    thin->attributes().set(Attribute::lineStyle(Wyn::Objects::LineStyle(5.0)));
    const int fiveWide = count(draw(*root), kRed);
    EXPECT_GT(fiveWide, 4 * oneWide);

    // A dash pattern leaves gaps.
    thin->attributes().set(Attribute::lineStyle(Wyn::Objects::LineStyle(5.0, "CENTER", 8.0)));
    const int dashed = count(draw(*root), kRed);
    EXPECT_LT(dashed, fiveWide * 0.9);
    EXPECT_GT(dashed, fiveWide * 0.4);
}

TEST(Renderer, TransformsPlaceGeometry) {
    auto root = makeRef<GroupNode>();
    auto group = makeRef<GroupNode>();
    root->addChild(group.get());
    square(*group, 0, 0, 10, 10, kRed);
    group->attributes().set(
        Attribute::transform(ZkGeMatrix3d::translation(ZkGeVector3d(50, 20, 0))));
    const Image image = draw(*root);
    EXPECT_TRUE(near(image.pixel(55, 100 - 25), kRed));
    EXPECT_FALSE(near(image.pixel(5, 95), kRed));
    const Ink found = ink(image);
    EXPECT_EQ((std::array{found.left, found.right, found.top, found.bottom}),
              (std::array{50, 59, 70, 79}));

    // Seen from the front, the square on the ground is a line on the horizon.
    const Ink edge = ink(drawFront(*root));
    EXPECT_LE(edge.bottom - edge.top, 1);
}

TEST(Renderer, PointMarkersKeepTheirPixelSizeAtAnyZoom) {
    const std::string path = marker(8, 6, kGreen);
    auto root = makeRef<GroupNode>();
    pointMarker(*root, ZkGePoint3d(10, 10, 0), path, 8, 6);
    for (double units : {100.0, 25.0}) {
        const Ink found = ink(draw(*root, 100, units));
        EXPECT_EQ(found.right - found.left + 1, 8) << "at " << units << " units across";
        EXPECT_EQ(found.bottom - found.top + 1, 6);
        // centred on the point, whatever the zoom
        EXPECT_NEAR((found.left + found.right) / 2.0, 10.0 * 100.0 / units, 1.0);
    }

    // Billboards keep facing the viewer: the marker looks the same from the
    // front although its quad lies in the ground plane.
    root->children().front()->attributes().set(
        Attribute::billboard(ZkGePoint3d::kOrigin, 1, ZkGeVector3d(0, 1, 0)));
    const Ink front = ink(drawFront(*root));
    EXPECT_EQ(front.right - front.left + 1, 8);
    EXPECT_EQ(front.bottom - front.top + 1, 6);

    root->children().front()->attributes().set(
        Attribute::occludedEffect(temporaryFile("no-such-marker.png"), Color(), -1, -1));
    try {
        draw(*root);
        FAIL() << "a missing image was not reported";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find("no-such-marker.png"), std::string::npos);
    }
}

TEST(Renderer, TextIsDrawnAsFilledOutlines) {
    auto root = makeRef<GroupNode>();
    auto text = makeRef<TextNode>();
    text->defaultStyle(Wyn::Objects::TextStyle(L"Arial", 50.0));
    text->text(L"H");
    text->anchor(ZkGePoint2d(20, 20));
    text->attributes().set(Attribute::colorEffect(Color(0, 0, 0)));
    root->addChild(text.get());
    const Image image = draw(*root);
    const Ink found = ink(image);
    const Wyn::Objects::BBox& box = text->boundingBox();
    EXPECT_NEAR(found.left, box.minPoint().x, 1.0);
    EXPECT_NEAR(found.right + 1, box.maxPoint().x, 1.0);
    EXPECT_NEAR(found.top, 100 - box.maxPoint().y, 1.0);
    EXPECT_NEAR(found.bottom + 1, 100 - box.minPoint().y, 1.0);
    // The stems are solid and the space between them is not.
    const int middleRow = 100 - 20 - 10;
    EXPECT_TRUE(near(image.pixel(found.left + 2, middleRow), Color(0, 0, 0)));
    EXPECT_TRUE(near(image.pixel(found.right - 2, middleRow), Color(0, 0, 0)));
    EXPECT_TRUE(near(image.pixel((found.left + found.right) / 2, 100 - 20 - 40), Color(1, 1, 1)));
}

TEST(Renderer, FileFormatFollowsTheExtension) {
    auto root = makeRef<GroupNode>();
    line(*root, {0, 0, 0}, {10, 10, 0}, kRed);
    Renderer renderer;
    auto head = [](const std::string& path, size_t n) {
        std::ifstream in(path, std::ios::binary);
        std::string bytes(n, '\0');
        in.read(bytes.data(), static_cast<std::streamsize>(n));
        return bytes;
    };
    const std::string png = temporaryFile("scene.PNG");
    renderer.render(*root, View::iso(), 64, 48, png);
    EXPECT_EQ(head(png, 4), "\x89PNG");
    EXPECT_EQ(Image::load(png).width(), 64);
    const std::string svg = temporaryFile("scene.svg");
    renderer.render(*root, View::top(), 64, 48, svg);
    EXPECT_NE(head(svg, 200).find("<svg"), std::string::npos);
    const std::string pdf = temporaryFile("scene.pdf");
    renderer.render(*root, View::top(), 64, 48, pdf);
    EXPECT_EQ(head(pdf, 4), "%PDF");

    EXPECT_THROW(renderer.render(*root, View::top(), 64, 48, temporaryFile("scene.bmp")),
                 std::invalid_argument);
    EXPECT_THROW(renderer.render(*root, View::top(), 0, 48, png), std::invalid_argument);
    EXPECT_THROW(renderer.render(*root, View::top(), 64, 48, "/no/such/directory/scene.svg"),
                 std::runtime_error);
    EXPECT_THROW(renderer.render(*root, View::top(), 64, 48, "/no/such/directory/scene.png"),
                 std::runtime_error);
}

// A small scene with a node of every kind the entities make; compared with
// the committed image. After a deliberate change of the drawing, rewrite it:
//   KV_UPDATE_REFERENCES=1 build/bin/WynTests --gtest_filter=Renderer.ReferenceScene
TEST(Renderer, ReferenceScene) {
    auto root = makeRef<GroupNode>();
    auto sketch = makeRef<GroupNode>();
    sketch->attributes().set(
        Attribute::transform(ZkGeMatrix3d::rotation(0.3, ZkGeVector3d(0, 0, 1))));
    root->addChild(sketch.get());

    auto plane = square(*root, -10, -10, 110, 70, Color(0.95f, 0.75f, 0.3f, 0.35f));
    plane->attributes().set(Attribute::depthPriority(1));

    auto edge = line(*sketch, {0, 0, 0}, {100, 0, 0}, Color(0.05f, 0.15f, 0.55f));
    edge->attributes().set(Attribute::lineStyle(Wyn::Objects::LineStyle(2.0)));
    auto arc = makeRef<PolyLineNode>();
    std::vector<ZkGePoint3d> points;
    for (int i = 0; i <= 32; ++i)
        points.emplace_back(100 + 30 * std::cos(M_PI * i / 32), 30 * std::sin(M_PI * i / 32), 0);
    arc->points(points);
    arc->attributes().set(Attribute::occludedEffect("", Color(0, 0.4f, 0), 1.0, 0.4));
    sketch->addChild(arc.get());
    auto axis = line(*root, {-10, 60, 0}, {120, 60, 0}, Color(0.9f, 0.55f, 0.1f));
    axis->attributes().set(Attribute::lineStyle(Wyn::Objects::LineStyle(1.3, "CENTER", 8.0)));
    auto hidden = line(*root, {0, 0, 0}, {120, 70, 0}, kRed);
    hidden->attributes().set(Attribute::visibility(false));

    auto text = makeRef<TextNode>();
    text->defaultStyle(Wyn::Objects::TextStyle(L"Arial", 12.0));
    text->text(L"Hg Kv");
    text->anchor(ZkGePoint2d(10, 20));
    text->attributes().set(Attribute::occludedEffect("", Color(0.1f, 0.1f, 0.1f), 1.0, 0.6));
    root->addChild(text.get());

    const std::string path = marker(9, 9, Color(0.05f, 0.15f, 0.55f));
    for (const ZkGePoint3d& at : {ZkGePoint3d(0, 0, 0), ZkGePoint3d(100, 0, 0)})
        pointMarker(*sketch, at, path, 9, 9);

    const Image actual = Renderer().renderImage(*root, View::top(), 240, 160);
    const std::string reference = std::string(KV_TEST_DATA_DIR) + "/data/reference-scene.png";
    const char* update = std::getenv("KV_UPDATE_REFERENCES");
    if (update && std::string(update) == "1") {
        actual.save(reference);
        GTEST_SKIP() << "rewrote " << reference;
    }
    ASSERT_TRUE(std::filesystem::exists(reference))
        << reference << " is missing; make it with KV_UPDATE_REFERENCES=1";
    const Image expected = Image::load(reference);
    ASSERT_EQ(expected.width(), actual.width());
    ASSERT_EQ(expected.height(), actual.height());
    int differing = 0;
    for (int y = 0; y < actual.height(); ++y)
        for (int x = 0; x < actual.width(); ++x)
            differing += !near(actual.pixel(x, y), expected.pixel(x, y), 24.0f / 255.0f);
    const int allowed = actual.width() * actual.height() / 200; // anti-aliasing of 0.5 %
    if (differing > allowed)
        actual.save(temporaryFile("reference-scene-actual.png"));
    EXPECT_LE(differing, allowed) << "differs from " << reference << "; the drawing is in "
                                  << temporaryFile("reference-scene-actual.png");
}

} // namespace
