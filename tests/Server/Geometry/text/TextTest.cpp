// Sketch text: its style and placement, the scene that lays it out, the
// profiles taken from the glyph outlines, the box of border lines that
// follows it and that it follows, and undo.

#include "../curves3d/SketchTestDocument.h"
#include "../sketch3d/TestPasteComponent.h"

#include "Geometry/sketch3d/Point3D.h"
#include "Geometry/text/Text.h"
#include "Geometry/text/TextBorder.h"
#include "Kv/DataModel/EntityChange.h"
#include "Kv/DataModel/IEntityObserver.h"
#include "Kv/DataModel/ObjectPath.h"
#include "Kv/DataModel/Request.h"
#include "Kv/Scene/Environment.h"
#include "Kv/Scene/EnvironmentManager.h"
#include "Kv/Scene/SceneManager.h"
#include "Wyn/Graphics/Attribute.h"
#include "Wyn/Graphics/PolyLineNode.h"
#include "Wyn/Graphics/TextNode.h"
#include "ZkGeMatrix3d.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace Kv::Geometry::Tests {
namespace {

// Counts the recorded changes of one entity by change type.
class ChangeCounter : public IEntityObserver {
public:
    void onEntityPostChange(Entity&, const EntityChange& change) override {
        ++(change.changeType() == kChangeEverything ? everything : other);
    }
    int everything = 0;
    int other = 0;
};

class TextTest : public ::testing::Test {
protected:
    TextTest() {
        style.faceName = L"Courier";
        style.color = Color(0.5f, 0.25f, 0.0f);
        style.width = 20.0;
        style.charset = 2;
        style.bold = true;
    }
    StrongRef<Text> makeText(const std::wstring& string, const ZkGePoint3d& at,
                             const FontStyle& with) {
        return Text::make(doc.parent, string, at, with);
    }
    // The scene as a view would draw it now.
    void realize() { doc.asset.sceneManager().rootNode(); }
    static std::vector<ZkGePoint3d> corners(const StrongRef<Text>& text) {
        std::vector<ZkGePoint3d> found;
        for (const StrongRef<TextBorder>& border : text->borderLines())
            found.push_back(border->start());
        return found;
    }
    // The lowest x and y of all profile pieces, the curves sampled densely.
    static ZkGePoint3d profileLow(const StrongRef<Text>& text) {
        std::vector<ZkGeLineSeg3d> lines;
        std::vector<ZkGeNurbCurve3d> curves;
        text->profile(lines, curves);
        std::vector<ZkGePoint3d> points;
        for (const ZkGeLineSeg3d& line : lines) {
            points.push_back(line.startPoint());
            points.push_back(line.endPoint());
        }
        for (const ZkGeNurbCurve3d& curve : curves) {
            std::vector<ZkGePoint3d> samples;
            curve.getSamplePoints(50, samples);
            points.insert(points.end(), samples.begin(), samples.end());
        }
        ZkGePoint3d low = points.front();
        for (const ZkGePoint3d& point : points) {
            low.x = std::min(low.x, point.x);
            low.y = std::min(low.y, point.y);
        }
        return low;
    }

