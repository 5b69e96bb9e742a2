#include "SceneTestEntities.h"

#include "../DataModel/TestEntities.h"

#include "Kv/Scene/NodeChange.h"
#include "Kv/Scene/NodeData.h"
#include "Kv/Scene/SceneManager.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

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
    void TearDown() override { hookAction() = nullptr; }

    // The line nodes below the group's node, in order.
    std::vector<Wyn::Graphics::ARenderNode*> groupChildNodes() const {
        std::vector<Wyn::Graphics::ARenderNode*> nodes;
        for (const auto& node : group->groupNode()->children())
            nodes.push_back(node.get());
        return nodes;
    }

    // A group with one line, made and committed in one transaction.
    void build() {
        doc.asset.beginTransaction("build");
        group = SceneGroup::make(doc.component.get(), "group");
        line = SceneLine::make(group.get(), "line", ZkGePoint3d(0, 0, 0), ZkGePoint3d(1, 0, 0));
        doc.asset.commitTransaction();
        hookLog().clear();
    }

    SceneManager& scene() { return doc.asset.sceneManager(); }

    Tests::TestDocument doc;
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

// ---- records: every source points at its record, and records of sources
// that left are reused.

TEST_F(SceneManagerTest, RecordsFollowSourcesThatComeAndGo) {
    build();
    const size_t base = scene().sourceCount();
    auto makeLines = [&](const std::string& prefix, int count) {
        std::vector<StrongRef<SceneLine>> made;
        doc.asset.beginTransaction(prefix);
        for (int i = 0; i < count; ++i)
            made.push_back(SceneLine::make(group.get(), prefix + std::to_string(i),
                                           ZkGePoint3d(0, i, 0), ZkGePoint3d(1, i, 0)));
        doc.asset.commitTransaction();
        return made;
    };
    auto expectDrawn = [&](const std::vector<StrongRef<SceneLine>>& lines) {
        for (const auto& l : lines) {
            ASSERT_TRUE(l->isSceneConnected()) << l->label();
            EXPECT_EQ(Scene::nodeData(l)->source(), l.get());
            EXPECT_EQ(Scene::nodeData(l)->node(), l->lineNode());
            ASSERT_NE(l->lineNode(), nullptr) << l->label();
            EXPECT_EQ(l->lineNode()->parent(), group->groupNode()) << l->label();
            EXPECT_EQ(INodeSource::fromNode(l->lineNode()), l.get());
        }
    };

    std::vector<StrongRef<SceneLine>> first = makeLines("a", 300);
    EXPECT_EQ(scene().sourceCount(), base + 300);
    expectDrawn(first);

    std::vector<StrongRef<SceneLine>> kept, gone;
    doc.asset.beginTransaction("thin out");
    for (size_t i = 0; i < first.size(); ++i) {
        (i % 2 ? gone : kept).push_back(first[i]);
        if (i % 2)
            group->removeChild(StrongRef<Entity>(first[i]));
    }
    doc.asset.commitTransaction();
    EXPECT_EQ(scene().sourceCount(), base + 150);
    for (const auto& l : gone) {
        EXPECT_FALSE(l->isSceneConnected());
        EXPECT_EQ(Scene::nodeData(l), NodeData::detached());
    }

    // New sources take the records the others left; nobody shares one.
    std::vector<StrongRef<SceneLine>> second = makeLines("b", 200);
    EXPECT_EQ(scene().sourceCount(), base + 350);
    expectDrawn(kept);
    expectDrawn(second);
    std::set<NodeData*> records;
    for (const auto* lines : {&kept, &second})
        for (const auto& l : *lines)
            records.insert(Scene::nodeData(l));
    EXPECT_EQ(records.size(), 350u);
    EXPECT_EQ(group->groupNode()->children().size(), 351u);

    // Undo takes the new ones out of the group's node and brings the
    // thinned ones back.
    ASSERT_TRUE(doc.asset.undo());
    ASSERT_TRUE(doc.asset.undo());
    expectDrawn(first);
    for (const auto& l : second)
        EXPECT_TRUE(!l->lineNode() || !l->lineNode()->parent()) << l->label();
    EXPECT_EQ(group->groupNode()->children().size(), 301u);
}

TEST_F(SceneManagerTest, ASourceMarkedAndThenDestroyedIsNotVisited) {
    build();
    StrongRef<SceneLine> doomed;
    doc.asset.beginTransaction("doomed");
    doomed = SceneLine::make(group.get(), "doomed", ZkGePoint3d(0, 2, 0), ZkGePoint3d(1, 2, 0));
    doc.asset.commitTransaction();
    const size_t sources = scene().sourceCount();

    // Marked outside a transaction, the source waits for the next pass; it
    // is gone before that pass comes.
    Scene::nodeData(doomed)->revalidate(0xFFFF);
    Scene::nodeData(line)->revalidate(8);
    ASSERT_TRUE(scene().needsRealize());
    group->removeChild(StrongRef<Entity>(doomed));
    doc.asset.undoStack().clear();
    doomed.reset();
    EXPECT_EQ(scene().sourceCount(), sources - 1);
    hookLog().clear();
    scene().rootNode();
    EXPECT_EQ(hookLog(), (Log{"children:group", "appearance:line"}));
    EXPECT_FALSE(scene().needsRealize());
    EXPECT_EQ(groupChildNodes(), (std::vector<Wyn::Graphics::ARenderNode*>{line->lineNode()}));
}

// A hook that removes a source waiting in the same pass, and makes a new one
// that takes its record: the pass must neither visit the removed source nor
// mistake the new one for it.
TEST_F(SceneManagerTest, HooksMayRemoveAndMakeSourcesDuringARealisation) {
    build();
    StrongRef<SceneLine> x, y, z;
    hookAction() = [&](const std::string& entry) {
        if (entry != "create:x")
            return;
        group->removeChild(StrongRef<Entity>(y));
        z = SceneLine::make(group.get(), "z", ZkGePoint3d(0, 7, 0), ZkGePoint3d(1, 7, 0));
    };
    doc.asset.beginTransaction("two");
    x = SceneLine::make(group.get(), "x", ZkGePoint3d(0, 5, 0), ZkGePoint3d(1, 5, 0));
    y = SceneLine::make(group.get(), "y", ZkGePoint3d(0, 6, 0), ZkGePoint3d(1, 6, 0));
    doc.asset.commitTransaction();
    hookAction() = nullptr;

    const Log& log = hookLog();
    for (const std::string& entry : log)
        EXPECT_EQ(entry.find(":y"), std::string::npos) << entry;
    EXPECT_EQ(std::count(log.begin(), log.end(), "create:z"), 1);
    EXPECT_EQ(std::count(log.begin(), log.end(), "geometry:z"), 1);
    EXPECT_FALSE(y->isSceneConnected());
    ASSERT_TRUE(z->isSceneConnected());
    EXPECT_EQ(Scene::nodeData(z)->source(), z.get());
    EXPECT_FALSE(scene().needsRealize());
    EXPECT_EQ(groupChildNodes(), (std::vector<Wyn::Graphics::ARenderNode*>{
                                     line->lineNode(), x->lineNode(), z->lineNode()}));
}

TEST(SceneFootprint, ARecordIsSmall) {
    // What a connected source costs the scene besides its place in the lists.
    EXPECT_LE(sizeof(NodeData), 6 * sizeof(void*));
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
