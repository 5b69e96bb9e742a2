// What 2D drawings put into the scene: the collection's and each sketch's
// group nodes with the sketch's placement, group nodes for groups, nothing
// for points, and curves drawn as bands of their line thickness (or thin
// strips while they preview) that follow every edit and undo.

#include "Sketch2DTestDocument.h"

#include "Geometry/sketch2d/Arc2D.h"
#include "Geometry/sketch2d/EllipticArc2D.h"
#include "Geometry/sketch2d/GeometryGroup2D.h"
#include "Geometry/sketch2d/Line2D.h"
#include "Geometry/sketch2d/Point2D.h"
#include "Geometry/sketch2d/Spline2D.h"
#include "Kv/DataModel/ObjectPath.h"
#include "Kv/DataModel/Segment.h"
#include "Kv/Scene/SceneManager.h"
#include "Wyn/Graphics/Attribute.h"
#include "Wyn/Graphics/GeometryNode.h"
#include "Wyn/Graphics/LodGeometryNode.h"

#include <gtest/gtest.h>

#include <cmath>

namespace Kv::Geometry::Sketch2DTests {
namespace {

using Wyn::Graphics::ARenderNode;
using Wyn::Objects::BBox;
using Wyn::Objects::Mesh;
using Wyn::Objects::Point3f;
using Wyn::Objects::PrimitiveType;

class Sketch2DSceneTest : public ::testing::Test {
protected:
    // The scene as a view would draw it now.
    ARenderNode* root() { return doc.asset->sceneManager().rootNode(); }
    const Mesh& drawn(Geometry2D& item) {
        root();
        auto* node = dynamic_cast<Wyn::Graphics::GeometryNode*>(item.sceneNode());
        if (!node)
            throw std::logic_error("the item has no geometry node");
        return node->displayMesh();
    }
    StrongRef<Line2D> line(const ZkGePoint2d& a, const ZkGePoint2d& b) {
        return Line2D::make(doc.parent(), a, b);
    }

