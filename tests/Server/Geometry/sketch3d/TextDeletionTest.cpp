// Deleting sketch text: a text takes its border lines with it unless told to
// leave them, a border line takes the whole text, and undo brings back a
// text that still follows its box.

#include "../curves3d/SketchTestDocument.h"

#include "Geometry/sketch3d/DeleteTextRequest.h"
#include "Geometry/text/Text.h"
#include "Geometry/text/TextBorder.h"

#include <gtest/gtest.h>

namespace Kv::Geometry::Tests {
namespace {

class TextDeletionTest : public ::testing::Test {
protected:
    TextDeletionTest() {
        FontStyle style;
        style.width = 30.0;
        doc.transact([&] {
            text = Text::make(doc.parent, L"abc", ZkGePoint3d(), style);
            text->drawBox();
        });
        borders = text->borderLines();
    }
    size_t bordersInSketch() const {
        size_t count = 0;
        for (const StrongRef<TextBorder>& border : borders)
            count += doc.inSketch(border.get()) ? 1 : 0;
        return count;
    }

    SketchTestDocument doc;
    StrongRef<Text> text;
    std::vector<StrongRef<TextBorder>> borders;
};

TEST_F(TextDeletionTest, DeletingATextTakesItsBordersAndCornersWithIt) {
    doc.deleteThroughRequest(*text);
    EXPECT_EQ(doc.sketch->childCount(), 0u) << "text, border lines and corner points are gone";

    ASSERT_TRUE(doc.asset.undo());
    EXPECT_TRUE(doc.inSketch(text.get()));
    EXPECT_EQ(bordersInSketch(), 4u);
    EXPECT_EQ(doc.sketch->points().size(), 4u);
    ASSERT_EQ(text->borderLines().size(), 4u);
    EXPECT_EQ(text->borderLines()[0], borders[0]);

    // The restored text still follows its base line.
    doc.transact([&] {
        borders[0]->startPoint()->point(ZkGePoint3d(0, 1, 0));
        borders[0]->updateCurve();
    });
    EXPECT_EQ(text->position(), ZkGePoint3d(0, 1, 0));
}

TEST_F(TextDeletionTest, ATextToldToLeaveItsBordersLeavesThemAsPlainLines) {
    doc.deleteThroughRequest(*text, [](Request* request) {
        static_cast<DeleteTextRequest*>(request)->deleteBorder(false);
    });
    EXPECT_FALSE(doc.inSketch(text.get()));
    EXPECT_EQ(bordersInSketch(), 4u);
    EXPECT_EQ(doc.sketch->points().size(), 4u);
    EXPECT_FALSE(borders[0]->text()) << "a left border belongs to no text";

    ASSERT_TRUE(doc.asset.undo());
    EXPECT_TRUE(doc.inSketch(text.get()));
    EXPECT_EQ(borders[0]->text().getTarget(), text.get());
    EXPECT_EQ(text->borderLines().size(), 4u);
}

TEST_F(TextDeletionTest, DeletingAnyBorderLineDeletesTheWholeText) {
    doc.deleteThroughRequest(*borders[2]);
    EXPECT_EQ(doc.sketch->childCount(), 0u);
    ASSERT_TRUE(doc.asset.undo());
    EXPECT_EQ(doc.sketch->childCount(), 9u);
    ASSERT_TRUE(doc.asset.redo());
    EXPECT_EQ(doc.sketch->childCount(), 0u);
}

TEST_F(TextDeletionTest, CornersOtherGeometryUsesStay) {
    StrongRef<Line3D> line;
    doc.transact(
        [&] { line = Line3D::make(doc.parent, ZkGePoint3d(30, 10, 0), ZkGePoint3d(40, 40, 0)); });
    doc.deleteThroughRequest(*text);
    EXPECT_TRUE(doc.inSketch(line.get()));
    EXPECT_TRUE(doc.inSketch(line->startPoint().get())) << "the shared corner stays with the line";
    EXPECT_EQ(doc.sketch->points().size(), 2u);
}

} // namespace
} // namespace Kv::Geometry::Tests
