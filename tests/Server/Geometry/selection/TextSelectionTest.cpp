// Selections of sketch texts: what a text's pick makes, the filter that
// keeps only texts, and picking a text where its glyphs are drawn.

#include "../sketch3d/SketchModelDocument.h"
#include "SelectionTestSupport.h"

#include "Geometry/selection/Geometry3DSelectionFilter.h"
#include "Geometry/selection/SketchCurveSelection.h"
#include "Geometry/selection/SketchCurveSelectionFilter.h"
#include "Geometry/selection/TextSelection.h"
#include "Geometry/selection/TextSelectionFilter.h"
#include "Geometry/text/Text.h"
#include "Geometry/text/TextBorder.h"
#include "Kv/Scene/SceneManager.h"
#include "Kv/Selection/Picker.h"
#include "Kv/Selection/SelectionCategory.h"
#include "Wyn/Scene/DrawList.h"
#include "Wyn/Scene/View.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace Kv::Geometry::SelectionTests {
namespace {

using SketchTests::SketchModelDocument;

bool passes(const SelectionFilter& filter, const StrongRef<LogicalSelection>& candidate) {
    return bool(filter.filter(StrongRef<Selection>(candidate.get())));
}

// A boxed text "I", 10 high, at the sketch origin of an unplaced sketch, so
// that sketch, model and top view coordinates agree.
class TextSelectionTest : public ::testing::Test {
protected:
    void SetUp() override {
        sketch = doc.newSketch();
        doc.transact([&] {
            text = Text::make(StrongRef<Entity>(sketch), L"I", ZkGePoint3d(0, 0, 0), FontStyle());
        });
        doc.asset.sceneManager().rootNode(); // lays the text out, which measures it
        doc.transact([&] { text->drawBox(); });
    }

    std::vector<Entity*> hitsAt(double x, double y) {
        return SelectionTests::hitsAt(doc.asset.sceneManager(), x, y);
    }

    SketchModelDocument doc;
    StrongRef<Sketch> sketch;
    StrongRef<Text> text;
    const Wyn::Scene::View top = Wyn::Scene::View::top();
};

TEST_F(TextSelectionTest, ATextSelectsItselfAsThreeDGeometry) {
    StrongRef<TextSelection> selection = pick<TextSelection>(text.get());
    ASSERT_TRUE(selection);
    EXPECT_EQ(selection->path().leaf(), text.get());
    EXPECT_EQ(selection->text().get(), text.get());
    EXPECT_EQ(selection->geometry().get(), text.get());
    EXPECT_TRUE(selection->userName().empty()) << "a text selection has no name of its own";

    // Its border lines stay sketch curves.
    EXPECT_FALSE(pick<TextSelection>(text->borderLines().front().get()));
    EXPECT_TRUE(pick<SketchCurveSelection>(text->borderLines().front().get()));
}

TEST_F(TextSelectionTest, ATextInPreviewCannotBePickedAndADeletedOneIsNotReached) {
    text->drawForPreview(true);
    EXPECT_FALSE(pick<LogicalSelection>(text.get()));
    text->drawForPreview(false);
    StrongRef<TextSelection> selection = pick<TextSelection>(text.get());
    ASSERT_TRUE(selection);
    doc.transact([&] { sketch->remove(StrongRef<GeometryBase3D>(text)); });
    EXPECT_FALSE(selection->isValid());
    EXPECT_FALSE(selection->text());
}

TEST_F(TextSelectionTest, TheTextFilterPassesTextsOnly) {
    TextSelectionFilter& filter = TextSelectionFilter::get();
    StrongRef<LogicalSelection> textPick = pick<TextSelection>(text.get());
    StrongRef<LogicalSelection> borderPick =
        pick<SketchCurveSelection>(text->borderLines()[1].get());
    EXPECT_EQ(filter.filter(StrongRef<Selection>(textPick.get())).get(), textPick.get());
    EXPECT_FALSE(passes(filter, borderPick));
    EXPECT_FALSE(passes(filter, {}));

    // The other geometry filters see a text as 3D geometry but not as a curve.
    EXPECT_TRUE(passes(Geometry3DSelectionFilter::get(), textPick));
    EXPECT_FALSE(passes(SketchCurveSelectionFilter::anyCurves(), textPick));
    EXPECT_TRUE(passes(SketchCurveSelectionFilter::TextBorder(), borderPick));

    EXPECT_EQ(filter.selectionCategory()->name(), L"Text Selection");
}

TEST_F(TextSelectionTest, PickingFindsTheTextOnAndInsideItsGlyphs) {
    // The glyph of "I" is one filled bar; its middle lies farther than the
    // pick tolerance from every edge of the outline.
    Wyn::Objects::BBox glyph;
    const Wyn::Scene::DrawList drawn(*doc.asset.sceneManager().rootNode(), top);
    for (const Wyn::Scene::DrawItem& item : drawn.items())
        if (item.kind == Wyn::Scene::DrawItem::Kind::Fill)
            for (const std::vector<ZkGePoint3d>& path : item.paths)
                for (const ZkGePoint3d& point : path)
                    glyph.extend(point);
    ASSERT_FALSE(glyph.isEmpty());
    const ZkGePoint3d low = glyph.minPoint(), high = glyph.maxPoint();
    ASSERT_GT(high.x - low.x, 0.5);
    const double midX = (low.x + high.x) / 2, midY = (low.y + high.y) / 2;

    EXPECT_EQ(hitsAt(midX, midY), std::vector<Entity*>{text.get()}) << "inside the glyph";
    // The box's border lines hug the glyph, so they may be hit beside it.
    const auto hitsText = [&](double x, double y) {
        const std::vector<Entity*> hits = hitsAt(x, y);
        return std::find(hits.begin(), hits.end(), text.get()) != hits.end();
    };
    EXPECT_TRUE(hitsText(high.x + 0.05, midY)) << "near its edge";
    EXPECT_FALSE(hitsText(high.x + 0.2, midY));

    StrongRef<LogicalSelection> picked = Picker::select(text.get(), top, midX, midY);
    ASSERT_TRUE(queryInterface<TextSelection>(picked.get()));
    EXPECT_TRUE(picked->hitInfo());
}

} // namespace
} // namespace Kv::Geometry::SelectionTests
