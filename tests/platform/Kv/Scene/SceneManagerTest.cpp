#include "SceneTestEntities.h"

#include "Kv/Scene/NodeChange.h"
#include "Kv/Scene/NodeData.h"
#include "Kv/Scene/SceneManager.h"

#include <gtest/gtest.h>

namespace {

using namespace Kv;
using namespace Kv::SceneTests;
using Kv::Scene::INodeSource;
using Kv::Scene::NodeData;
using Kv::Scene::SceneManager;

using Log = std::vector<std::string>;

class SceneManagerTest : public testing::Test {
protected:
    void SetUp() override { hookLog().clear(); }

    // A group with one line, made and committed in one transaction.
    void build() {
        doc.asset.beginTransaction("build");
        group = SceneGroup::make(doc.component.get(), "group");
        line = SceneLine::make(group.get(), "line", ZkGePoint3d(0, 0, 0), ZkGePoint3d(1, 0, 0));
        doc.asset.commitTransaction();
        hookLog().clear();
    }

    SceneManager& scene() { return doc.asset.sceneManager(); }

    SceneDocument doc;
    StrongRef<SceneGroup> group;
    StrongRef<SceneLine> line;
};

TEST_F(SceneManagerTest, NodesAreMadeAndRealisedWhenTheTransactionCommits) {
    doc.asset.beginTransaction("build");
    group = SceneGroup::make(doc.component.get(), "group");
    line = SceneLine::make(group.get(), "line", ZkGePoint3d(0, 0, 0), ZkGePoint3d(1, 0, 0));
    line->color(Color(1, 0, 0));
    EXPECT_TRUE(group->isSceneConnected());
    EXPECT_TRUE(scene().isConnected(line.get()));
    EXPECT_EQ(line->lineNode(), nullptr) << "no node while the transaction is open";
    EXPECT_FALSE(scene().realize());
    EXPECT_TRUE(hookLog().empty());

    doc.asset.commitTransaction();
    // Nodes first, parents before children; then each source's aspects in
    // the order transform, geometry, appearance, child nodes.
    EXPECT_EQ(hookLog(),
              (Log{"create:group", "create:line", "transform:group", "appearance:group",
                   "children:group", "transform:line", "geometry:line", "appearance:line"}));
    ASSERT_NE(line->lineNode(), nullptr);
    EXPECT_EQ(line->lineNode()->parent(), group->groupNode());
    EXPECT_EQ(group->groupNode()->parent(), scene().rootNode())
        << "a top source hangs below the root";
    EXPECT_EQ(group->groupNode()->clientType(), 0x10000u);
    EXPECT_EQ(INodeSource::fromNode(line->lineNode()), line.get());
    EXPECT_FALSE(scene().needsRealize());
}

TEST_F(SceneManagerTest, ChangeTypesMarkWhatTheyAffect) {
    build();
    doc.asset.beginTransaction("recolour");
    line->color(Color(0, 0, 1));
    line->color(Color(0, 1, 0));
    doc.asset.commitTransaction();
    EXPECT_EQ(hookLog(), (Log{"appearance:line"})) << "two changes, one realisation";
    const auto* colour =
        line->lineNode()->attributes().find(Wyn::Graphics::AttributeType::ColorEffect);
    ASSERT_NE(colour, nullptr);
    EXPECT_EQ(colour->color(), Wyn::Objects::Color(0, 1, 0));

    hookLog().clear();
    doc.asset.beginTransaction("move");
    line->ends(ZkGePoint3d(0, 0, 0), ZkGePoint3d(5, 5, 0));
    doc.asset.commitTransaction();
    EXPECT_EQ(hookLog(), (Log{"transform:line", "geometry:line"}));
    EXPECT_EQ(line->lineNode()->points().back(), ZkGePoint3d(5, 5, 0));

    // Everything (0xFFFF), properties (1) and counters (0).
    EXPECT_EQ(NodeData::aspectsOf(0xFFFF), unsigned(NodeData::kEverything));
    EXPECT_EQ(NodeData::aspectsOf(1), unsigned(NodeData::kGeometry | NodeData::kAppearance));
    EXPECT_EQ(NodeData::aspectsOf(0), 0u);
    EXPECT_EQ(NodeData::aspectsOf(16), 0u);

    // A mark made outside any transaction waits for a view to be drawn.
    hookLog().clear();
    Scene::nodeData(line)->revalidate(8);
    EXPECT_TRUE(hookLog().empty());
    EXPECT_TRUE(scene().needsRealize());
    scene().rootNode();
    EXPECT_EQ(hookLog(), (Log{"appearance:line"}));
}

TEST_F(SceneManagerTest, UndoAndRedoBringTheSceneBack) {
    build();
    doc.asset.beginTransaction("hide");
    group->shown(false);
    group->offset(ZkGePoint3d(3, 0, 0));
    doc.asset.commitTransaction();
    EXPECT_FALSE(group->groupNode()->isVisible());
    EXPECT_EQ(group->groupNode()->transform().translation(), ZkGeVector3d(3, 0, 0));

    doc.asset.undo();
    EXPECT_TRUE(group->groupNode()->isVisible());
    EXPECT_EQ(group->groupNode()->transform().translation(), ZkGeVector3d(0, 0, 0));

    // Deleting a child takes its node out; undo restores it; redo again.
    doc.asset.beginTransaction("delete");
    Wyn::Objects::Ref<Wyn::Graphics::PolyLineNode> oldNode(line->lineNode());
    group->removeChild(StrongRef<Entity>(line.get()));
    doc.asset.commitTransaction();
    EXPECT_FALSE(line->isSceneConnected());
    EXPECT_TRUE(group->groupNode()->children().empty());
    EXPECT_EQ(oldNode->source(), nullptr) << "a released node leads nowhere";

    doc.asset.undo();
    ASSERT_EQ(group->groupNode()->children().size(), 1u);
    EXPECT_EQ(group->groupNode()->children().front().get(), line->lineNode());
    EXPECT_EQ(INodeSource::fromNode(line->lineNode()), line.get());
    doc.asset.redo();
    EXPECT_TRUE(group->groupNode()->children().empty());

    // Undoing a creation takes the new line's node out of its group too.
    doc.asset.beginTransaction("add");
    StrongRef<SceneLine> added =
        SceneLine::make(group.get(), "added", ZkGePoint3d(0, 1, 0), ZkGePoint3d(1, 1, 0));
    doc.asset.commitTransaction();
    EXPECT_EQ(group->groupNode()->children().size(), 1u);
    doc.asset.undo();
    EXPECT_TRUE(group->groupNode()->children().empty());
}

TEST_F(SceneManagerTest, ACommitVisitsOnlyWhatChanged) {
    build();
    doc.asset.beginTransaction("many");
    std::vector<StrongRef<SceneLine>> lines;
    for (int i = 0; i < 200; ++i)
        lines.push_back(SceneLine::make(group.get(), "l" + std::to_string(i), ZkGePoint3d(0, i, 0),
                                        ZkGePoint3d(1, i, 0)));
    doc.asset.commitTransaction();
    EXPECT_EQ(group->groupNode()->children().size(), 201u);

    hookLog().clear();
    doc.asset.beginTransaction("one");
    lines[150]->color(Color(0, 0, 1));
    doc.asset.commitTransaction();
    EXPECT_EQ(hookLog(), (Log{"appearance:l150"}));
}

TEST_F(SceneManagerTest, UndoingTheCreationOfATopSourceTakesItsNodeOut) {
    doc.asset.beginTransaction("top");
    group = SceneGroup::make(doc.component.get(), "top");
    doc.asset.commitTransaction();
    Wyn::Graphics::GroupNode* root = scene().rootNode();
    ASSERT_EQ(group->groupNode()->parent(), root);
    doc.asset.undo();
    EXPECT_EQ(group->groupNode()->parent(), nullptr);
    doc.asset.redo();
    EXPECT_EQ(group->groupNode()->parent(), root);
}

TEST_F(SceneManagerTest, ARolledBackCreationLeavesNothingBehind) {
    build();
    const size_t sources = scene().sourceCount();
    doc.asset.beginTransaction("abandoned");
    {
        StrongRef<SceneLine> doomed =
            SceneLine::make(group.get(), "doomed", ZkGePoint3d(0, 2, 0), ZkGePoint3d(1, 2, 0));
        EXPECT_EQ(scene().sourceCount(), sources + 1);
    }
    doc.asset.abortTransaction();
    EXPECT_EQ(scene().sourceCount(), sources);
    EXPECT_EQ(group->groupNode()->children().size(), 1u);
    EXPECT_EQ(group->groupNode()->children().front().get(), line->lineNode());
}

TEST_F(SceneManagerTest, SourcesOutsideAnAssetOrSceneAreHarmless) {
    build();
    // The detached record takes marks and forgets them.
    line->disconnectScene();
    EXPECT_EQ(Scene::nodeData(line), NodeData::detached());
    Scene::nodeData(line)->revalidate(0xFFFF);
    EXPECT_FALSE(NodeData::detached()->isDirty());
    EXPECT_EQ(NodeData::detached()->node(), nullptr);

    // Asking for the node connects again.
    EXPECT_NE(line->createScene(), nullptr);
    EXPECT_TRUE(line->isSceneConnected());

    // Clearing the asset lets go of every source without touching them.
    doc.asset.clear();
    EXPECT_FALSE(line->isSceneConnected());
    EXPECT_FALSE(group->isSceneConnected());
}

TEST_F(SceneManagerTest, ScenesRenderThroughTheRenderer) {
    build();
    doc.asset.beginTransaction("style");
    line->color(Color(1, 0, 0));
    line->ends(ZkGePoint3d(0, 0, 0), ZkGePoint3d(10, 0, 0));
    SceneLine::make(group.get(), "other", ZkGePoint3d(0, 5, 0), ZkGePoint3d(10, 5, 0));
    doc.asset.commitTransaction();
    const Wyn::Objects::Image image = scene().renderImage(Wyn::Scene::View::top(), 120, 80);
    int red = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const auto c = image.pixel(x, y);
            red += c.red > 0.9f && c.green < 0.1f && c.blue < 0.1f;
        }
    EXPECT_GT(red, 100);
    const std::string path = testing::TempDir() + "/scene.svg";
    EXPECT_NO_THROW(scene().render(Wyn::Scene::View::iso(), 120, 80, path));
}

} // namespace
