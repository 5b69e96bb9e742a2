#pragma once

#include "Geometry/sketch2d/GeometryBase2D.h"
#include "Wyn/Graphics/GroupNode.h"
#include "Wyn/Objects/Ref.h"

namespace Kv::Geometry {

// A group of 2D items inside a sketch or another group; attributes set on
// the group are passed to every member.
class GeometryGroup2D : public GeometryBase2D {
    KV_GEOMETRY_ENTITY(GeometryGroup2D, GeometryBase2D)

public:
    static StrongRefCreator<GeometryGroup2D> make(const StrongRef<Entity>& parent);

    unsigned int geometryBase2Ds() const { return static_cast<unsigned int>(childCount()); }
    // The child at `index` as 2D geometry (null if it is none).
    StrongRef<GeometryBase2D> geometryBase2D(unsigned int index) const;
    void remove(const StrongRef<GeometryBase2D>& geometry);

    // Scene: a group node holding the members' nodes (points draw nothing).
    Wyn::Graphics::GroupNode* groupNode() const { return m_groupNode.get(); }
    Wyn::Graphics::ARenderNode* sceneNode() const override { return m_groupNode.get(); }
    // Keeps only a group node.
    void sceneNode(Wyn::Graphics::ARenderNode* node) override;
    void onCreateScene(Scene::NodeChange& change) override;
    void realizeChildNodes(Scene::NodeChange& change) override;
    // Every drawn member is shown, so a new one is added on its own.
    bool realizeAddedChild(Scene::NodeChange& change, Scene::INodeSource* child) override;
    void releaseScene() override;

    void* queryInterface(const UniqueString& id) override;
    KV_INTERFACE_ID("Kv::Geometry::GeometryGroup2D")

protected:
    explicit GeometryGroup2D(Entity* parent);
    GeometryGroup2D(Segment* segment, uint64_t id);

    void onLineThickness(float thickness) override;
    void onLineColor(const Color& color) override;
    void onFillColor(const Color& color) override;
    void onIsVisible(bool visible) override;
    void onZOrder(unsigned int order) override;
    void onDrawForPreview(bool preview) override;
    bool onReferences(const StrongRef<Point2D>&) const override { return false; }
    bool onHasLines() const override;
    bool onHasFill() const override;
    // Members are not moved with the group.
    void onTranslate(const ZkGeVector2d&) override {}

    std::wstring onToString() const override;

private:
    void initializeMemberSetIfNeeded();
    // Writes the group's own field with `write`, then hands the same value to
    // every member through `forward`, all inside one recorded change.
    template <class Write, class Forward> void propagate(Write write, Forward forward);

    Wyn::Objects::Ref<Wyn::Graphics::GroupNode> m_groupNode;
};

} // namespace Kv::Geometry
