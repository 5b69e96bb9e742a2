#include "Wyn/Graphics/TextNode.h"
#include "Wyn/Objects/FontCache.h"
#include "Wyn/Objects/LineSegment.h"
#include "Wyn/Objects/QuadraticSegment.h"
#include "Wyn/Objects/Ref.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using Wyn::Graphics::TextNode;
using Wyn::Objects::Curve2d;
using Wyn::Objects::CurveList;
using Wyn::Objects::TextStyle;

Wyn::Objects::Ref<TextNode> textNode(const std::wstring& text, const TextStyle& style) {
    auto node = Wyn::Objects::makeRef<TextNode>();
    node->defaultStyle(style);
    node->text(text);
    return node;
}

struct Census {
    int lines = 0;
    int quadratics = 0;
};

Census census(const std::vector<CurveList>& outline) {
    Census c;
    for (const CurveList& contour : outline)
        for (const auto& piece : contour)
            (piece->kind() == Curve2d::Kind::LineSegment ? c.lines : c.quadratics)++;
    return c;
}

TEST(TextNode, HgIsOutlinedWithSegmentsAndQuadraticsInsideItsBox) {
    auto node = textNode(L"Hg", TextStyle(L"Arial", 10.0));
    const auto& outline = node->outline();
    const Census c = census(outline);
    EXPECT_GT(c.lines, 0) << "H is made of straight segments";
    EXPECT_GT(c.quadratics, 0) << "g has round parts";
    // H has one contour, g at least two (its bowl's hole).
    EXPECT_GE(outline.size(), 3u);

    const Wyn::Objects::BBox& box = node->boundingBox();
    ASSERT_FALSE(box.isEmpty());
    // Capitals are the style's height; g descends below the baseline.
    EXPECT_NEAR(box.maxPoint().y, 10.0, 0.05);
    EXPECT_LT(box.minPoint().y, -1.0);
    EXPECT_GT(box.maxPoint().x - box.minPoint().x, 10.0);
    EXPECT_EQ(box.minPoint().z, 0.0);

    for (const CurveList& contour : outline) {
        ASSERT_FALSE(contour.empty());
        // Contours are closed and their pieces join end to start.
        EXPECT_LT(contour.back()->endPoint().distanceTo(contour.front()->startPoint()), 1e-9);
        for (size_t i = 1; i < contour.size(); ++i)
            EXPECT_LT(contour[i - 1]->endPoint().distanceTo(contour[i]->startPoint()), 1e-9);
        for (const auto& piece : contour)
            for (double t : {0.0, 0.25, 0.5, 0.75, 1.0}) {
                const ZkGePoint2d p = piece->evalPoint(t);
                EXPECT_GE(p.x, box.minPoint().x - 1e-9);
                EXPECT_LE(p.x, box.maxPoint().x + 1e-9);
                EXPECT_GE(p.y, box.minPoint().y - 1e-9);
                EXPECT_LE(p.y, box.maxPoint().y + 1e-9);
            }
    }
}

TEST(TextNode, StringsWithoutVisibleGlyphsHaveAnEmptyBox) {
    for (const std::wstring& text : {std::wstring(), std::wstring(L"   ")}) {
        auto node = textNode(text, TextStyle(L"Arial", 10.0));
        EXPECT_TRUE(node->outline().empty());
        const Wyn::Objects::BBox& box = node->boundingBox();
        EXPECT_TRUE(box.isEmpty());
        EXPECT_GT(box.minPoint().x, 1e30);
        EXPECT_LT(box.maxPoint().x, -1e30);
    }
    // Blanks still move the pen, which is how a caller sizes placeholders.
    EXPECT_GT(textNode(L"   ", TextStyle(L"Arial", 10.0))->advance(), 0.0);
    EXPECT_EQ(textNode(L"", TextStyle(L"Arial", 10.0))->advance(), 0.0);
}

TEST(TextNode, ArialResolvesToAnInstalledMetricCompatibleFace) {
    const std::string path =
        Wyn::Objects::FontCache::get().resolve(L"Arial", false, false, nullptr);
    EXPECT_NE(path.find("Liberation"), std::string::npos) << path;
    EXPECT_EQ(Wyn::Objects::FontCache::get().face(L"Arial", false, false).familyName(),
              "Liberation Sans");
}

TEST(TextNode, LayoutFollowsHeightAnchorAndStyle) {
    auto small = textNode(L"Hg", TextStyle(L"Arial", 10.0));
    auto big = textNode(L"Hg", TextStyle(L"Arial", 20.0));
    const auto& a = small->boundingBox();
    const auto& b = big->boundingBox();
    EXPECT_NEAR(b.maxPoint().x - b.minPoint().x, 2.0 * (a.maxPoint().x - a.minPoint().x), 1e-6);
    EXPECT_NEAR(b.minPoint().y, 2.0 * a.minPoint().y, 1e-6);

    // Moving the anchor moves the outline and the box, and the node lays out
    // again when asked after a change.
    small->anchor(ZkGePoint2d(100.0, -5.0));
    EXPECT_NEAR(small->boundingBox().minPoint().x, a.minPoint().x + 100.0, 1e-9);
    EXPECT_NEAR(small->boundingBox().maxPoint().y, 5.0, 0.05);
    EXPECT_NEAR(small->outline().front().front()->startPoint().x -
                    big->outline().front().front()->startPoint().x / 2.0,
                100.0, 1e-9);

    // Underlining adds one rectangular contour below the baseline across the
    // whole advance.
    TextStyle underlined(L"Arial", 10.0);
    underlined.underline(true);
    auto plain = textNode(L"H", TextStyle(L"Arial", 10.0));
    auto lined = textNode(L"H", underlined);
    ASSERT_EQ(lined->outline().size(), plain->outline().size() + 1);
    const CurveList& bar = lined->outline().back();
    EXPECT_EQ(census({bar}).lines, 4);
    EXPECT_LT(lined->boundingBox().minPoint().y, 0.0);
    EXPECT_NEAR(lined->boundingBox().maxPoint().x, lined->advance(), 1e-9);

    // Italic text leans: the top of H moves right against its foot.
    TextStyle italic(L"Arial", 10.0);
    italic.italic(true);
    EXPECT_GT(textNode(L"H", italic)->boundingBox().maxPoint().x,
              plain->boundingBox().maxPoint().x);

    // Extra spacing widens every character's advance.
    TextStyle spaced(L"Arial", 10.0);
    spaced.extraSpacing(0.5);
    EXPECT_NEAR(textNode(L"HH", spaced)->advance(),
                textNode(L"HH", TextStyle(L"Arial", 10.0))->advance() + 10.0, 1e-9);
}

} // namespace
