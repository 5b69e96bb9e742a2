#pragma once

#include "Geometry/GeometryEntity.h"
#include "Geometry/sketch3d/PointIndex.h"
#include "Kv/Base/PassiveRef.h"
#include "Kv/CommonData/CommonBaseGroupEntity.h"
#include "Kv/CommonData/IComponentObject.h"
#include "Kv/CommonData/IVisibilityToggle.h"
#include "Kv/DataModel/IEntityObserver.h"
#include "Kv/DataModel/ILogicalSelectionTransform.h"
#include "Kv/DataModel/IPasteSink.h"
#include "Kv/DataModel/IPasteSource.h"
#include "Kv/DataModel/IRenameTarget.h"
#include "Kv/DataModel/IScriptableObject.h"
#include "Kv/Scene/INodeSource.h"
#include "Wyn/Graphics/GroupNode.h"
#include "Wyn/Objects/Ref.h"
#include "ZkGeTol.h"

#include <string>
#include <vector>

class ZkGeRay3d;

namespace Wyn::Objects {
class BBox;
}

namespace Kv::Geometry {

class CoordinateSystem;
class Curve3D;
class GeometryBase3D;
class Point3D;
class Sketches;
class SketchesRoot;
class Text;

// One named 3D sketch of a component: a group of sketch geometry placed in
// space by its coordinate system.
class Sketch : public CommonData::CommonBaseGroupEntity,
               public Scene::INodeSource,
               public IEntityObserver,
               public CommonData::IComponentObject,
               public CommonData::IVisibilityToggle,
               public DataModel::ILogicalSelectionTransform,
               public DataModel::IRenameTarget,
               public DataModel::IPasteSource,
               public DataModel::IPasteSink,
               public IScriptableObject {
    KV_GEOMETRY_ENTITY(Sketch, CommonData::CommonBaseGroupEntity)

public:
    // The value of an index not handed out yet.
    static constexpr unsigned int kUnsetIndex = 0xFFFFFFFF;

    // A sketch of `sketches` named `name`; an empty name shows the default
    // name, and a name a sibling has already becomes a unique variant of it.
    static StrongRefCreator<Sketch> make(const StrongRef<Sketches>& sketches,
                                         const std::wstring& name);
    // A sketch filed only on the segment: it takes no number and no unique
    // name until it has a collection.
    static StrongRefCreator<Sketch> make(Segment* segment, const std::wstring& name);

    // Naming. The stored name, or the default name while that is empty.
    std::wstring userName() const;
    // Stores `name`, or the host's unique variant of it when a sibling has it.
    void userName(const std::wstring& name);
    std::wstring defaultUserName() const;
    bool hasDefaultUserName() const { return m_userName.empty(); }
    // Renaming from the host: the same as userName(name); the text to edit
    // is the name shown.
    bool onRename(const std::wstring& name) override;
    std::wstring onRenameText() override { return userName(); }
    bool isUniqueName(const std::wstring& name) override;
    // Scripting name "Sketch", represented by the user name.
    bool getOnk(Onk& key) override;

    // Placement.
    const StrongRef<CoordinateSystem>& coordinateSystem() const { return m_UCS; }
    void coordinateSystem(const StrongRef<CoordinateSystem>& system);
    bool onExtractTransform(const ObjectPath& path, ZkGeMatrix3d& transform,
                            ObjectPath& transformPath) override;
    // Where `ray` (in component coordinates) meets the sketch's XY plane, in
    // sketch coordinates; false when it runs parallel to the plane. Needs a
    // coordinate system.
    bool intersectWith(const ZkGeRay3d& ray, ZkGePoint3d& point) const;

    // Content.
    StrongRef<GeometryBase3D> geometry(unsigned int index) const;
    std::vector<PassiveRef<Curve3D>> curves() const;
    std::vector<PassiveRef<Point3D>> points() const;
    std::vector<PassiveRef<Text>> texts() const;
    void remove(const StrongRef<GeometryBase3D>& geometry);
    // The box around the curves and texts, in sketch coordinates; the
    // degenerate box at the origin when there are none. Points alone do not
    // count.
    void getBoundingBox(Wyn::Objects::BBox& box) const;
    StrongRef<Point3D> getSketchPointForPosition(const ZkGePoint3d& position,
                                                 const ZkGeTol& tol) const;
    // The sketch's points by position, behind Point3D::findOrMake.
    PointIndex& pointIndex() { return m_pointIndex; }
    const PointIndex& pointIndex() const { return m_pointIndex; }

    // Numbering.
    unsigned int creationIndex() const { return m_creationIndex; }
    // Takes the next number of the parent collection.
    void updateSketchID();
    // Sets the index directly, without a change record: migration numbers
    // sketches of old documents while they are being read.
    void creationIndexForMigration(unsigned int index) { m_creationIndex = index; }
    StrongRef<SketchesRoot> sketchesRoot() const;
    StrongRef<Sketches> parentSketches() const;

    // Visibility. A sketch is drawn only when its own flag and its
    // collection's are both set.
    bool isOwnVisible() const { return m_isVisible; }
    bool isDrawn() const;
    bool isVisible(CommonData::IComponentTraversalContext* context = nullptr) override;
    void visible(bool visible);
    bool toggleVisibility(const ObjectPath& path) override;
    Entity* componentObjectEntity() override { return this; }

    // Scene: a group node placed by the coordinate system, holding the
    // geometry's nodes; hidden while the sketch is not drawn.
    Wyn::Graphics::GroupNode* groupNode() const { return m_groupNode.get(); }
    Wyn::Graphics::ARenderNode* sceneNode() const override { return m_groupNode.get(); }
    // Keeps only a group node.
    void sceneNode(Wyn::Graphics::ARenderNode* node) override;
    void onCreateScene(Scene::NodeChange& change) override;
    void realizeChildNodes(Scene::NodeChange& change) override;
    // Every child is shown, so a new one is added on its own.
    bool realizeAddedChild(Scene::NodeChange& change, Scene::INodeSource* child) override;
    void realizeTransform(Scene::NodeChange& change) override;
    void realizeAppearance(Scene::NodeChange& change) override;
    void releaseScene() override;
    Entity* nodeSourceEntity() override { return this; }

    // Copy, cut, paste and reordering.
    bool onCanCopy(const ObjectPath&) override { return true; }
    bool onCanCut(const ObjectPath&) override { return true; }
    // Whether this sketch can move among its siblings.
    bool onCanReorder(const ObjectPath& path) override;
    // Whether the objects at `paths` can be reordered next to `target`: the
    // first path that is the target refuses, the first sketch of this
    // sketch's collection agrees.
    bool onCanReorder(const std::vector<ObjectPath>& paths, const ObjectPath& target) const;
    // Pasting into a sketch is the component's business.
    Request* onProvidePasteRequest(const std::vector<ObjectPath>& pasted, const ObjectPath& target,
                                   bool isCut, bool isClone, bool isReorder) override;
    bool onCanPaste(const std::vector<ObjectPath>& pasted, const ObjectPath& target, bool isCut,
                    bool isReorder) override;

    // The sketch watches the object it is served to (its client object) and
    // lets go of it when that object is about to be deleted.
    void onEntityPreDeletion(Entity& entity, int kind) override {
        onObservedEntityPreDeletion(StrongRef<Entity>(&entity), kind);
    }
    void onObservedEntityPreDeletion(const StrongRef<Entity>& entity, int kind);

    void* queryInterface(const UniqueString& id) override;
    KV_INTERFACE_ID("Kv::Geometry::Sketch")

    // A sketch of the first schema keeps the unset index: its collection's
    // migration numbers it once the whole document is read.
    void onPostMigrate() override;

protected:
    Sketch(Segment* segment, uint64_t id);

    void onPostCreation(int kind) override;
    void onPreDeletion(int kind) override;
    void onPostChange(const EntityChange& change) override;
    void onChildAdded(Entity* child) override { m_pointIndex.childAdded(child); }
    void onChildRemoved(Entity* child) override { m_pointIndex.childRemoved(child); }
    std::wstring onToString() const override;

private:
    Sketch(Entity* parent, const std::wstring& name);
    Sketch(Segment* segment, const std::wstring& name);
    void initializeMemberSet(uint32_t version, MemberSet& memberSet);
    void initializeMemberSetIfNeeded();
    DataModel::IPasteSink* componentPasteSink() const;

    std::wstring m_userName;
    StrongRef<CoordinateSystem> m_UCS;
    bool m_isVisible = true;
    unsigned int m_creationIndex = kUnsetIndex;
    PointIndex m_pointIndex{*this};
    Wyn::Objects::Ref<Wyn::Graphics::GroupNode> m_groupNode;
};

} // namespace Kv::Geometry
