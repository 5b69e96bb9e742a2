// The sketch containers: never-reused default names, the show/hide switch of
// all sketches, paste checks and forwarding, scripting lookup, the segment's
// root collection and the clone-paste callback.

#include "SketchModelDocument.h"
#include "TestPasteComponent.h"

#include "Geometry/GeometryMetaTypes.h"
#include "Geometry/sketch3d/SketchDataModelCallback.h"
#include "Geometry/sketch3d/SketchesRoot.h"
#include "Kv/Base/PathInfo.h"
#include "Kv/Base/StringTable.h"
#include "Kv/DataModel/DataChange.h"
#include "Kv/DataModel/Onk.h"
#include "Kv/DataModel/Request.h"
#include "Kv/DataModel/Segment.h"
#include "Kv/DataModel/Transaction.h"

#include <gtest/gtest.h>

namespace Kv::Geometry::SketchTests {
namespace {

std::vector<std::wstring> names(const Sketches& sketches) {
    std::vector<std::wstring> found;
    for (unsigned i = 0; i < sketches.childCount(); ++i)
        found.push_back(sketches.sketch(i)->userName());
    return found;
}

TEST(SketchesNumbering, DefaultNamesCountUpAndNumbersAreNeverReused) {
    EXPECT_FALSE(Sketches::make(nullptr)) << "a collection needs a component";
    SketchModelDocument doc;
    for (int i = 0; i < 3; ++i)
        doc.newSketch();
    for (unsigned i = 0; i < 3; ++i) {
        EXPECT_EQ(doc.sketches->sketch(i)->creationIndex(), i + 1);
        EXPECT_TRUE(doc.sketches->sketch(i)->hasDefaultUserName());
    }
    EXPECT_EQ(doc.sketches->sketch(1)->defaultUserName(), L"Sketch2");
    doc.transact([&] { doc.sketches->removeChild(doc.sketches->child(2)); });
    doc.newSketch(L"Profile");
    EXPECT_EQ(doc.newSketch(L"Profile")->userName(), L"Profile (1)");
    EXPECT_EQ(doc.newSketch(L"Sketch7")->userName(), L"Sketch7") << "numbers are not names";
    EXPECT_EQ(doc.newSketch()->userName(), L"Sketch7 (1)") << "the next default name is taken";
    EXPECT_EQ(doc.newSketch()->userName(), L"Sketch8");
    EXPECT_EQ(names(*doc.sketches),
              (std::vector<std::wstring>{L"Sketch1", L"Sketch2", L"Profile", L"Profile (1)",
                                         L"Sketch7", L"Sketch7 (1)", L"Sketch8"}));
    EXPECT_EQ(doc.sketches->highWaterMark(), 8u);
}

TEST(SketchesNumbering, MarkIsRaisedInsideTheCreatingTransaction) {
    SketchModelDocument doc;
    doc.newSketch();
    ChangeRecorder recorder({doc.sketches.get()});
    StrongRef<Sketch> second = doc.newSketch();
    ASSERT_EQ(recorder.changes().size(), 1u);
    EXPECT_EQ(recorder.changes()[0].kind, kTransactDo);
    EXPECT_EQ(recorder.changes()[0].changeType, unsigned(kChangeCounters));
    EXPECT_EQ(recorder.changes()[0].timing, 3);
    // Undone with the creation; redo takes no new number.
    ASSERT_TRUE(doc.asset.undo());
    EXPECT_EQ(doc.sketches->highWaterMark(), 1u);
    ASSERT_TRUE(doc.asset.redo());
    EXPECT_EQ(second->userName(), L"Sketch2");
}

TEST(SketchesNumbering, LocalizedPrefixIsFollowedByTheNumber) {
    PathInfo::setRootDirectory(KV_RUNTIME_ROOT);
    PathInfo::setLanguage("de-DE");
    StringTable::clearCache();
    std::wstring name;
    {
        SketchModelDocument doc;
        name = doc.newSketch()->userName();
    }
    PathInfo::setLanguage("");
    PathInfo::setRootDirectory("");
    StringTable::clearCache();
    EXPECT_EQ(name, L"Skizze1");
}

TEST(SketchesVisibility, HiddenCollectionHidesSketchesWhateverTheirOwnFlags) {
    SketchModelDocument doc;
    StrongRef<Sketch> shown = doc.newSketch();
    StrongRef<Sketch> hidden = doc.newSketch();
    doc.transact([&] { hidden->visible(false); });

    ChangeRecorder recorder({doc.sketches.get(), shown.get(), hidden.get()});
    doc.transact([&] { doc.sketches->isVisible(false); });
    EXPECT_FALSE(doc.sketches->isVisible());
    EXPECT_TRUE(shown->isOwnVisible()) << "the sketch keeps its own flag";
    EXPECT_FALSE(shown->isDrawn());
    EXPECT_FALSE(hidden->isDrawn());
    for (Entity* entity : {static_cast<Entity*>(doc.sketches.get()),
                           static_cast<Entity*>(shown.get()), static_cast<Entity*>(hidden.get())}) {
        ASSERT_EQ(recorder.changesOf(entity).size(), 1u) << entity->toString();
        EXPECT_EQ(recorder.changesOf(entity)[0].changeType, unsigned(kChangeAppearance));
    }

    doc.transact([&] { doc.sketches->isVisible(true); });
    EXPECT_TRUE(shown->isDrawn());
    EXPECT_FALSE(hidden->isDrawn()) << "only sketches shown on their own come back";

    recorder.clear();
    doc.transact([&] { doc.sketches->isVisible(true); });
    EXPECT_EQ(recorder.changesOf(shown.get()).size(), 1u) << "told even when nothing changed";
    doc.transact([&] { EXPECT_TRUE(doc.sketches->toggleVisibility(ObjectPath())); });
    EXPECT_FALSE(doc.sketches->isVisible(nullptr));
}

TEST(SketchesPaste, PathsIntoThemselvesAreRefused) {
    SketchModelDocument doc;
    StrongRef<Sketch> first = doc.newSketch();
    StrongRef<Sketch> second = doc.newSketch();
    const ObjectPath firstPath = ObjectPath::toEntity(first.get());
    const ObjectPath collection = ObjectPath::toEntity(doc.sketches.get());

    EXPECT_TRUE(doc.sketches->onCanPaste({}, collection, false, false)) << "nothing to paste";
    EXPECT_TRUE(doc.sketches->onCanPaste({firstPath}, collection, false, false));
    EXPECT_FALSE(doc.sketches->onCanPaste({firstPath}, firstPath, false, false));
    EXPECT_FALSE(doc.sketches->onCanPaste({collection}, firstPath, true, false))
        << "into its own descendant";
    EXPECT_FALSE(doc.sketches->onCanPaste({ObjectPath::toEntity(second.get()), firstPath},
                                          firstPath, false, false))
        << "one bad path spoils the paste";
}

TEST(SketchesPaste, RequestsGoToTheComponent) {
    SketchModelDocument plain;
    EXPECT_EQ(plain.sketches->onProvidePasteRequest({}, ObjectPath(), false, false, false), nullptr)
        << "a component without a paste sink";

    Asset asset;
    StrongRef<TestPasteComponent> component = TestPasteComponent::make(asset.createSegment());
    StrongRef<Sketches> sketches = Sketches::make(component.get());
    StrongRef<Sketch> sketch = Sketch::make(sketches, L"");
    const std::vector<ObjectPath> pasted{ObjectPath::toEntity(sketch.get())};
    const ObjectPath target = ObjectPath::toEntity(sketches.get());
    Request* request = sketches->onProvidePasteRequest(pasted, target, true, false, true);
    ASSERT_NE(request, nullptr);
    EXPECT_EQ(component->lastPasted(), pasted);
    EXPECT_EQ(component->lastTarget(), target);
    EXPECT_EQ(component->lastFlags(), "cut reorder");
    request->destroy();

    request = sketch->onProvidePasteRequest(pasted, target, false, true, false);
    ASSERT_NE(request, nullptr) << "a sketch forwards through its collection";
    EXPECT_EQ(component->lastFlags(), "clone");
    request->destroy();
    EXPECT_TRUE(sketch->onCanPaste(pasted, target, false, false));
    component->refuse();
    EXPECT_FALSE(sketch->onCanPaste(pasted, target, false, false));
    sketches.reset();
    sketch.reset();
    component.reset();
    asset.clear();
}

TEST(SketchesScripting, ChildrenAreFoundByTheirExactUserNames) {
    SketchModelDocument doc;
    EXPECT_EQ(doc.sketches->getChildObject(Onk(L"Sketch", L"Sketch1"), ObjectPath()), nullptr)
        << "an empty collection";
    StrongRef<Sketch> first = doc.newSketch();
    StrongRef<Sketch> named = doc.newSketch(L"Profile");
    EXPECT_EQ(doc.sketches->getChildObject(Onk(L"Sketch", L"Sketch1"), ObjectPath()),
              static_cast<IScriptableObject*>(first.get()));
    EXPECT_EQ(doc.sketches->getChildObject(Onk(L"Sketch", L"Profile"), ObjectPath()),
              static_cast<IScriptableObject*>(named.get()));
    EXPECT_EQ(doc.sketches->getChildObject(Onk(L"Sketch", L"profile"), ObjectPath()), nullptr);
    EXPECT_EQ(doc.sketches->getChildObject(Onk(L"Sketch", L"Sketch2"), ObjectPath()), nullptr)
        << "the named sketch's number is not its name";

    Onk key;
    EXPECT_TRUE(doc.sketches->getOnk(key));
    EXPECT_EQ(key.name(), L"Sketches");
}

TEST(SketchesText, DescribesItselfAroundItsBaseAndIsPickedAtItsOrigin) {
    SketchModelDocument doc;
    const std::wstring text = doc.sketches->toString();
    EXPECT_EQ(text.rfind(L"Sketches (base CommonBaseGroupEntity ", 0), 0u) << text;
    EXPECT_EQ(text.back(), L')');
    const ZkGeMatrix3d placement = ZkGeMatrix3d::translation(ZkGeVector3d(1, 2, 3));
    ZkGePoint3d point(9, 9, 9);
    ZkGeMatrix3d out;
    EXPECT_TRUE(doc.sketches->onProvideNominalHitInfo(nullptr, placement, point, out));
    EXPECT_EQ(point, ZkGePoint3d::kOrigin);
    EXPECT_EQ(out, placement);
}

TEST(SketchesRoot, FirstSketchOfASegmentMakesItAndItIsFoundThereOnly) {
    Asset asset;
    Segment* segment = asset.createSegment();
    StrongRef<Component> component = Component::make(segment);
    StrongRef<Sketches> sketches = Sketches::make(component.get());
    ASSERT_FALSE(SketchesRoot::find(segment));
    EXPECT_FALSE(SketchesRoot::find(nullptr));
    EXPECT_EQ(SketchesRoot::segmentRootId(), "SketchesRoot");
    StrongRef<Sketch> sketch = Sketch::make(sketches, L"");
    StrongRef<SketchesRoot> root = SketchesRoot::find(segment);
    ASSERT_TRUE(root);
    EXPECT_EQ(sketch->sketchesRoot().get(), root.get());
    Sketch::make(sketches, L"");
    EXPECT_EQ(SketchesRoot::find(segment).get(), root.get()) << "one root per segment";
    EXPECT_FALSE(SketchesRoot::find(asset.createSegment()));
    EXPECT_EQ(root->toString().rfind(L"SketchesRoot (base ", 0), 0u);
    root.reset();
    sketch.reset();
    sketches.reset();
    component.reset();
    asset.clear();
}

TEST(SketchDataModelCallback, FilesClonePastedSketchesWithAnExistingRootOnly) {
    SketchModelDocument doc;
    StrongRef<Sketch> sketch = doc.newSketch();
    EXPECT_EQ(Sketch::s_metaType().dataModelCallback(), &g_sketchDataModelCallback);
    EXPECT_TRUE(g_sketchDataModelCallback.wantsPostClonePaste());

    StrongRef<SketchesRoot> root = SketchesRoot::find(doc.segment);
    ASSERT_TRUE(root);
    ASSERT_EQ(root->sketches(), 0u);
    g_sketchDataModelCallback.onPostClonePaste(*sketch);
    ASSERT_EQ(root->sketches(), 1u);
    EXPECT_EQ(root->sketch(0).get(), sketch.get());
    EXPECT_FALSE(root->sketch(1));
    g_sketchDataModelCallback.onPostClonePaste(*doc.sketches);
    EXPECT_EQ(root->sketches(), 1u) << "only sketches are filed";

    Asset other;
    Segment* bare = other.createSegment();
    StrongRef<Sketch> lone = Sketch::make(bare, L"Lone");
    other.segments().front()->clearRootEntities();
    g_sketchDataModelCallback.onPostClonePaste(*lone);
    EXPECT_FALSE(SketchesRoot::find(bare)) << "the callback makes no root";
    lone.reset();
    other.clear();
}

} // namespace
} // namespace Kv::Geometry::SketchTests
