#include "Wyn/Graphics/GroupNode.h"
#include "Wyn/Graphics/LodGeometryNode.h"
#include "Wyn/Graphics/PolyLineNode.h"

#include <gtest/gtest.h>

namespace {

using namespace Wyn::Graphics;
using Wyn::Objects::makeRef;
using Wyn::Objects::Mesh;
using Wyn::Objects::PrimitiveType;
using Wyn::Objects::Ref;

TEST(RenderNode, ANodeHasOneParentAndTheGraphStaysATree) {
    auto a = makeRef<GroupNode>();
    auto b = makeRef<GroupNode>();
    auto line = makeRef<PolyLineNode>();
    a->addChild(line.get());
    a->addChild(line.get()); // already there: stays once
    EXPECT_EQ(a->children().size(), 1u);

    b->addChild(line.get()); // moves
    EXPECT_TRUE(a->children().empty());
    EXPECT_EQ(line->parent(), b.get());
    EXPECT_TRUE(b->isAncestorOf(line.get()));

    a->addChild(b.get());
    EXPECT_THROW(b->addChild(a.get()), std::invalid_argument);
    EXPECT_THROW(line->addChild(a.get()), std::invalid_argument);
    EXPECT_THROW(a->addChild(a.get()), std::invalid_argument);
    EXPECT_THROW(a->addChild(nullptr), std::invalid_argument);

    // A child held only by its parent lives as long as the parent holds it.
    PolyLineNode* loose = new PolyLineNode();
    b->addChild(loose);
    EXPECT_EQ(loose->refCount(), 1);
    Ref<PolyLineNode> kept(loose);
    b->removeAllChildren();
    EXPECT_EQ(kept->parent(), nullptr);
    EXPECT_EQ(kept->refCount(), 1);
}

TEST(RenderNode, AttributesAreOnePerTypeAndLayer) {
    auto node = makeRef<GroupNode>();
    NodeAttributes& attributes = node->attributes();
    attributes.set(Attribute::depthPriority(3));
    attributes.set(Attribute::depthPriority(7));
    attributes.set(Attribute::depthPriority(9).layer(1));
    EXPECT_EQ(attributes.size(), 2u);
    EXPECT_EQ(attributes.find(AttributeType::DepthPriority)->priority(), 7);
    EXPECT_EQ(attributes.find(AttributeType::DepthPriority, 1)->priority(), 9);

    EXPECT_TRUE(node->isVisible());
    attributes.set(Attribute::visibility(false));
    EXPECT_FALSE(node->isVisible());
    EXPECT_TRUE(attributes.remove(AttributeType::Visibility));
    EXPECT_FALSE(attributes.remove(AttributeType::Visibility));
    EXPECT_TRUE(node->isVisible());

    EXPECT_EQ(node->transform(), ZkGeMatrix3d::kIdentity);
    attributes.set(Attribute::transform(ZkGeMatrix3d::translation(ZkGeVector3d(1, 2, 3))));
    EXPECT_EQ(node->transform().translation(), ZkGeVector3d(1, 2, 3));

    node->nodeFlags(0x10000 | 0x100000, true);
    node->nodeFlags(0x10000, false);
    EXPECT_EQ(node->nodeFlags(), 0x100000u);
}

TEST(RenderNode, LevelsOfDetailAskForMeshesUntilGivenAndAfterInvalidation) {
    auto node = makeRef<LodGeometryNode>(2);
    EXPECT_TRUE(node->needsMesh(15, 0));
    EXPECT_TRUE(node->needsMesh(15, 1));
    const Mesh strip(PrimitiveType::LineStrip, {{0, 0, 0}, {1, 0, 0}});
    node->mesh(1, strip, Mesh::kPositions | Mesh::kIndices);
    EXPECT_TRUE(node->needsMesh(15, 1)) << "normals and texture coordinates were not given";
    EXPECT_FALSE(node->needsMesh(Mesh::kPositions, 1));
    EXPECT_EQ(node->displayMesh(), strip) << "the finest level with a mesh is drawn";

    node->mesh(strip);
    EXPECT_FALSE(node->needsMesh(15, 0));
    node->invalidate();
    EXPECT_TRUE(node->needsMesh(15, 0));
    EXPECT_THROW(node->needsMesh(15, 2), std::out_of_range);
    EXPECT_THROW(LodGeometryNode(0), std::invalid_argument);

    // An inconsistent mesh is refused and the level keeps what it had.
    EXPECT_THROW(node->mesh(0, Mesh(PrimitiveType::Triangles, {{0, 0, 0}})), std::invalid_argument);
    EXPECT_EQ(node->mesh(0), strip);
}

} // namespace
