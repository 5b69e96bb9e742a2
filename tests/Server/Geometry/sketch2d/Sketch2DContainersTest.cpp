// The 2D sketch containers: the component's collection, sketches under it or
// at the top of a segment with the segment's root list, the sketch's own
// members, and the names scripts reach 2D entities by.

#include "Sketch2DTestDocument.h"

#include "Geometry/GeometryComponentContributor.h"
#include "Geometry/sketch2d/GeometryGroup2D.h"
#include "Geometry/sketch2d/Line2D.h"
#include "Geometry/sketch2d/Point2D.h"
#include "Geometry/sketch2d/Sketch2DsRoot.h"
#include "Kv/AddInMgr/AddInMgr.h"
#include "Kv/Commands/Session.h"
#include "Kv/DataModel/Segment.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace Kv::Geometry::Sketch2DTests {
namespace {

using ::testing::StartsWith;

TEST(Sketch2DContainers, NewComponentsGetOneCollectionHoldingTheirSketches) {
    Sketch2DTestDocument doc;
    ASSERT_EQ(childrenOf<Sketch2Ds>(*doc.component).size(), 1u);
    EXPECT_TRUE(Sketch2Ds::make(nullptr).isNull());
    EXPECT_TRUE(Sketch2D::make(PassiveRef<Sketch2Ds>(), L"x", ZkGeMatrix3d()).isNull());
    EXPECT_EQ(doc.sketch2Ds->sketch2Ds(), 1u);
    EXPECT_EQ(doc.sketch2Ds->sketch2D(0), doc.sketch);
    EXPECT_EQ(doc.sketch->parentSketch2Ds(), doc.sketch2Ds);
    EXPECT_THAT(doc.sketch->toString(),
                StartsWith(L"Sketch2D Drawing (Base CommonBaseGroupEntity "));
    EXPECT_THAT(Sketch2D::make(doc.sketch2Ds, L"", ZkGeMatrix3d())->toString(),
                StartsWith(L"Sketch2D  (Base "));
    EXPECT_THAT(doc.sketch2Ds->toString(), StartsWith(L"Sketch2Ds (base CommonBaseGroupEntity "));
}

TEST(Sketch2DContainers, TheFirstSketchOfASegmentMakesItsRootAndTopLevelSketchesAreListed) {
    Sketch2DTestDocument doc;
    // The component's sketch made the root but is not listed in it.
    StrongRef<Sketch2DsRoot> root = Sketch2DsRoot::find(doc.segment);
    ASSERT_TRUE(root);
    EXPECT_EQ(root->sketch2Ds(), 0u);
    EXPECT_THAT(root->toString(), StartsWith(L"Sketch2DsRoot (base CommonBaseRootCollection "));

    Segment* fresh = doc.asset->createSegment();
    EXPECT_TRUE(Sketch2DsRoot::find(fresh).isNull());
    StrongRef<Sketch2D> first = Sketch2D::make(fresh, L"A", ZkGeMatrix3d());
    StrongRef<Sketch2DsRoot> freshRoot = first->sketch2DsRoot();
    ASSERT_TRUE(freshRoot);
    EXPECT_NE(freshRoot, root);
    EXPECT_TRUE(first->parentSketch2Ds().isNull());

    transact(*doc.asset, [&] { Sketch2D::make(fresh, L"B", ZkGeMatrix3d()); });
    EXPECT_EQ(Sketch2DsRoot::find(fresh), freshRoot);
    ASSERT_EQ(freshRoot->sketch2Ds(), 2u);
    EXPECT_EQ(freshRoot->sketch2D(0), first);
    ASSERT_TRUE(doc.asset->undo());
    EXPECT_EQ(freshRoot->sketch2Ds(), 1u);
}

// Keys carry the segment and identifier, so they stay unique and survive
// saving; groups have no key and are named by class and position.
TEST(Sketch2DContainers, ScriptsReach2DEntitiesThroughTheirKeys) {
    AddInMgr noAddIns;
    Session session(noAddIns);
    session.addComponentContributor(&GeometryComponentContributor::instance());
    const std::vector<StrongRef<Sketch2Ds>> collections =
        childrenOf<Sketch2Ds>(session.component());
    ASSERT_EQ(collections.size(), 1u);
    StrongRef<Sketch2D> sketch = Sketch2D::make(collections.front(), L"", ZkGeMatrix3d());
    StrongRef<GeometryGroup2D> group = GeometryGroup2D::make(StrongRef<Entity>(sketch));
    StrongRef<Line2D> line =
        Line2D::make(StrongRef<Entity>(group), ZkGePoint2d(0, 0), ZkGePoint2d(1, 0));

    const std::string segment = std::to_string(sketch->segment()->key()) + ":";
    const std::string path = session.pathOf(line.get());
    EXPECT_EQ(path, "Sketch2Ds/Skch2:" + segment + std::to_string(sketch->id()) +
                        "/GeometryGroup2D#1/Ln2:" + segment + std::to_string(line->id()));
    EXPECT_EQ(session.find(path), line.get());
    const std::string pointPath = session.pathOf(line->endPoint().get());
    EXPECT_THAT(pointPath,
                ::testing::EndsWith("/Pt2:" + segment + std::to_string(line->endPoint()->id())));
    EXPECT_EQ(session.find(pointPath), line->endPoint().get());
}

} // namespace
} // namespace Kv::Geometry::Sketch2DTests