    SketchTestDocument doc;
    FontStyle style;
    FontStyle plain;
};

// ---- style and placement

TEST_F(TextTest, ATextKeepsItsStyleAndTurnsAboutItsPosition) {
    StrongRef<Text> text = makeText(L"Hello", ZkGePoint3d(), style);
    EXPECT_EQ(text->center(), ZkGePoint3d(10, 5, 0));
    EXPECT_EQ(text->BBox().maxPoint(), ZkGePoint3d(20, 10, 0));
    EXPECT_EQ(text->toString().rfind(L"Text (0, 0: Hello) (Base ", 0), 0u);
    style.angle = M_PI_2;
    StrongRef<Text> turned = makeText(L"x", ZkGePoint3d(), style);
    EXPECT_TRUE(turned->center().isEqualTo(ZkGePoint3d(-5, 10, 0)));
    EXPECT_TRUE(turned->BBox().minPoint().isEqualTo(ZkGePoint3d(-10, 0, 0)));
    EXPECT_TRUE(turned->BBox().maxPoint().isEqualTo(ZkGePoint3d(0, 20, 0)));
}

TEST(TextPasteTest, PastingOntoATextIsPastingIntoItsSketch) {
    Asset asset;
    StrongRef<SketchTests::TestPasteComponent> component =
        SketchTests::TestPasteComponent::make(asset.createSegment());
    StrongRef<Sketches> sketches = Sketches::make(component.get());
    StrongRef<Sketch> sketch = Sketch::make(sketches, L"");
    StrongRef<Text> text =
        Text::make(StrongRef<Entity>(sketch), L"t", ZkGePoint3d(1, 2, 0), FontStyle());
    const ObjectPath target = ObjectPath::toEntity(text.get());
    const std::vector<ObjectPath> pasted{target};

    Request* request = text->onProvidePasteRequest(pasted, target, false, true, false);
    ASSERT_NE(request, nullptr);
    EXPECT_EQ(component->lastTarget(), target);
    EXPECT_EQ(component->lastFlags(), "clone");
    request->destroy();
    EXPECT_TRUE(text->onCanPaste(pasted, target, true, false));
    component->refuse();
    EXPECT_FALSE(text->onCanPaste(pasted, target, true, false));

    ZkGePoint3d picked;
    ZkGeMatrix3d pickedTransform;
    const ZkGeMatrix3d view = ZkGeMatrix3d::translation(ZkGeVector3d(0, 0, 5));
    EXPECT_TRUE(text->onProvideNominalHitInfo(nullptr, view, picked, pickedTransform));
    EXPECT_EQ(picked, ZkGePoint3d(1, 2, 0));
    EXPECT_EQ(pickedTransform, view);
}

// ---- scene and profiles

TEST_F(TextTest, SceneDrawsTheStringInAGroupPlacedAtThePosition) {
    plain.angle = M_PI / 6;
    StrongRef<Text> text = makeText(L"Hello", ZkGePoint3d(1, 2, 0), plain);
    realize();
    Wyn::Graphics::TextNode* node = text->textNode();
    ASSERT_NE(node, nullptr);
    ASSERT_NE(text->sceneNode(), nullptr);
    EXPECT_EQ(node->parent(), text->sceneNode());
    EXPECT_EQ(node->text(), L"Hello");
    EXPECT_EQ(node->defaultStyle().faceName(), L"Arial");
    EXPECT_EQ(node->defaultStyle().height(), 10.0);
    EXPECT_TRUE(text->sceneNode()->transform().isEqualTo(
        ZkGeMatrix3d::translation(ZkGeVector3d(1, 2, 0)) *
        ZkGeMatrix3d::rotation(M_PI / 6, ZkGeVector3d::kZAxis)));
    EXPECT_DOUBLE_EQ(text->fontStyle().width, Text::measuredWidth(L"Hello", plain));
    EXPECT_GT(text->fontStyle().width, 20.0);

    doc.transact([&] { text->translate(ZkGeVector3d(0, 3, 0)); });
    EXPECT_TRUE(text->sceneNode()->transform().isEqualTo(
        ZkGeMatrix3d::translation(ZkGeVector3d(1, 5, 0)) *
        ZkGeMatrix3d::rotation(M_PI / 6, ZkGeVector3d::kZAxis)))
        << "a moved text moves its node";
}

TEST_F(TextTest, TheTextNodeTakesTheEnvironmentsTextColourUnlessToldOtherwise) {
    StrongRef<Text> text = makeText(L"Hi", ZkGePoint3d(), style);
    realize();
    const auto occludedColor = [&] {
        const Wyn::Graphics::Attribute* effect =
            text->textNode()->attributes().find(Wyn::Graphics::AttributeType::OccludedEffect);
        EXPECT_NE(effect, nullptr);
        const Wyn::Objects::Color& c = effect->color();
        return Color(c.red, c.green, c.blue, c.alpha);
    };
    const Color environment =
        Scene::EnvironmentManager::getEnvManager().activeEnvironment()->sketchtextColor().toColor();
    EXPECT_EQ(occludedColor(), environment);
    text->useEnvironmentColors(false);
    realize();
    EXPECT_EQ(occludedColor(), style.color) << "the text's own colour";
    const Wyn::Graphics::Attribute* priority =
        text->textNode()->attributes().find(Wyn::Graphics::AttributeType::DepthPriority);
    ASSERT_NE(priority, nullptr);
    EXPECT_EQ(priority->priority(), 1);
}

TEST_F(TextTest, ProfilesFollowTheGlyphOutlinesFromTheLowerLeftCorner) {
    StrongRef<Text> upright = makeText(L"Hello", ZkGePoint3d(3, 4, 0), plain);
    plain.angle = M_PI_2;
    StrongRef<Text> turned = makeText(L"Hello", ZkGePoint3d(3, 4, 0), plain);
    realize();
    std::vector<ZkGeLineSeg3d> lines, turnedLines;
    std::vector<ZkGeNurbCurve3d> curves, turnedCurves;
    upright->profile(lines, curves);
    turned->profile(turnedLines, turnedCurves);
    ASSERT_FALSE(lines.empty());
    ASSERT_FALSE(curves.empty()) << "the rounded letters give curves";
    // The curve through three points of a quadratic piece strays from it by
    // a little, so the corner holds within a thousandth of the height.
    EXPECT_TRUE(profileLow(upright).isEqualTo(ZkGePoint3d(3, 4, 0), ZkGeTol(1e-2, 1e-2)))
        << "the outline's lower-left corner lies at the position";
    for (const ZkGeLineSeg3d& line : lines)
        EXPECT_FALSE(line.startPoint().isEqualTo(line.endPoint())) << "no zero-length pieces";

    // The same outline, turned a quarter about the position.
    const ZkGeMatrix3d quarter =
        ZkGeMatrix3d::rotation(M_PI_2, ZkGeVector3d::kZAxis, ZkGePoint3d(3, 4, 0));
    ASSERT_EQ(turnedLines.size(), lines.size());
    ASSERT_EQ(turnedCurves.size(), curves.size());
    for (size_t i = 0; i < lines.size(); ++i) {
        ZkGePoint3d start = lines[i].startPoint();
        EXPECT_TRUE(turnedLines[i].startPoint().isEqualTo(start.transformBy(quarter)));
    }
    ZkGePoint3d curveEnd = curves.back().endPoint();
    EXPECT_TRUE(turnedCurves.back().endPoint().isEqualTo(curveEnd.transformBy(quarter)));

    // A curve passes through the middle of its quadratic piece, so it stays
    // on the glyph: inside the text's box.
    const ZkGeInterval range = curves.front().getInterval();
    const ZkGePoint3d mid =
        curves.front().evalPoint(0.5 * (range.lowerBound() + range.upperBound()));
    EXPECT_GE(mid.x, 3.0);
    EXPECT_LE(mid.x, 3.0 + upright->fontStyle().width);
}

TEST_F(TextTest, UpdateIsOneChangeAndLaysTheTextOutAgain) {
    StrongRef<Text> text = makeText(L"Hello", ZkGePoint3d(), plain);
    realize();
    std::vector<ZkGeLineSeg3d> before;
    std::vector<ZkGeNurbCurve3d> beforeCurves;
    text->profile(before, beforeCurves);
    const double wide = text->fontStyle().width;

    ChangeCounter counter;
    text->subscribe(&counter);
    FontStyle bigger = plain;
    bigger.height = 20.0;
    doc.transact([&] { text->update(L"I", ZkGePoint3d(1, 1, 0), bigger); });
    text->unsubscribe(&counter);
    EXPECT_EQ(counter.everything, 1);
    EXPECT_EQ(text->text(), L"I");
    EXPECT_EQ(text->fontStyle().height, 20.0);
    std::vector<ZkGeLineSeg3d> after;
    std::vector<ZkGeNurbCurve3d> afterCurves;
    text->profile(after, afterCurves);
    EXPECT_EQ(after.size(), 4u) << "a capital I is one rectangle";
    EXPECT_TRUE(afterCurves.empty());
    EXPECT_LT(text->fontStyle().width, wide);
    EXPECT_EQ(text->textNode()->text(), L"I");

    ASSERT_TRUE(doc.asset.undo());
    EXPECT_EQ(text->text(), L"Hello");
    EXPECT_EQ(text->fontStyle().width, wide);
}

TEST_F(TextTest, BlanksShowAsPlaceholderRectangles) {
    StrongRef<Text> blanks = makeText(L"   ", ZkGePoint3d(), plain);
    plain.width = 25.0;
    StrongRef<Text> measured = makeText(L"   ", ZkGePoint3d(0, 20, 0), plain);
    realize();
    for (const StrongRef<Text>& text : {blanks, measured}) {
        const auto& children = text->textNode()->children();
        ASSERT_EQ(children.size(), 3u);
        for (size_t i = 0; i < 3; ++i) {
            auto* rectangle = dynamic_cast<Wyn::Graphics::PolyLineNode*>(children[i].get());
            ASSERT_NE(rectangle, nullptr);
            const double x = 6.0 * static_cast<double>(i);
            EXPECT_EQ(rectangle->points(),
                      (std::vector<ZkGePoint3d>{ZkGePoint3d(x, 0, 0), ZkGePoint3d(x + 5, 0, 0),
                                                ZkGePoint3d(x + 5, 10, 0), ZkGePoint3d(x, 10, 0),
                                                ZkGePoint3d(x, 0, 0)}));
        }
    }
    EXPECT_EQ(blanks->fontStyle().width, 18.0);
    EXPECT_EQ(measured->fontStyle().width, 25.0) << "a width above zero stays";
    EXPECT_EQ(Text::measuredWidth(L"   ", FontStyle()), 18.0);
    EXPECT_EQ(Text::measuredWidth(L"", FontStyle()), 0.0);

    doc.transact([&] { blanks->update(L"A", ZkGePoint3d(), FontStyle()); });
    realize();
    EXPECT_TRUE(blanks->textNode()->children().empty()) << "visible glyphs need no placeholder";
}

// ---- the box

TEST_F(TextTest, DrawBoxFramesTheTextWithFourSharedCorners) {
    style.angle = M_PI_2;
    StrongRef<Text> text = makeText(L"abc", ZkGePoint3d(1, 2, 0), style);
    doc.transact([&] { text->drawBox(); });
    ASSERT_EQ(text->borderLines().size(), 4u);
    const std::vector<ZkGePoint3d> found = corners(text);
    const std::vector<ZkGePoint3d> expected{ZkGePoint3d(1, 2, 0), ZkGePoint3d(1, 22, 0),
                                            ZkGePoint3d(-9, 22, 0), ZkGePoint3d(-9, 2, 0)};
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_TRUE(found[i].isEqualTo(expected[i])) << i;
        EXPECT_EQ(text->borderLines()[i]->endPoint(),
                  text->borderLines()[(i + 1) % 4]->startPoint())
            << "neighbouring border lines share their corner";
    }
    EXPECT_EQ(doc.sketch->points().size(), 4u);
    text->drawBox();
    EXPECT_EQ(text->borderLines().size(), 4u) << "a text has one box";

