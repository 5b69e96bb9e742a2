#pragma once

#include "Geometry/sketch3d/GeometryBase3D.h"
#include "Geometry/sketch3d/PointIndex.h"
#include "Wyn/Graphics/GroupNode.h"
#include "Wyn/Objects/Ref.h"

namespace Kv::Geometry {

// A drawable container of other 3D geometry; appearance set on the group is
// passed to every child.
class GeometryGroup3D : public GeometryBase3D {
    KV_GEOMETRY_ENTITY(GeometryGroup3D, GeometryBase3D)

public:
    static StrongRefCreator<GeometryGroup3D> make(const PassiveRef<Entity>& parent);

    // The child at `index` as 3D geometry (null if it is none).
    StrongRef<GeometryBase3D> geometryBase3D(size_t index) const;
    // The group's points by position, behind Point3D::findOrMake.
    PointIndex& pointIndex() { return m_pointIndex; }
    const PointIndex& pointIndex() const { return m_pointIndex; }

    // Scene: a group node holding the children's nodes.
    Wyn::Graphics::GroupNode* groupNode() const { return m_groupNode.get(); }
    Wyn::Graphics::ARenderNode* sceneNode() const override { return m_groupNode.get(); }
    // Keeps only a group node.
    void sceneNode(Wyn::Graphics::ARenderNode* node) override;
    void onCreateScene(Scene::NodeChange& change) override;
    void realizeChildNodes(Scene::NodeChange& change) override;
    // Every child is shown, so a new one is added on its own.
    bool realizeAddedChild(Scene::NodeChange& change, Scene::INodeSource* child) override;
    void releaseScene() override;

    void* queryInterface(const UniqueString& id) override;
    KV_INTERFACE_ID("Kv::Geometry::GeometryGroup3D")

protected:
    explicit GeometryGroup3D(Entity* parent);
    GeometryGroup3D(Segment* segment, uint64_t id);

    void onLineThickness(float thickness) override;
    void onLineColor(const Color& color) override;
    void onFillColor(const Color& color) override;
    void onIsVisible(bool visible) override;
    void onZOrder(unsigned int order) override;
    void onDrawForPreview(bool preview) override;
    bool onReferences(const StrongRef<Point3D>&) const override { return false; }
    bool onHasLines() const override;
    bool onHasFill() const override;
    void onTranslate(const ZkGeVector3d&) override {}

    std::wstring onToString() const override;

    void onChildAdded(Entity* child) override { m_pointIndex.childAdded(child); }
    void onChildRemoved(Entity* child) override { m_pointIndex.childRemoved(child); }

private:
    void initializeMemberSetIfNeeded();
    // Writes the group's own field with `write`, then hands the same value to
    // every child through `forward`, all inside one recorded change.
    template <class Write, class Forward> void propagate(Write write, Forward forward);

    PointIndex m_pointIndex{*this};
    Wyn::Objects::Ref<Wyn::Graphics::GroupNode> m_groupNode;
};

} // namespace Kv::Geometry
