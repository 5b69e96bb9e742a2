#pragma once

#include "Geometry/sketch3d/GeometryBase3D.h"
#include "Kv/DataModel/IDeletable.h"
#include "Kv/DataModel/ObjectPath.h"
#include "Wyn/Graphics/ARenderNode.h"
#include "Wyn/Objects/Ref.h"
#include "ZkGePoint3d.h"

#include <string>

namespace Kv::Geometry {

// A single drawable 3D entity (as opposed to a group): points, curves, text
// and work geometry. Its type code tells the kinds apart cheaply.
class Geometry3D : public GeometryBase3D, public DataModel::IDeletable {
    KV_GEOMETRY_ENTITY(Geometry3D, GeometryBase3D)

public:
    enum EGeometry3DType {
        kGeometry3D = 0, // also work geometry
        kPoint3D = 1,
        kLine3D = 2,
        kTangentHandle = 3,
        kCircArc3D = 4,
        kEllipticArc3D = 5,
        kSpline3D = 6,
        kCurvatureHandle = 10,
        kText = 11,
        kTextBorder = 12,
    };

    virtual EGeometry3DType geomType() const { return kGeometry3D; }
    // A representative position; false (and `position` untouched) when the
    // entity has none.
    virtual bool getPosition(ZkGePoint3d& position) const;

    // Whether the user may delete the entity picked as `path`: only the
    // entity the path ends at, unless a class knows better.
    bool onCanDelete(const ObjectPath& path) override;
    // A request deleting this entity when the path ends at it, else null.
    Request* onProvideDeleteRequest(const ObjectPath& path) override;

    // Scene: one node per entity, made by onCreateGeometryNode and coloured
    // with the line colour unless a class draws itself otherwise.
    Wyn::Graphics::ARenderNode* sceneNode() const override { return m_sceneNode.get(); }
    void sceneNode(Wyn::Graphics::ARenderNode* node) override { m_sceneNode = node; }
    void onCreateScene(Scene::NodeChange& change) override;
    void realizeAppearance(Scene::NodeChange& change) override;
    void releaseScene() override;

    void* queryInterface(const UniqueString& id) override;
    KV_INTERFACE_ID("Kv::Geometry::Geometry3D")

protected:
    explicit Geometry3D(Entity* parent);
    explicit Geometry3D(Segment* segment);
    Geometry3D(Segment* segment, uint64_t id);

    std::wstring onToString() const override;

    // The key part that tells this entity apart from its siblings: ":T:N",
    // the type code T and N counting the siblings of that type up to and
    // including this one. False (and `name` untouched) outside a group.
    bool getOnkName(std::wstring& name) const;
    // A geometry node for this entity, kept as its scene node.
    virtual void onCreateGeometryNode(Scene::NodeChange& change);

private:
    void initializeMemberSetIfNeeded();

    Wyn::Objects::Ref<Wyn::Graphics::ARenderNode> m_sceneNode;
};

} // namespace Kv::Geometry
