// Documents of 2D sketches: every member of every class comes back from a
// saved file as it was written, references included.

#include "Sketch2DTestDocument.h"

#include "Geometry/sketch2d/Arc2D.h"
#include "Geometry/sketch2d/EllipticArc2D.h"
#include "Geometry/sketch2d/GeometryGroup2D.h"
#include "Geometry/sketch2d/Line2D.h"
#include "Geometry/sketch2d/Point2D.h"
#include "Geometry/sketch2d/Sketch2DsRoot.h"
#include "Geometry/sketch2d/Spline2D.h"

#include <gtest/gtest.h>

namespace Kv::Geometry::Sketch2DTests {
namespace {

// One of everything, with every attribute off its default somewhere.
struct FullDocument : Sketch2DTestDocument {
    FullDocument() {
        sketch->userName(L"Plan \u00e9 \"A\"");
        sketch->transform(ZkGeMatrix3d::translation(ZkGeVector3d(10, -2.5, 1e-9)));
        const StrongRef<Entity> s = parent();
        StrongRef<Line2D> a = Line2D::make(s, ZkGePoint2d(0, 0), ZkGePoint2d(1.0 / 3, 0));
        Line2D::make(s, ZkGePoint2d(1.0 / 3, 0), ZkGePoint2d(1, 1));
        a->lineColor(Color(0.25f, 0.5f, 1.0f, 0.75f));
        a->lineThickness(2.5f);
        Point2D::make(s, ZkGePoint2d(-7, 1e300), false)->fillColor(Color(1, 0, 0));
        Arc2D::make(s, ZkGePoint2d(0, 0), ZkGePoint2d(2, 0), ZkGePoint2d(0, 5))->zOrder(7);
        Arc2D::make(s, ZkGePoint2d(3, 3), 0.5)->isVisible(false);
        EllipticArc2D::make(s, ZkGePoint2d(0, 0), ZkGeVector2d(0.6, 0.8), 3, 1, ZkGePoint2d(1, 0),
                            ZkGePoint2d(0, 1));
        EllipticArc2D::make(s, ZkGePoint2d(9, 9), ZkGeVector2d(1, 0), 2, 2);
        Spline2D::make(s, {{0, 0}, {1, 2}, {3, -1}, {4, 0}})->setFitPointLimit(9);
        StrongRef<GeometryGroup2D> group = GeometryGroup2D::make(s);
        StrongRef<GeometryGroup2D> nested = GeometryGroup2D::make(StrongRef<Entity>(group));
        Line2D::make(StrongRef<Entity>(nested), ZkGePoint2d(0, 0), ZkGePoint2d(0, 1));
        group->lineColor(Color(0, 1, 0));

        Sketch2D::make(sketch2Ds, L"", ZkGeMatrix3d());
        top = Sketch2D::make(segment, L"Top", ZkGeMatrix3d::translation(ZkGeVector3d(0, 0, 5)));
        Line2D::make(StrongRef<Entity>(top), ZkGePoint2d(1, 1), ZkGePoint2d(2, 2));
    }

    StrongRef<Sketch2D> top;
};

std::string everything(Component& component) {
    std::string text;
    for (const StrongRef<Sketch2Ds>& collection : childrenOf<Sketch2Ds>(component)) {
        text += pathOf(collection.get()) + "\n" + printed(collection.get());
        text += describe(*collection);
    }
    return text;
}

std::string topLevel(Segment* segment) {
    std::string text;
    StrongRef<Sketch2DsRoot> root = Sketch2DsRoot::find(segment);
    for (unsigned i = 0; root && i < root->sketch2Ds(); ++i)
        text += printed(root->sketch2D(i).get()) + describe(*root->sketch2D(i));
    return text;
}

TEST(Sketch2DPersistence, EveryMemberOfEveryClassRoundTrips) {
    FullDocument doc;
    const std::string written = everything(*doc.component);
    const std::string writtenTop = topLevel(doc.segment);
    ASSERT_NE(writtenTop, "");

    std::unique_ptr<Asset> loaded = saveAndOpen(*doc.asset);
    StrongRef<Component> component = Component::find(loaded->defaultSegment());
    ASSERT_TRUE(component);
    EXPECT_EQ(everything(*component), written);
    EXPECT_EQ(topLevel(loaded->defaultSegment()), writtenTop);

    // The loaded entities are of their own classes, not just their data.
    StrongRef<Sketch2D> sketch = childrenOf<Sketch2Ds>(*component).front()->sketch2D(0);
    ASSERT_TRUE(sketch);
    EXPECT_EQ(sketch->userName(), doc.sketch->userName());
    EXPECT_EQ(childrenOf<Arc2D>(*sketch).size(), 2u);
    EXPECT_EQ(childrenOf<Spline2D>(*sketch).front()->fitPoints(), 4u);
    const StrongRef<Line2D> first = childrenOf<Line2D>(*sketch).front();
    EXPECT_EQ(first->endPoint(), childrenOf<Line2D>(*sketch).back()->startPoint());
    EXPECT_EQ(first->sketch2D(), sketch);

    sketch.reset();
    component.reset();
    loaded->clear();
}

} // namespace
} // namespace Kv::Geometry::Sketch2DTests
