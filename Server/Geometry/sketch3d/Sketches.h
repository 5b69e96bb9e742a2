#pragma once

#include "Geometry/GeometryEntity.h"
#include "Kv/CommonData/CommonBaseGroupEntity.h"
#include "Kv/CommonData/IComponentObject.h"
#include "Kv/CommonData/IVisibilityToggle.h"
#include "Kv/DataModel/ILogicalSelectionSource.h"
#include "Kv/DataModel/IPasteSink.h"
#include "Kv/DataModel/IScriptableObject.h"
#include "Kv/DataModel/MigrationHelper.h"
#include "Kv/Scene/INodeSource.h"
#include "Wyn/Graphics/GroupNode.h"
#include "Wyn/Objects/Ref.h"
#include "ZkGeMatrix3d.h"
#include "ZkGePoint3d.h"

namespace Kv {
class IComponent;
class LogicalSelection;
} // namespace Kv

namespace Kv::Geometry {

class Sketch;

// A component's 3D sketches, in order. It hands out the sequence numbers of
// default sketch names (never reused) and shows or hides all sketches.
class Sketches : public CommonData::CommonBaseGroupEntity,
                 public Scene::INodeSource,
                 public CommonData::IComponentObject,
                 public CommonData::IVisibilityToggle,
                 public DataModel::IPasteSink,
                 public IScriptableObject,
                 public ILogicalSelectionSource {
    KV_GEOMETRY_ENTITY(Sketches, CommonData::CommonBaseGroupEntity)

public:
    static StrongRefCreator<Sketches> make(IComponent* component);
    ~Sketches() override;

    StrongRef<Sketch> sketch(unsigned int index) const;
    unsigned int highWaterMark() const { return m_highWaterMark; }
    // The next sequence number, recorded as a change of the collection.
    unsigned int getNextID();
    // Sets the mark directly, without a change record: migration numbers the
    // sketches of old documents while they are being read.
    void highWaterMarkForMigration(unsigned int mark) { m_highWaterMark = mark; }
    bool isVisible() const { return m_visible; }
    bool isVisible(CommonData::IComponentTraversalContext* context = nullptr) override;
    // Shows or hides every sketch of the component; each sketch is told, so
    // that it draws itself again, even when the switch did not change.
    void isVisible(bool visible);
    bool toggleVisibility(const ObjectPath& path) override;
    Entity* componentObjectEntity() override { return this; }

    // Scene: a group node holding the sketches' nodes.
    Wyn::Graphics::ARenderNode* sceneNode() const override { return m_groupNode.get(); }
    void sceneNode(Wyn::Graphics::ARenderNode* node) override;
    void onCreateScene(Scene::NodeChange& change) override;
    void createChildNodes(Scene::NodeChange& change) override;
    void releaseScene() override;
    Entity* nodeSourceEntity() override { return this; }

    // Pasting is the component's business; the collection only refuses to
    // paste something into itself.
    Request* onProvidePasteRequest(const std::vector<ObjectPath>& pasted, const ObjectPath& target,
                                   bool isCut, bool isClone, bool isReorder) override;
    bool onCanPaste(const std::vector<ObjectPath>& pasted, const ObjectPath& target, bool isCut,
                    bool isReorder) override;
    // Where a pick on the collection as a whole lands: its origin.
    bool onProvideNominalHitInfo(const LogicalSelection* selection, const ZkGeMatrix3d& transform,
                                 ZkGePoint3d& point, ZkGeMatrix3d& pointTransform) const;
    // A pick of the collection, or of something below it that is no
    // selection source of its own, as a SketchesSelection.
    StrongRef<LogicalSelection> onCreateLogicalSelection(const ObjectPath& path) override;

    // Scripting name "Sketches"; sketches are found by user name.
    bool getOnk(Onk& key) override;
    IScriptableObject* getChildObject(const Onk& key, const ObjectPath& path) override;

    void* queryInterface(const UniqueString& id) override;
    KV_INTERFACE_ID("Kv::Geometry::Sketches")

    void onPostMigrate() override;
    void doInitializeMigrationHelpers() override;
    void doUninitializeMigrationHelpers() override;

protected:
    Sketches(Segment* segment, uint64_t id);
    std::wstring onToString() const override;
    Entity* logicalSelectionEntity() const override { return const_cast<Sketches*>(this); }
    void onPostCreation(int kind) override;
    void onPostChange(const EntityChange& change) override;
    void onPreDeletion(int kind) override;

private:
    explicit Sketches(Entity* component);
    void initializeMemberSet(uint32_t version, MemberSet& memberSet);
    void initializeMemberSetIfNeeded();

    void createMigrationHelper();
    void deleteMigrationHelper();
    EMigrationStatus postMigrate(uint32_t oldVersion);

    unsigned int m_highWaterMark = 0;
    bool m_visible = true;
    MigrationHelper* m_migrationHelper = nullptr;
    Wyn::Objects::Ref<Wyn::Graphics::GroupNode> m_groupNode;
};

} // namespace Kv::Geometry
