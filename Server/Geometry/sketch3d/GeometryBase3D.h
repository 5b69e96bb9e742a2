#pragma once

#include "Geometry/GeometryEntity.h"
#include "Kv/Base/Color.h"
#include "Kv/CommonData/CommonBaseGroupEntity.h"
#include "Kv/CommonData/IComponentObject.h"
#include "Kv/CommonData/IVisibilityToggle.h"
#include "Kv/DataModel/ILogicalSelectionSource.h"
#include "Kv/Scene/INodeSource.h"
#include "ZkGeVector3d.h"

namespace Kv::Geometry {

class GeometryGroup3D;
class Point3D;
class Sketch;

// Base of every drawable 3D entity of a sketch or of the work geometry: line
// thickness, colours, visibility and drawing order, each written through an
// undoable change.
class GeometryBase3D : public CommonData::CommonBaseGroupEntity,
                       public CommonData::IComponentObject,
                       public Scene::INodeSource,
                       public ILogicalSelectionSource,
                       public CommonData::IVisibilityToggle {
    KV_GEOMETRY_ENTITY(GeometryBase3D, CommonData::CommonBaseGroupEntity)

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
    void translate(const ZkGeVector3d& offset) { onTranslate(offset); }
    bool hasLines() const { return onHasLines(); }
    bool hasFill() const { return onHasFill(); }
    bool references(const StrongRef<Point3D>& point) const { return onReferences(point); }

    // The sketch the entity lies in, directly or through geometry groups;
    // null outside a sketch.
    StrongRef<Sketch> sketch() const;
    GeometryGroup3D* parentGeometryGroup3D() const;

    // Own visibility; the traversal context is not consulted.
    bool isVisible(CommonData::IComponentTraversalContext* context = nullptr) override;
    bool toggleVisibility(const ObjectPath& path) override;
    Entity* componentObjectEntity() override { return this; }
    Entity* nodeSourceEntity() override { return this; }

    // A pick of the entity, or of something below it when the entity is the
    // end of the path, as a 3D geometry selection; nothing while the entity
    // only previews.
    StrongRef<LogicalSelection> onCreateLogicalSelection(const ObjectPath& path) override;

    void* queryInterface(const UniqueString& id) override;
    KV_INTERFACE_ID("Kv::Geometry::GeometryBase3D")

protected:
    explicit GeometryBase3D(Entity* parent);
    // Made on a segment alone; drawn thicker, as such entities stand apart.
    explicit GeometryBase3D(Segment* segment);
    GeometryBase3D(Segment* segment, uint64_t id);

    virtual void onLineThickness(float thickness);
    virtual void onLineColor(const Color& color);
    virtual void onFillColor(const Color& color);
    virtual void onIsVisible(bool visible);
    virtual void onZOrder(unsigned int order);
    virtual void onDrawForPreview(bool preview);
    virtual bool onReferences(const StrongRef<Point3D>& point) const = 0;
    virtual bool onHasLines() const = 0;
    virtual bool onHasFill() const = 0;
    virtual void onTranslate(const ZkGeVector3d& offset) = 0;

    std::wstring onToString() const override;
    Entity* logicalSelectionEntity() const override { return const_cast<GeometryBase3D*>(this); }

    // Scene life: drawn from creation until deletion, and told of every
    // change so that the scene realises what the change type affects.
    void onPostCreation(int kind) override;
    void onPostChange(const EntityChange& change) override;
    void onPreDeletion(int kind) override;

    // The fields themselves, for writes inside a change a subclass opened
    // itself (groups, which write their own value and their children's in
    // one change) or that must not be recorded (isVisibleDontTransact).
    float& lineThicknessField() { return m_lineThickness; }
    Color& lineColorField() { return m_lineColor; }
    Color& fillColorField() { return m_fillColor; }
    bool& visibleField() { return m_visible; }
    unsigned int& zOrderField() { return m_zOrder; }
    bool& drawForPreviewField() { return m_drawForPreview; }

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
