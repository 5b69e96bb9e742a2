#pragma once

#include "Geometry/GeometryEntity.h"
#include "Kv/Base/PassiveRef.h"
#include "Kv/CommonData/CommonBaseGroupEntity.h"
#include "Kv/DataModel/ILogicalSelectionTransform.h"
#include "Kv/DataModel/IRenameTarget.h"
#include "Kv/DataModel/IScriptableObject.h"
#include "Kv/Scene/INodeSource.h"
#include "Wyn/Graphics/GroupNode.h"
#include "Wyn/Objects/Ref.h"
#include "ZkGeMatrix3d.h"
#include "ZkGePoint2d.h"

#include <map>
#include <string>

namespace Kv::Geometry {

class GeometryBase2D;
class Point2D;
class Sketch2Ds;
class Sketch2DsRoot;

// A flat drawing: 2D geometry in sketch coordinates, placed in model space by
// its transform. Its point index lets curves that meet share one Point2D.
class Sketch2D : public CommonData::CommonBaseGroupEntity,
                 public Scene::INodeSource,
                 public DataModel::ILogicalSelectionTransform,
                 public DataModel::IRenameTarget,
                 public IScriptableObject {
    KV_GEOMETRY_ENTITY(Sketch2D, CommonData::CommonBaseGroupEntity)

public:
    static StrongRefCreator<Sketch2D> make(const PassiveRef<Sketch2Ds>& parent,
                                           const std::wstring& userName,
                                           const ZkGeMatrix3d& transform);
    // A sketch at the top of the segment, listed by the segment's Sketch2DsRoot.
    static StrongRefCreator<Sketch2D> make(Segment* segment, const std::wstring& userName,
                                           const ZkGeMatrix3d& transform);

    const ZkGeMatrix3d& transform() const { return m_transform; }
    void transform(const ZkGeMatrix3d& transform);
    const std::wstring& userName() const { return m_userName; }
    void userName(const std::wstring& name);
    // Renaming from the host. Paths name a 2D sketch by its key, so any name
    // will do, a sibling's included.
    std::wstring onRenameText() override { return m_userName; }
    bool onRename(const std::wstring& name) override;
    bool isUniqueName(const std::wstring&) override { return true; }

    unsigned int geometry2Ds() const { return static_cast<unsigned int>(childCount()); }
    // The child at `index` as 2D geometry (null if it is none).
    StrongRef<GeometryBase2D> geometry2D(unsigned int index) const;
    void remove(const StrongRef<GeometryBase2D>& geometry);

    // The point index: positions within the kernel's equal-point tolerance
    // are one key. It owns nothing.
    PassiveRef<Point2D> queryPoint2D(const ZkGePoint2d& position) const;
    void addPoint2D(const ZkGePoint2d& position, Point2D* point);
    void removePoint2D(const ZkGePoint2d& position);

    StrongRef<Sketch2DsRoot> sketch2DsRoot() const;
    StrongRef<Sketch2Ds> parentSketch2Ds() const;

    // Object-name key "Skch2:<segment>:<id>".
    bool getOnk(Onk& key) override;

    // A pick below the sketch is placed in model space by the sketch's
    // transform; the path left is the one below the sketch.
    bool onExtractTransform(const ObjectPath& path, ZkGeMatrix3d& transform,
                            ObjectPath& transformPath) override;

    // Scene: a group node placed by the transform, holding the nodes of the
    // geometry that draws (points do not).
    Wyn::Graphics::GroupNode* groupNode() const { return m_groupNode.get(); }
    Wyn::Graphics::ARenderNode* sceneNode() const override { return m_groupNode.get(); }
    // Keeps only a group node.
    void sceneNode(Wyn::Graphics::ARenderNode* node) override;
    void onCreateScene(Scene::NodeChange& change) override;
    void realizeChildNodes(Scene::NodeChange& change) override;
    bool realizeAddedChild(Scene::NodeChange& change, Scene::INodeSource* child) override;
    void realizeTransform(Scene::NodeChange& change) override;
    void releaseScene() override;
    Entity* nodeSourceEntity() override { return this; }

    void* queryInterface(const UniqueString& id) override;
    KV_INTERFACE_ID("Kv::Geometry::Sketch2D")

protected:
    Sketch2D(Segment* segment, uint64_t id);

    void onPostCreation(int kind) override;
    void onPreDeletion(int kind) override;
    void onPostChange(const EntityChange& change) override;
    void onChildAdded(Entity* child) override;
    void onChildRemoved(Entity* child) override;
    std::wstring onToString() const override;

private:
    // Orders positions by x, then by y, treating coordinates that differ by
    // no more than the equal-point tolerance as equal.
    struct TolerantLess {
        bool operator()(const ZkGePoint2d& a, const ZkGePoint2d& b) const;
    };

    Sketch2D(Entity* parent, const std::wstring& userName, const ZkGeMatrix3d& transform);
    Sketch2D(Segment* segment, const std::wstring& userName, const ZkGeMatrix3d& transform);
    void initializeMemberSet(uint32_t version, MemberSet& memberSet);
    void initializeMemberSetIfNeeded();

    std::wstring m_userName;
    ZkGeMatrix3d m_transform;
    std::map<ZkGePoint2d, PassiveRef<Point2D>, TolerantLess> m_pointIndex;
    Wyn::Objects::Ref<Wyn::Graphics::GroupNode> m_groupNode;
};

} // namespace Kv::Geometry
