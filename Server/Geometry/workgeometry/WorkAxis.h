#pragma once

#include "Geometry/workgeometry/WorkGeometry.h"
#include "ZkGeLine3d.h"

namespace Kv::Geometry {

// A construction axis of a component: an infinite line drawn between the two
// line parameters of its extent.
class WorkAxis : public WorkGeometry {
    KV_GEOMETRY_ENTITY(WorkAxis, WorkGeometry)

public:
    // A numbered axis spanning -10..10; `parent` must be the component's
    // WorkGeometries.
    static StrongRefCreator<WorkAxis> make(const StrongRef<Entity>& parent, const ZkGeLine3d& line);
    // The same, through `point` along `direction`.
    static StrongRefCreator<WorkAxis> make(const StrongRef<Entity>& parent,
                                           const ZkGePoint3d& point, const ZkGeVector3d& direction);
    // An origin axis, not numbered, with the short extent 0.175..2.25.
    static StrongRefCreator<WorkAxis> make(const StrongRef<Entity>& parent, const ZkGeLine3d& line,
                                           bool isOrigin, const std::wstring& originName);
    // The first child of `parent` equal to `line` (within the global
    // tolerance), or a new numbered axis.
    static StrongRef<WorkAxis> findOrMake(const StrongRef<Entity>& parent, const ZkGeLine3d& line);

    const ZkGeLine3d& line() const { return m_line; }
    // The extent parameters stay as they are.
    void line(const ZkGeLine3d& line);

    void size(double& lower, double& upper) const;
    void getExtents(ZkGePoint3d& lower, ZkGePoint3d& upper) const;
    // The ends nearest `a` and `b`, in that order and not sorted.
    void setExtents(const ZkGePoint3d& a, const ZkGePoint3d& b);
    // Moves each end out by `factor` times the length.
    void scaleExtents(double factor);

    std::wstring userName() const override;
    // Scripting name "WorkAxis", represented by the user name.
    bool getOnk(Onk& key) override;

    void* queryInterface(const UniqueString& id) override;
    KV_INTERFACE_ID("Kv::Geometry::WorkAxis")

protected:
    WorkAxis(Segment* segment, uint64_t id);

    bool onHasLines() const override { return false; }
    bool onHasFill() const override { return false; }
    // Records no change of its own: the caller decides how a move is recorded.
    void onTranslate(const ZkGeVector3d& offset) override;
    void onTransformBy(const ZkGeMatrix3d& transform) override;
    std::wstring onToString() const override;

private:
    WorkAxis(Entity* parent, const ZkGeLine3d& line);
    WorkAxis(Entity* parent, const ZkGeLine3d& line, bool isOrigin, const std::wstring& originName);
    void initializeMemberSet(uint32_t version, MemberSet& memberSet);
    void initializeMemberSetIfNeeded();

    ZkGeLine3d m_line;
    double m_lowerParam = -10.0;
    double m_upperParam = 10.0;
};

} // namespace Kv::Geometry