    ASSERT_TRUE(doc.asset.undo());
    EXPECT_TRUE(text->borderLines().empty());
    EXPECT_EQ(doc.sketch->childCount(), 1u);
}

TEST_F(TextTest, MovingTheTextMovesItsBox) {
    StrongRef<Text> text = makeText(L"abc", ZkGePoint3d(), style);
    text->drawBox();
    StrongRef<Line3D> neighbour =
        Line3D::make(doc.parent, ZkGePoint3d(20, 10, 0), ZkGePoint3d(30, 30, 0));
    doc.transact([&] { text->translate(ZkGeVector3d(0, 5, 0)); });
    EXPECT_EQ(text->position(), ZkGePoint3d(0, 5, 0));
    EXPECT_EQ(text->fontStyle().height, 10.0) << "moving its own box does not resize the text";
    EXPECT_TRUE(corners(text)[2].isEqualTo(ZkGePoint3d(20, 15, 0)));
    EXPECT_TRUE(text->borderLines()[1]->lineCurve().endPoint().isEqualTo(ZkGePoint3d(20, 15, 0)))
        << "the border lines follow their corners";
    EXPECT_TRUE(neighbour->lineCurve().startPoint().isEqualTo(ZkGePoint3d(20, 15, 0)))
        << "a line sharing the corner follows too";

    doc.transact([&] { text->position(ZkGePoint3d(-1, -1, 0)); });
    EXPECT_TRUE(corners(text)[0].isEqualTo(ZkGePoint3d(-1, -1, 0)));
    ASSERT_TRUE(doc.asset.undo());
    ASSERT_TRUE(doc.asset.undo());
    EXPECT_TRUE(corners(text)[2].isEqualTo(ZkGePoint3d(20, 10, 0)));
    EXPECT_TRUE(text->borderLines()[1]->lineCurve().endPoint().isEqualTo(ZkGePoint3d(20, 10, 0)));
}

