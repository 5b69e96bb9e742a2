#pragma once

#include "Geometry/workgeometry/WorkGeometry.h"
#include "Kv/CommonData/CommonBaseGroupEntity.h"
#include "Kv/CommonData/IComponentObject.h"
#include "Kv/CommonData/IVisibilityToggle.h"
#include "Kv/DataModel/DataChange.h"
#include "Kv/DataModel/EntityChange.h"
#include "Kv/DataModel/ILogicalSelectionSource.h"
#include "Kv/DataModel/IScriptableObject.h"
#include "Kv/DataModel/Onk.h"
#include "Kv/Scene/INodeSource.h"
#include "Kv/Scene/NodeChange.h"
#include "Wyn/Graphics/GroupNode.h"
#include "Wyn/Objects/Ref.h"

#include "ZkGeMatrix3d.h"
#include "ZkGePoint3d.h"

#include <boost/format.hpp>

#include <string>

namespace Kv::Geometry {

// What every group of work geometry a component keeps does alike: it is a
// component object, scripts know it by a fixed name (`Derived::kScriptingName`)
// and find its children by their user names, and its counters hand out numbers
// as recorded changes. Each collection stays a class of its own with its own
// meta type and members; this only spares them writing the same answers.
template <class Derived>
class WorkGeometryCollection : public CommonData::CommonBaseGroupEntity,
                               public CommonData::IComponentObject,
                               public IScriptableObject {
public:
    Entity* componentObjectEntity() override { return this; }

    bool getOnk(Onk& key) override {
        key.setName(Derived::kScriptingName);
        return true;
    }
    IScriptableObject* getChildObject(const Onk& key, const ObjectPath&) override {
        return WorkGeometry::childNamed(*this, key.representation());
    }

    void* queryInterface(const UniqueString& id) override {
        if (void* base = CommonBaseGroupEntity::queryInterface(id))
            return base;
        if (id == IComponentObject::interfaceId())
            return static_cast<IComponentObject*>(this);
        return id == IScriptableObject::interfaceId() ? static_cast<IScriptableObject*>(this)
                                                      : nullptr;
    }

protected:
    using CommonBaseGroupEntity::CommonBaseGroupEntity;

    // The child at `index` when it is a `Child`, else null.
    template <class Child> StrongRef<Child> childAs(unsigned int index) const {
        return StrongRef<Child>(::Kv::queryInterface<Child>(child(index).get()));
    }

    // The next number of `highWaterMark`, a counter of this collection; the
    // first is 1. Undo gives the number back.
    int nextNumber(int& highWaterMark) {
        EntityChange change(this, kTransactDo, kChangeCounters, 3, nullptr, true);
        return ++highWaterMark;
    }

    std::wstring onToString() const override {
        return (boost::wformat(L"%1% (base %2%)") % Derived::kScriptingName %
                CommonBaseGroupEntity::onToString())
            .str();
    }
};

// A collection the user shows and hides as a whole. Its "visible" member is
// registered by the derived class, which also gives it its first value. In the
// scene it is a group node of the work geometry client type holding its
// children's nodes, hidden with the switch. The user also picks it as a whole:
// the derived class makes the selection for the path `selectedPath` gives.
template <class Derived>
class ToggledWorkGeometryCollection : public WorkGeometryCollection<Derived>,
                                      public CommonData::IVisibilityToggle,
                                      public Scene::INodeSource,
                                      public ILogicalSelectionSource {
public:
    bool isVisible(CommonData::IComponentTraversalContext* = nullptr) override { return m_visible; }
    void isVisible(bool visible) {
        EntityChange change(this, kTransactDo, kChangeAppearance, 3, nullptr, true);
        m_visible = visible;
    }
    bool toggleVisibility(const ObjectPath&) override {
        isVisible(!m_visible);
        return true;
    }

    Wyn::Graphics::ARenderNode* sceneNode() const override { return m_groupNode.get(); }
    void sceneNode(Wyn::Graphics::ARenderNode* node) override {
        m_groupNode = dynamic_cast<Wyn::Graphics::GroupNode*>(node);
    }
    Wyn::Graphics::GroupNode* groupNode() const { return m_groupNode.get(); }
    void onCreateScene(Scene::NodeChange& change) override {
        m_groupNode = change.createGroupNode(this);
        change.clientType(WorkGeometry::kClientType);
        INodeSource::onCreateScene(change);
    }
    void createChildNodes(Scene::NodeChange& change) override {
        for (const StrongRef<Entity>& child : this->children())
            if (auto* source = ::Kv::queryInterface<Scene::INodeSource>(child.get()))
                if (Wyn::Graphics::ARenderNode* node = source->createScene())
                    change.addChild(node);
    }
    bool realizeAddedChild(Scene::NodeChange& change, Scene::INodeSource* child) override {
        if (Wyn::Graphics::ARenderNode* node = child->createScene())
            change.addChild(node);
        return true;
    }
    void realizeAppearance(Scene::NodeChange& change) override {
        if (m_visible)
            change.removeAttribute(0);
        else
            change.visibility(false);
    }
    void releaseScene() override {
        INodeSource::releaseScene();
        m_groupNode = nullptr;
    }
    Entity* nodeSourceEntity() override { return this; }

    // A pick of the collection as a whole lands on the component's origin.
    bool onProvideNominalHitInfo(const LogicalSelection*, const ZkGeMatrix3d& transform,
                                 ZkGePoint3d& point, ZkGeMatrix3d& pointTransform) const {
        point = ZkGePoint3d::kOrigin;
        pointTransform = transform;
        return true;
    }

    void* queryInterface(const UniqueString& id) override {
        if (void* found = WorkGeometryCollection<Derived>::queryInterface(id))
            return found;
        if (id == INodeSource::interfaceId())
            return static_cast<INodeSource*>(this);
        if (id == ILogicalSelectionSource::interfaceId())
            return static_cast<ILogicalSelectionSource*>(this);
        return id == IVisibilityToggle::interfaceId() ? static_cast<IVisibilityToggle*>(this)
                                                      : nullptr;
    }

protected:
    ToggledWorkGeometryCollection(Entity* component, bool visible)
        : WorkGeometryCollection<Derived>(component)
        , m_visible(visible) {}
    // A collection read from a file joins its document's scene at once, as a
    // made one does after creation; its children follow when it gathers
    // their nodes.
    ToggledWorkGeometryCollection(Segment* segment, uint64_t id, bool visible)
        : WorkGeometryCollection<Derived>(segment, id)
        , m_visible(visible) {
        connectScene();
    }

    // In the scene from creation until deletion; every change is passed on,
    // so that a visibility change shows or hides the node.
    void onPostCreation(int kind) override {
        WorkGeometryCollection<Derived>::onPostCreation(kind);
        connectScene();
    }
    void onPostChange(const EntityChange& change) override {
        WorkGeometryCollection<Derived>::onPostChange(change);
        onPostChangeScene(change.changeType());
    }
    void onPreDeletion(int kind) override {
        disconnectScene();
        WorkGeometryCollection<Derived>::onPreDeletion(kind);
    }

    // A copy of a picked `path`, cut back to end at the collection when no
    // selection source below it answers for the path.
    ObjectPath selectedPath(const ObjectPath& path) const {
        ObjectPath picked = path;
        if (this->isFinalLogicalSelectionSource(picked))
            picked.pop_to(this);
        return picked;
    }
    Entity* logicalSelectionEntity() const override {
        return const_cast<ToggledWorkGeometryCollection*>(this);
    }

    bool m_visible;

private:
    Wyn::Objects::Ref<Wyn::Graphics::GroupNode> m_groupNode;
};

} // namespace Kv::Geometry
