#pragma once

#include "Geometry/workgeometry/WorkGeometry.h"
#include "ZkGePlane.h"
#include "ZkGePoint2d.h"

namespace Kv::Geometry {

// A construction plane of a component: an infinite plane drawn as the
// rectangle its extent spans in the plane's own (u, v) parameters.
class WorkPlane : public WorkGeometry {
    KV_GEOMETRY_ENTITY(WorkPlane, WorkGeometry)

public:
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

    std::wstring userName() const override;
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

private:
    WorkPlane(Entity* parent, const ZkGePlane& plane);
    WorkPlane(Entity* parent, const ZkGePlane& plane, bool isOrigin,
              const std::wstring& originName);
    void initializeMemberSet(uint32_t version, MemberSet& memberSet);
    void initializeMemberSetIfNeeded();

    // The plane's point at parameters (u, v), and back.
    ZkGePoint3d evalPoint(const ZkGePoint2d& param) const;
    ZkGePoint2d paramOf(const ZkGePoint3d& point) const;

    ZkGePlane m_plane;
    ZkGePoint2d m_llParam{-5.0, -5.0};
    ZkGePoint2d m_urParam{5.0, 5.0};
};

} // namespace Kv::Geometry
