#pragma once

#include "Geometry/GeometryEntity.h"
#include "Geometry/workgeometry/WorkGeometryCollection.h"

namespace Kv::Geometry {

class WorkAxis;

// The work axes of a component as older documents kept them, with their own
// counter. Still read and named, but new work geometry goes to WorkGeometries.
class WorkAxes : public WorkGeometryCollection<WorkAxes> {
    KV_GEOMETRY_ENTITY(WorkAxes, CommonData::CommonBaseGroupEntity)

public:
    // Scripting name; children are found by user name.
    static constexpr const wchar_t* kScriptingName = L"WorkAxes";

    // For the host's component only; the add-in makes none.
    explicit WorkAxes(Entity* component);

    StrongRef<WorkAxis> workAxis(unsigned int index) const;
    int highWaterMark() const { return m_highWaterMark; }
    // The next number, recorded as a change of the collection.
    int getNextID() { return nextNumber(m_highWaterMark); }

    void* queryInterface(const UniqueString& id) override;
    KV_INTERFACE_ID("Kv::Geometry::WorkAxes")

protected:
    WorkAxes(Segment* segment, uint64_t id);

private:
    void initializeMemberSet(uint32_t version, MemberSet& memberSet);
    void initializeMemberSetIfNeeded();

    int m_highWaterMark = 0;
};

} // namespace Kv::Geometry
