#pragma once

#include "Geometry/GeometryEntity.h"
#include "Geometry/workgeometry/WorkGeometryCollection.h"

namespace Kv::Geometry {

class WorkPoint;

// The work points of a component as older documents kept them, with their own
// counter. Still read and named, but new work geometry goes to WorkGeometries.
class WorkPoints : public WorkGeometryCollection<WorkPoints> {
    KV_GEOMETRY_ENTITY(WorkPoints, CommonData::CommonBaseGroupEntity)

public:
    // Scripting name; children are found by user name.
    static constexpr const wchar_t* kScriptingName = L"WorkPoints";

    // For the host's component only; the add-in makes none.
    explicit WorkPoints(Entity* component);

    StrongRef<WorkPoint> workpoint(unsigned int index) const;
    int highWaterMark() const { return m_highWaterMark; }
    // The next number, recorded as a change of the collection.
    int getNextID() { return nextNumber(m_highWaterMark); }

    void* queryInterface(const UniqueString& id) override;
    KV_INTERFACE_ID("Kv::Geometry::WorkPoints")

protected:
    WorkPoints(Segment* segment, uint64_t id);

private:
    void initializeMemberSet(uint32_t version, MemberSet& memberSet);
    void initializeMemberSetIfNeeded();

    int m_highWaterMark = 0;
};

} // namespace Kv::Geometry