    Sketch2DTestDocument doc;
};

void expectBox(const BBox& box, const ZkGePoint3d& low, const ZkGePoint3d& high, double tol) {
    EXPECT_NEAR(box.minPoint().x, low.x, tol);
    EXPECT_NEAR(box.minPoint().y, low.y, tol);
    EXPECT_NEAR(box.minPoint().z, low.z, tol);
    EXPECT_NEAR(box.maxPoint().x, high.x, tol);
    EXPECT_NEAR(box.maxPoint().y, high.y, tol);
    EXPECT_NEAR(box.maxPoint().z, high.z, tol);
}

TEST_F(Sketch2DSceneTest, SketchesGroupsAndCurvesHaveNodesButPointsDoNot) {
    StrongRef<Line2D> outer = line({0, 0}, {1, 0});
    StrongRef<Point2D> lone = Point2D::make(doc.parent(), ZkGePoint2d(5, 5), false);
    StrongRef<GeometryGroup2D> group = GeometryGroup2D::make(doc.parent());
    StrongRef<Line2D> inner =
        Line2D::make(StrongRef<Entity>(group), ZkGePoint2d(2, 0), ZkGePoint2d(3, 0));
    root();

    ARenderNode* collection = doc.sketch2Ds->sceneNode();
    ASSERT_NE(collection, nullptr);
    EXPECT_EQ(collection->parent(), root());
    ASSERT_NE(doc.sketch->groupNode(), nullptr);
    EXPECT_EQ(doc.sketch->groupNode()->parent(), collection);
    // Two lines, two explicit points and three implicit ones: only the
    // line and the group are drawn at the sketch's level.
    EXPECT_EQ(doc.sketch->groupNode()->children().size(), 2u);
    EXPECT_EQ(outer->sceneNode()->parent(), doc.sketch->groupNode());
    EXPECT_EQ(group->groupNode()->parent(), doc.sketch->groupNode());
    EXPECT_EQ(inner->sceneNode()->parent(), group->groupNode());
    EXPECT_EQ(group->groupNode()->children().size(), 1u);
    EXPECT_EQ(lone->sceneNode(), nullptr);
    EXPECT_EQ(outer->startPoint()->sceneNode(), nullptr);

    // A sketch made at the top of a segment hangs below the root itself.
    StrongRef<Sketch2D> top = Sketch2D::make(doc.asset->createSegment(), L"Top", ZkGeMatrix3d());
    root();
    ASSERT_NE(top->groupNode(), nullptr);
    EXPECT_EQ(top->groupNode()->parent(), root());
}

TEST_F(Sketch2DSceneTest, TheSketchNodeCarriesThePlacementAndUndoTakesItBack) {
    line({0, 0}, {1, 0});
    root();
    const ZkGeMatrix3d moved = ZkGeMatrix3d::translation(ZkGeVector3d(1, 2, 3));
    transact(*doc.asset, [&] { doc.sketch->transform(moved); });
    EXPECT_EQ(doc.sketch->groupNode()->transform(), moved);
    ASSERT_TRUE(doc.asset->undo());
    EXPECT_EQ(doc.sketch->groupNode()->transform(), ZkGeMatrix3d::kIdentity);

    // A pick below the sketch is placed by the same transform.
    transact(*doc.asset, [&] { doc.sketch->transform(moved); });
    StrongRef<Line2D> picked = childrenOf<Line2D>(*doc.sketch).front();
    ObjectPath path;
    path.push(doc.sketch.get());
    path.push(picked.get());
    ZkGeMatrix3d placement;
    ObjectPath below;
    EXPECT_TRUE(doc.sketch->onExtractTransform(path, placement, below));
    EXPECT_EQ(placement, moved);
    ASSERT_EQ(below.size(), 1u);
    EXPECT_EQ(below.leaf(), picked.get());
    ObjectPath sketchOnly;
    sketchOnly.push(doc.sketch.get());
    EXPECT_TRUE(doc.sketch->onExtractTransform(sketchOnly, placement, below));
    EXPECT_TRUE(below.empty());
}

TEST_F(Sketch2DSceneTest, ALineIsABandOfItsThicknessOrAThinStripWhilePreviewing) {
    StrongRef<Line2D> made = line({0, 0}, {4, 0});
    transact(*doc.asset, [&] {
        made->lineThickness(2.0f);
        made->lineColor(Color{1.0f, 0.0f, 0.0f, 1.0f});
    });
    const Mesh& band = drawn(*made);
    EXPECT_EQ(band.primitiveType(), PrimitiveType::Triangles);
    EXPECT_EQ(band.positions().size() % 3, 0u);
    EXPECT_EQ(band.texCoords().size(), band.positions().size());
    expectBox(band.bounds(), {0, -1, 0}, {4, 1, 0}, 1e-6);
    expectBox(made->sceneNode()->modelBox(), {0, 0, 0}, {4, 0, 0}, 0.0);
    const Wyn::Graphics::Attribute* color =
        made->sceneNode()->attributes().find(Wyn::Graphics::AttributeType::ColorEffect);
    ASSERT_NE(color, nullptr);
    EXPECT_EQ(color->color(), Wyn::Objects::Color(1.0f, 0.0f, 0.0f, 1.0f));

    made->drawForPreview(true);
    const Mesh& strip = drawn(*made);
    EXPECT_EQ(strip.primitiveType(), PrimitiveType::LineStrip);
    ASSERT_EQ(strip.positions().size(), 2u);
    EXPECT_EQ(strip.positions()[1], Point3f(4, 0, 0));
    made->drawForPreview(false);
    EXPECT_EQ(drawn(*made).primitiveType(), PrimitiveType::Triangles);
    expectBox(drawn(*made).bounds(), {0, -1, 0}, {4, 1, 0}, 1e-6);
}

TEST_F(Sketch2DSceneTest, ArcsAndEllipsesAreSampledWithinTheApproximationTolerance) {
    StrongRef<Arc2D> quarter =
        Arc2D::make(doc.parent(), ZkGePoint2d(0, 0), ZkGePoint2d(10, 0), ZkGePoint2d(0, 3));
    quarter->drawForPreview(true);
    const std::vector<Point3f> samples = drawn(*quarter).positions();
    ASSERT_NE(dynamic_cast<Wyn::Graphics::LodGeometryNode*>(quarter->sceneNode()), nullptr);
    ASSERT_GE(samples.size(), 3u);
    EXPECT_EQ(samples.front(), Point3f(10, 0, 0));
    EXPECT_NEAR(samples.back().x, 0.0, 1e-5);
    EXPECT_NEAR(samples.back().y, 10.0, 1e-5);
    for (size_t i = 0; i < samples.size(); ++i) {
        EXPECT_NEAR(std::hypot(samples[i].x, samples[i].y), 10.0, 1e-4);
        if (i == 0)
            continue;
        // The middle of each chord lies no farther inside than the tolerance.
        const double middle = std::hypot((samples[i - 1].x + samples[i].x) / 2,
                                         (samples[i - 1].y + samples[i].y) / 2);
        EXPECT_LE(10.0 - middle, 0.05 + 1e-4) << "chord " << i;
    }
    expectBox(quarter->sceneNode()->modelBox(), {0, 0, 0}, {10, 10, 0}, 1e-9);

    // A closed curve runs on over its first span, so its band is joined.
    StrongRef<EllipticArc2D> ellipse =
        EllipticArc2D::make(doc.parent(), ZkGePoint2d(0, 0), ZkGeVector2d(0, 1), 4, 2);
    ellipse->drawForPreview(true);
    const std::vector<Point3f> around = drawn(*ellipse).positions();
    ASSERT_GE(around.size(), 4u);
    EXPECT_EQ(around.back(), around[1]);
    expectBox(ellipse->sceneNode()->modelBox(), {-2, -4, 0}, {2, 4, 0}, 1e-9);
    ellipse->drawForPreview(false);
    // Miter joins reach a little past the half width at each sample.
    expectBox(drawn(*ellipse).bounds(), {-2.5, -4.5, 0}, {2.5, 4.5, 0}, 0.02);

    // A spline runs from its first fit point to its last.
    ZkArray<ZkGePoint2d> fitPoints;
    fitPoints.append(ZkGePoint2d(0, 0)).append(ZkGePoint2d(1, 1)).append(ZkGePoint2d(2, 0));
    StrongRef<Spline2D> spline = Spline2D::make(doc.parent(), fitPoints);
    spline->drawForPreview(true);
    const std::vector<Point3f> along = drawn(*spline).positions();
    ASSERT_GE(along.size(), 17u);
    EXPECT_EQ(along.front(), Point3f(0, 0, 0));
    EXPECT_NEAR(along.back().x, 2.0, 1e-6);
    EXPECT_NEAR(along.back().y, 0.0, 1e-6);
}

TEST_F(Sketch2DSceneTest, EditsRedrawAndDeletionAndUndoTakeNodesOutAndBack) {
    StrongRef<Line2D> made = line({0, 0}, {4, 0});
    StrongRef<GeometryGroup2D> group = GeometryGroup2D::make(doc.parent());
    StrongRef<Line2D> member =
        Line2D::make(StrongRef<Entity>(group), ZkGePoint2d(0, 5), ZkGePoint2d(4, 5));
    root();

    // Moving a point redraws the lines through it.
    transact(*doc.asset, [&] { made->endPoint()->point(ZkGePoint2d(4, 8)); });
    EXPECT_GT(drawn(*made).bounds().maxPoint().y, 8.0);
    EXPECT_LE(drawn(*made).bounds().maxPoint().y, 8.5);
    expectBox(made->sceneNode()->modelBox(), {0, 0, 0}, {4, 8, 0}, 0.0);
    ASSERT_TRUE(doc.asset->undo());
    expectBox(made->sceneNode()->modelBox(), {0, 0, 0}, {4, 0, 0}, 0.0);
    ASSERT_TRUE(doc.asset->redo());
    expectBox(made->sceneNode()->modelBox(), {0, 0, 0}, {4, 8, 0}, 0.0);

    // Hiding the group hides its members' nodes, and undo shows them again.
    transact(*doc.asset, [&] { group->isVisible(false); });
    EXPECT_FALSE(member->sceneNode()->isVisible());
    EXPECT_TRUE(made->sceneNode()->isVisible());
    ASSERT_TRUE(doc.asset->undo());
    EXPECT_TRUE(member->sceneNode()->isVisible());

    // A thickness set on the group widens its members' bands.
    transact(*doc.asset, [&] { group->lineThickness(4.0f); });
    expectBox(drawn(*member).bounds(), {0, 3, 0}, {4, 7, 0}, 1e-6);
    ASSERT_TRUE(doc.asset->undo());
    expectBox(drawn(*member).bounds(), {0, 4.5, 0}, {4, 5.5, 0}, 1e-6);

    ARenderNode* sketchNode = doc.sketch->groupNode();
    transact(*doc.asset, [&] { doc.sketch->remove(StrongRef<GeometryBase2D>(made)); });
    root();
    EXPECT_EQ(made->sceneNode(), nullptr);
    EXPECT_EQ(sketchNode->children().size(), 1u);
    ASSERT_TRUE(doc.asset->undo());
    root();
    ASSERT_NE(made->sceneNode(), nullptr);
    EXPECT_EQ(made->sceneNode()->parent(), sketchNode);
    EXPECT_EQ(sketchNode->children().size(), 2u);
}

} // namespace
} // namespace Kv::Geometry::Sketch2DTests
