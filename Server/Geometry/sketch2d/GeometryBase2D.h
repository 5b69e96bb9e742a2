#pragma once

#include "Geometry/GeometryEntity.h"
#include "Kv/Base/Color.h"
#include "Kv/CommonData/CommonBaseGroupEntity.h"
#include "Kv/DataModel/ILogicalSelectionSource.h"
#include "Kv/DataModel/IScriptableObject.h"
#include "Kv/Scene/INodeSource.h"
#include "ZkGeVector2d.h"

#include <string>

namespace Kv::Geometry {

class GeometryGroup2D;
class Point2D;
class Sketch2D;

// Base of everything drawn in a 2D sketch: its drawing attributes, and the
// hooks through which items say what they contain and how they move. Items
// that draw (all but points) join the scene when they are made.
class GeometryBase2D : public CommonData::CommonBaseGroupEntity,
                       public Scene::INodeSource,
                       public ILogicalSelectionSource,
                       public IScriptableObject {
    KV_GEOMETRY_ENTITY(GeometryBase2D, CommonData::CommonBaseGroupEntity)

public:
    float lineThickness() const { return m_lineThickness; }
    const Color& lineColor() const { return m_lineColor; }
    const Color& fillColor() const { return m_fillColor; }
    bool isVisible() const { return m_visible; }
    unsigned int zOrder() const { return m_zOrder; }
    bool drawForPreview() const { return m_drawForPreview; }

    void lineThickness(float thickness) { onLineThickness(thickness); }
    void lineColor(const Color& color) { onLineColor(color); }
    void fillColor(const Color& color) { onFillColor(color); }
    void isVisible(bool visible) { onIsVisible(visible); }
    void zOrder(unsigned int order) { onZOrder(order); }
    void drawForPreview(bool preview) { onDrawForPreview(preview); }

    bool needsSceneNode() const { return onNeedsSceneNode(); }
    bool hasLines() const { return onHasLines(); }
    bool hasFill() const { return onHasFill(); }
    bool references(const StrongRef<Point2D>& point) const { return onReferences(point); }
    void translate(const ZkGeVector2d& offset) { onTranslate(offset); }

    // The sketch the item lies in, through any number of groups; null when
    // it lies in neither.
    StrongRef<Sketch2D> sketch2D() const;
    StrongRef<GeometryGroup2D> parentGeometryGroup2D() const;

    // Classes with a tag of their own are named "<tag>:<segment>:<id>";
    // the rest are reached through their parent only.
    bool getOnk(Onk& key) override;

    Entity* nodeSourceEntity() override { return this; }
    // A pick of the item as a Geometry2DSelection; none while it previews.
    StrongRef<LogicalSelection> onCreateLogicalSelection(const ObjectPath& path) override;
    // Adds the node of `child` to the change when the child is 2D geometry
    // that draws; sketches and groups gather their children's nodes so.
    static void addChildNode(Scene::NodeChange& change, Entity* child);

    void* queryInterface(const UniqueString& id) override;
    KV_INTERFACE_ID("Kv::Geometry::GeometryBase2D")

protected:
    explicit GeometryBase2D(Entity* parent);
    GeometryBase2D(Segment* segment, uint64_t id);

    void onPostCreation(int kind) override;
    void onPreDeletion(int kind) override;
    void onPostChange(const EntityChange& change) override;

    virtual void onLineThickness(float thickness);
    virtual void onLineColor(const Color& color);
    virtual void onFillColor(const Color& color);
    virtual void onIsVisible(bool visible);
    virtual void onZOrder(unsigned int order);
    virtual void onDrawForPreview(bool preview);
    virtual bool onReferences(const StrongRef<Point2D>& point) const = 0;
    virtual bool onHasLines() const = 0;
    virtual bool onHasFill() const = 0;
    virtual bool onNeedsSceneNode() const { return true; }
    virtual void onTranslate(const ZkGeVector2d& offset) = 0;
    // The short tag of the object-name key; empty for none.
    virtual std::wstring onkTag() const { return {}; }

    std::wstring onToString() const override;
    Entity* logicalSelectionEntity() const override { return const_cast<GeometryBase2D*>(this); }

private:
    void initializeMemberSet(uint32_t version, MemberSet& memberSet);
    void initializeMemberSetIfNeeded();

    float m_lineThickness = 1.0f;
    Color m_lineColor;
    Color m_fillColor;
    bool m_visible = true;
    unsigned int m_zOrder = 1;
    bool m_drawForPreview = false;
};

} // namespace Kv::Geometry
