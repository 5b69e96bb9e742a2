// The border lines of a text: ordinary sketch lines in a colour of their
// own that know their text, share corners and ask for their own deletion.

#include "../curves3d/SketchTestDocument.h"

#include "Geometry/sketch3d/CurveUses.h"
#include "Geometry/sketch3d/DeleteGeometry3DRequest.h"
#include "Geometry/sketch3d/DeleteTextBorderRequest.h"
#include "Geometry/sketch3d/DeleteTextRequest.h"
#include "Geometry/sketch3d/Point3D.h"
#include "Geometry/text/Text.h"
#include "Geometry/text/TextBorder.h"
#include "Kv/DataModel/ObjectPath.h"
#include "Kv/DataModel/Onk.h"

#include <gtest/gtest.h>

#include <memory>

namespace Kv::Geometry::Tests {
namespace {

// Takes a request the way the host does and lets it go again.
using OwnedRequest = std::unique_ptr<Request, void (*)(Request*)>;
OwnedRequest own(Request* request) {
    return OwnedRequest(request, [](Request* r) {
        if (r)
            r->destroy();
    });
}

class TextBorderTest : public ::testing::Test {
protected:
    TextBorderTest()
        : text(Text::make(doc.parent, L"t", ZkGePoint3d(), FontStyle())) {}
    StrongRef<TextBorder> border(const ZkGePoint3d& start, const ZkGePoint3d& end) {
        return TextBorder::make(doc.parent, start, end, text);
    }

    SketchTestDocument doc;
    StrongRef<Text> text;
};

TEST_F(TextBorderTest, ABorderIsALineInItsOwnColourThatKnowsItsText) {
    StrongRef<TextBorder> line = border(ZkGePoint3d(1, 2, 0), ZkGePoint3d(21, 2, 0));
    EXPECT_EQ(line->geomType(), Geometry3D::kTextBorder);
    EXPECT_EQ(line->text().getTarget(), text.get());
    EXPECT_EQ(line->lineColor(), Color(1.0f, 0.8f, 0.1f, 1.0f));
    EXPECT_FALSE(line->useEnvironmentColors());
    EXPECT_EQ(line->lineCurve(), ZkGeLineSeg3d(ZkGePoint3d(1, 2, 0), ZkGePoint3d(21, 2, 0)));
    EXPECT_TRUE(line->startPoint()->curveUses()->contains(PassiveRef<Curve3D>(line.get())));
    EXPECT_EQ(line->toString().rfind(L"TextBorder (Base Line3D", 0), 0u);
    Onk key;
    ASSERT_TRUE(line->getOnk(key));
    EXPECT_EQ(key.name(), L"TextBorder:12:1");
}

TEST_F(TextBorderTest, BordersShareTheirCornersWithEachOtherAndTheSketch) {
    StrongRef<Line3D> line = Line3D::make(doc.parent, ZkGePoint3d(5, 5, 0), ZkGePoint3d(9, 9, 0));
    StrongRef<TextBorder> first = border(ZkGePoint3d(0, 0, 0), ZkGePoint3d(5, 5, 0));
    StrongRef<TextBorder> second = border(ZkGePoint3d(5, 5, 0), ZkGePoint3d(0, 5, 0));
    EXPECT_EQ(first->endPoint(), second->startPoint());
    EXPECT_EQ(first->endPoint(), line->startPoint());
    EXPECT_EQ(doc.sketch->points().size(), 4u);
}

TEST_F(TextBorderTest, TheLeafOfThePathChoosesTheDeletionRequest) {
    StrongRef<TextBorder> line = border(ZkGePoint3d(), ZkGePoint3d(1, 0, 0));
    OwnedRequest own1 = own(line->onProvideDeleteRequest(ObjectPath::toEntity(line.get())));
    EXPECT_NE(dynamic_cast<DeleteTextBorderRequest*>(own1.get()), nullptr);
    OwnedRequest own2 = own(text->onProvideDeleteRequest(ObjectPath::toEntity(text.get())));
    EXPECT_NE(dynamic_cast<DeleteTextRequest*>(own2.get()), nullptr);
    EXPECT_TRUE(dynamic_cast<DeleteTextRequest*>(own2.get())->deleteBorder());
    // A path that ends at another entity is the ordinary geometry's answer:
    // none for these two.
    const ObjectPath elsewhere = ObjectPath::toEntity(line->startPoint().get());
    EXPECT_EQ(own(line->onProvideDeleteRequest(elsewhere)).get(), nullptr);
    EXPECT_EQ(own(text->onProvideDeleteRequest(elsewhere)).get(), nullptr);
}

} // namespace
} // namespace Kv::Geometry::Tests