TEST_F(TextTest, TheTextFollowsItsBaseLine) {
    StrongRef<Text> text = makeText(L"abc", ZkGePoint3d(), style);
    text->drawBox();
    const StrongRef<TextBorder> base = text->borderLines()[0];
    doc.transact([&] {
        base->endPoint()->point(ZkGePoint3d(1, 31, 0));
        base->startPoint()->point(ZkGePoint3d(1, 1, 0));
        base->updateCurve();
    });
    EXPECT_EQ(text->position(), ZkGePoint3d(1, 1, 0));
    EXPECT_DOUBLE_EQ(text->fontStyle().angle, M_PI_2);
    EXPECT_DOUBLE_EQ(text->fontStyle().height, 30.0) << "the base line's length is the height";
    ASSERT_TRUE(doc.asset.undo());
    EXPECT_EQ(text->position(), ZkGePoint3d());
    EXPECT_EQ(text->fontStyle().height, 10.0);

    // A change that moves nothing, such as a colour, leaves the text alone.
    doc.transact([&] { base->lineColor(Color(0, 0, 1, 1)); });
    EXPECT_EQ(text->fontStyle().angle, 0.0);
}

TEST_F(TextTest, AnOpenedTextFollowsItsOpenedBaseLine) {
    StrongRef<Text> text = makeText(L"abc", ZkGePoint3d(), style);
    text->drawBox();
    std::unique_ptr<Asset> opened = doc.saveAndOpen();
    auto* readText = queryInterface<Text>(doc.counterpart(*opened, text.get()));
    ASSERT_TRUE(readText);
    const StrongRef<TextBorder> base = readText->borderLines()[0];
    base->startPoint()->point(ZkGePoint3d(0, -2, 0));
    base->updateCurve();
    EXPECT_EQ(readText->position(), ZkGePoint3d(0, -2, 0));
    EXPECT_EQ(text->position(), ZkGePoint3d()) << "the saved text is another object";
}

} // namespace
} // namespace Kv::Geometry::Tests
