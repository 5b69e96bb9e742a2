#pragma once

#include "Geometry/workgeometry/WorkGeometry.h"
#include "Kv/Base/Color.h"
#include "Kv/Scene/EnvironmentEventSite.h"
#include "ZkGePlane.h"
#include "ZkGePoint2d.h"

namespace Kv::Geometry {

// The corner handles of a work plane's rectangle.
enum WorkPlaneExtentPointType {
    kLowerLeftCorner = 1,
    kLowerRightCorner = 2,
    kUpperLeftCorner = 3,
    kUpperRightCorner = 4,
};

// The edge handles of a work plane's rectangle.
enum WorkPlaneExtentLineType {
    kLeftEdge = 5,
    kRightEdge = 6,
    kBottomEdge = 7,
    kTopEdge = 8,
};

// A construction plane of a component: an infinite plane drawn as the
// rectangle its extent spans in the plane's own (u, v) parameters, in the
// active environment's work plane colour.
class WorkPlane : public WorkGeometry, public Scene::EnvironmentEventSite {
    KV_GEOMETRY_ENTITY(WorkPlane, WorkGeometry)

public:
    ~WorkPlane() override;

    // A numbered plane spanning -5..5 in both parameters; `parent` must be the
    // component's WorkGeometries.
    static StrongRefCreator<WorkPlane> make(const StrongRef<Entity>& parent,
                                            const ZkGePlane& plane);
    // The same, through `origin` with the normal uAxis x vAxis.
    static StrongRefCreator<WorkPlane> make(const StrongRef<Entity>& parent,
                                            const ZkGePoint3d& origin, const ZkGeVector3d& uAxis,
                                            const ZkGeVector3d& vAxis);
    // An origin plane, not numbered, with the small extent 0.25..2.
    static StrongRefCreator<WorkPlane> make(const StrongRef<Entity>& parent, const ZkGePlane& plane,
                                            bool isOrigin, const std::wstring& originName);
    // The first child of `parent` equal to `plane` (within the global
    // tolerance), or a new numbered plane.
    static StrongRef<WorkPlane> findOrMake(const StrongRef<Entity>& parent, const ZkGePlane& plane);

    const ZkGePlane& plane() const { return m_plane; }
    // The extent stays as it is in parameter space.
    void plane(const ZkGePlane& plane);

    void size(ZkGePoint2d& lowerLeft, ZkGePoint2d& upperRight) const;
    void getExtents(ZkGePoint3d& lowerLeft, ZkGePoint3d& upperRight) const;
    // The corners at (ll.u, ll.v), (ll.u, ur.v), (ur.u, ll.v), (ur.u, ur.v).
    void getAllExtents(ZkGePoint3d& lowerLeft, ZkGePoint3d& upperLeft, ZkGePoint3d& lowerRight,
                       ZkGePoint3d& upperRight) const;
    // The extent of the box's projection onto the plane; origin planes keep
    // their size.
    void setExtents(const ZkGePoint3d& min, const ZkGePoint3d& max);
    // Moves every side out by `factor` times the full width or height.
    void scaleExtents(double factor);
    // Drags one corner, or one edge, to the parameters of `point` projected
    // onto the plane; the other values stay, so the rectangle may turn inside
    // out. Handle values out of range change nothing.
    void setOnePointExtent(const ZkGePoint3d& point, WorkPlaneExtentPointType type);
    void setOneLineExtent(const ZkGePoint3d& point, WorkPlaneExtentLineType type);
    // Replaces `point` by where it meets the plane when moved along
    // `direction`, both given in the coordinates `toWorld` maps to the plane's.
    void calculateExtentFromProjectionDirection(ZkGePoint3d& point, ZkGeVector3d direction,
                                                const ZkGeMatrix3d& toWorld) const;

    // The extent handle a pick at `hit` (screen pixels) lands on, 1..8 as the
    // handle types number them, or 0 for the plane itself. Corners are tried
    // first with the larger radius; origin planes offer no handles.
    int extentHandleAt(const ZkGePoint3d& hit, const ScreenProjection& toScreen) const override;

    // The colour the plane is drawn in, as the active environment gave it
    // when the appearance was last realised.
    const Color& displayColor() const { return m_color; }

    // Scene: one shaded quad over the rectangle, in model coordinates.
    void realizeTransform(Scene::NodeChange&) override {}
    void realizeGeometry(Scene::NodeChange& change) override;
    void realizeAppearance(Scene::NodeChange& change) override;
    void activeEnvironmentChanged(Event* event) override;

    std::wstring userName() const override;
    // A pick of the plane (or of a corner or an edge) as the selection class its leaf qualifier
    // calls for; nothing while it only previews.
    StrongRef<LogicalSelection> onCreateLogicalSelection(const ObjectPath& path) override;
    // Scripting name "WorkPlane", represented by the user name.
    bool getOnk(Onk& key) override;

    void* queryInterface(const UniqueString& id) override;
    KV_INTERFACE_ID("Kv::Geometry::WorkPlane")

protected:
    WorkPlane(Segment* segment, uint64_t id);

    bool onHasLines() const override { return false; }
    bool onHasFill() const override { return false; }
    void onTranslate(const ZkGeVector3d& offset) override;
    void onTransformBy(const ZkGeMatrix3d& transform) override;
    std::wstring onToString() const override;
    ZkGePoint3d nominalPoint() const override;
    int extentHandleCount() const override { return 8; }

private:
    WorkPlane(Entity* parent, const ZkGePlane& plane);
    WorkPlane(Entity* parent, const ZkGePlane& plane, bool isOrigin,
              const std::wstring& originName);
    void initializeMemberSet(uint32_t version, MemberSet& memberSet);
    void initializeMemberSetIfNeeded();

    // The plane's point at parameters (u, v), and back.
    ZkGePoint3d evalPoint(const ZkGePoint2d& param) const;
    ZkGePoint2d paramOf(const ZkGePoint3d& point) const;
    // Takes the colour from the active environment; true when it changed.
    bool applyActiveEnvironmentColors();
    void applyOccludedEffect(Scene::NodeChange& change) const;

    ZkGePlane m_plane;
    ZkGePoint2d m_llParam{-5.0, -5.0};
    ZkGePoint2d m_urParam{5.0, 5.0};
    Color m_color{1, 1, 1, 1};
};

} // namespace Kv::Geometry
