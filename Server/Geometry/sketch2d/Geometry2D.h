#pragma once

#include "Geometry/sketch2d/GeometryBase2D.h"
#include "Wyn/Graphics/ARenderNode.h"
#include "Wyn/Objects/Ref.h"
#include "ZkGeBoundBlock2d.h"
#include "ZkGePoint2d.h"

#include <vector>

class ZkGeCurve2d;

namespace Kv::Geometry {

// A single item of a 2D sketch (as opposed to a group): points and curves.
// A curve draws into one node of its own, as a band of its line thickness in
// the sketch's plane, or as a thin strip while it previews.
class Geometry2D : public GeometryBase2D {
    KV_GEOMETRY_ENTITY(Geometry2D, GeometryBase2D)

public:
    Wyn::Graphics::ARenderNode* sceneNode() const override { return m_sceneNode.get(); }
    void sceneNode(Wyn::Graphics::ARenderNode* node) override { m_sceneNode = node; }
    void onCreateScene(Scene::NodeChange& change) override;
    // Items with a sampled curve draw it into the level being realised of
    // their level-of-detail node.
    void realizeGeometry(Scene::NodeChange& change, int level) override;
    // The line colour, and hidden while the item is not visible.
    void realizeAppearance(Scene::NodeChange& change) override;
    void releaseScene() override;

    void* queryInterface(const UniqueString& id) override;
    KV_INTERFACE_ID("Kv::Geometry::Geometry2D")

protected:
    explicit Geometry2D(Entity* parent);
    Geometry2D(Segment* segment, uint64_t id);

    std::wstring onToString() const override;

    // The node kept as the item's scene node: a level-of-detail node for an
    // item with a sampled curve, else a geometry node.
    virtual void onCreateGeometryNode(Scene::NodeChange& change);
    // The kernel curve drawn from samples (arcs, ellipses, splines); null
    // for items drawn otherwise.
    virtual const ZkGeCurve2d* sampledCurve() const { return nullptr; }
    // Sets `points` (sketch coordinates) as what the change's node draws: a
    // band of the line thickness, or a thin strip while the item previews.
    void drawPolyline(Scene::NodeChange& change, const std::vector<ZkGePoint2d>& points) const;
    // The node's model box: `box` flat in the sketch's plane.
    static void modelBox(Scene::NodeChange& change, const ZkGeBoundBlock2d& box);

private:
    void initializeMemberSetIfNeeded();

    Wyn::Objects::Ref<Wyn::Graphics::ARenderNode> m_sceneNode;
};

} // namespace Kv::Geometry
