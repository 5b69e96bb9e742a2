#include "../curves3d/SketchTestDocument.h"

#include "Geometry/sketch3d/CurveUses.h"
#include "Geometry/sketch3d/Point3D.h"
#include "Geometry/text/Text.h"
#include "Geometry/text/TextBorder.h"
#include "Kv/DataModel/MemberSet.h"

#include <gtest/gtest.h>

#include <cmath>

namespace Kv::Geometry::Tests {
namespace {

class TextTest : public ::testing::Test {
protected:
    TextTest() {
        style.faceName = L"Courier";
        style.color = Color(0.5f, 0.25f, 0.0f);
        style.width = 20.0;
        style.charset = 2;
        style.bold = true;
    }
    StrongRef<TextBorder> border(const StrongRef<Text>& text) {
        return TextBorder::make(doc.parent, Point3D::make(doc.parent, ZkGePoint3d(1, 2, 0)),
                                Point3D::make(doc.parent, ZkGePoint3d(21, 2, 0)), text);
    }

    SketchTestDocument doc;
    FontStyle style;
};

TEST_F(TextTest, MemberSetsInOrder) {
    border(Text::make(doc.parent, L"abc", ZkGePoint3d(), style));
    EXPECT_EQ(ownMemberNames(Text::memberSet()),
              (std::vector<std::string>{"position", "text", "face", "color", "height", "width",
                                        "angle", "charset", "bold", "italic", "underline", "shx",
                                        "rightReading", "profilelines", "profilecurves", "textBox",
                                        "useEnvironmentColors"}));
    EXPECT_EQ(Text::memberSet().base(), &Geometry3D::memberSet());
    EXPECT_EQ(ownMemberNames(TextBorder::memberSet()), std::vector<std::string>{"text"});
    EXPECT_EQ(TextBorder::memberSet().base(), &Line3D::memberSet());
}

TEST_F(TextTest, ATextKeepsItsStyleAndTurnsAboutItsPosition) {
    const FontStyle plain;
    EXPECT_EQ(plain.faceName, L"Arial");
    EXPECT_EQ(plain.color, Color(0, 0, 0, 1));
    EXPECT_EQ(plain.height, 10.0);

    StrongRef<Text> text = Text::make(doc.parent, L"Hello", ZkGePoint3d(), style);
    EXPECT_EQ(text->geomType(), Geometry3D::kText);
    EXPECT_EQ(text->fontStyle().faceName, L"Courier");
    EXPECT_EQ(text->fontStyle().charset, 2);
    EXPECT_TRUE(text->fontStyle().bold && text->useEnvironmentColors());
    EXPECT_EQ(text->center(), ZkGePoint3d(10, 5, 0));
    EXPECT_EQ(text->toString().rfind(L"Text (0, 0: Hello) (Base ", 0), 0u);
    style.angle = M_PI_2;
    EXPECT_TRUE(Text::make(doc.parent, L"x", ZkGePoint3d(), style)
                    ->center()
                    .isEqualTo(ZkGePoint3d(-5, 10, 0)));
}

TEST_F(TextTest, ABorderIsALineInItsOwnColourThatKnowsItsText) {
    StrongRef<Text> text = Text::make(doc.parent, L"t", ZkGePoint3d(), style);
    StrongRef<TextBorder> line = border(text);
    EXPECT_EQ(line->geomType(), Geometry3D::kTextBorder);
    EXPECT_EQ(line->text().getTarget(), text.get());
    EXPECT_EQ(line->lineColor(), Color(1.0f, 0.8f, 0.1f, 1.0f));
    EXPECT_FALSE(line->useEnvironmentColors());
    EXPECT_EQ(line->lineCurve(), ZkGeLineSeg3d(ZkGePoint3d(1, 2, 0), ZkGePoint3d(21, 2, 0)));
    EXPECT_TRUE(line->startPoint()->curveUses()->contains(PassiveRef<Curve3D>(line.get())));
}

TEST_F(TextTest, SaveAndOpenKeepTextAndBorders) {
    StrongRef<Text> text = Text::make(doc.parent, L"Grüße \"x\"", ZkGePoint3d(1, 2, 3), style);
    text->useEnvironmentColors(false);
    StrongRef<TextBorder> line = border(text);
    std::unique_ptr<Asset> opened = doc.saveAndOpen();
    auto* readText = queryInterface<Text>(doc.counterpart(*opened, text.get()));
    auto* readLine = queryInterface<TextBorder>(doc.counterpart(*opened, line.get()));
    ASSERT_TRUE(readText && readLine);
    EXPECT_EQ(printed(readText), printed(text.get()));
    EXPECT_EQ(printed(readLine), printed(line.get()));
    EXPECT_EQ(readText->text(), L"Grüße \"x\"");
    EXPECT_EQ(readLine->text().getTarget(), readText);
}

TEST_F(TextTest, CreationAndMovesUndoAndRedo) {
    StrongRef<Text> text = Text::make(doc.parent, L"t", ZkGePoint3d(1, 1, 0), style);
    StrongRef<TextBorder> line;
    doc.transact([&] { line = border(text); });
    const std::string made = printed(line.get());
    doc.transact([&] {
        text->position(ZkGePoint3d(4, 4, 0));
        text->translate(ZkGeVector3d(1, 0, 0));
    });
    EXPECT_EQ(text->position(), ZkGePoint3d(5, 4, 0));
    ASSERT_TRUE(doc.asset.undo());
    EXPECT_EQ(text->position(), ZkGePoint3d(1, 1, 0));
    ASSERT_TRUE(doc.asset.undo());
    EXPECT_EQ(doc.sketch->childCount(), 1u);
    ASSERT_TRUE(doc.asset.redo());
    EXPECT_EQ(printed(line.get()), made);
}

} // namespace
} // namespace Kv::Geometry::Tests
