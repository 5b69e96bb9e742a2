// Deleting sketch text: a text takes its border lines with it unless told to
// leave them, a border line takes the whole text, and undo brings back a
// text that still follows its box.

#include "SketchModelDocument.h"

#include "Geometry/curves3d/Line3D.h"
#include "Geometry/sketch3d/DeleteTextRequest.h"
#include "Geometry/sketch3d/Point3D.h"
#include "Geometry/sketch3d/Sketch.h"
#include "Geometry/text/Text.h"
#include "Geometry/text/TextBorder.h"
#include "Kv/DataModel/ObjectPath.h"
#include "Kv/DataModel/Status.h"

#include <gtest/gtest.h>

namespace Kv::Geometry::SketchTests {
namespace {

class TextDeletionTest : public ::testing::Test {
protected:
    TextDeletionTest()
        : sketch(doc.newSketch())
        , parent(sketch) {
        FontStyle style;
        style.width = 30.0;
        doc.transact([&] {
            text = Text::make(parent, L"abc", ZkGePoint3d(), style);
            text->drawBox();
        });
        borders = text->borderLines();
    }

    // Deletes `entity` through the request it offers for itself, with
    // `adjust` applied to the request first.
    template <class Adjust = void (*)(Request*)>
    void remove(
        Geometry3D& entity, Adjust adjust = [](Request*) {}) {
        const ObjectPath path = ObjectPath::toEntity(&entity);
        ASSERT_TRUE(entity.onCanDelete(path));
        Request* request = entity.onProvideDeleteRequest(path);
        ASSERT_TRUE(request);
        adjust(request);
        Status status;
        EXPECT_TRUE(request->execute(status));
        request->destroy();
    }
    bool inSketch(const Entity* entity) const {
        return sketch->indexOf(entity) != Managed::ManagedGroupEntity::npos;
    }
    size_t bordersInSketch() const {
        size_t count = 0;
        for (const StrongRef<TextBorder>& border : borders)
            count += inSketch(border.get()) ? 1 : 0;
        return count;
    }

    SketchModelDocument doc;
    StrongRef<Sketch> sketch;
    StrongRef<Entity> parent;
    StrongRef<Text> text;
    std::vector<StrongRef<TextBorder>> borders;
};

TEST_F(TextDeletionTest, DeletingATextTakesItsBordersAndCornersWithIt) {
    remove(*text);
    EXPECT_EQ(sketch->childCount(), 0u) << "text, border lines and corner points are gone";

    ASSERT_TRUE(doc.asset.undo());
    EXPECT_TRUE(inSketch(text.get()));
    EXPECT_EQ(bordersInSketch(), 4u);
    EXPECT_EQ(sketch->points().size(), 4u);
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
    remove(*text,
           [](Request* request) { static_cast<DeleteTextRequest*>(request)->deleteBorder(false); });
    EXPECT_FALSE(inSketch(text.get()));
    EXPECT_EQ(bordersInSketch(), 4u);
    EXPECT_EQ(sketch->points().size(), 4u);
    EXPECT_FALSE(borders[0]->text()) << "a left border belongs to no text";

    ASSERT_TRUE(doc.asset.undo());
    EXPECT_TRUE(inSketch(text.get()));
    EXPECT_EQ(borders[0]->text().getTarget(), text.get());
    EXPECT_EQ(text->borderLines().size(), 4u);
}

TEST_F(TextDeletionTest, DeletingAnyBorderLineDeletesTheWholeText) {
    remove(*borders[2]);
    EXPECT_EQ(sketch->childCount(), 0u);
    ASSERT_TRUE(doc.asset.undo());
    EXPECT_EQ(sketch->childCount(), 9u);
    ASSERT_TRUE(doc.asset.redo());
    EXPECT_EQ(sketch->childCount(), 0u);
}

TEST_F(TextDeletionTest, CornersOtherGeometryUsesStay) {
    StrongRef<Line3D> line;
    doc.transact(
        [&] { line = Line3D::make(parent, ZkGePoint3d(30, 10, 0), ZkGePoint3d(40, 40, 0)); });
    remove(*text);
    EXPECT_TRUE(inSketch(line.get()));
    EXPECT_TRUE(inSketch(line->startPoint().get())) << "the shared corner stays with the line";
    EXPECT_EQ(sketch->points().size(), 2u);
}

} // namespace
} // namespace Kv::Geometry::SketchTests
