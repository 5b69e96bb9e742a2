#pragma once

#include "Geometry/GeometryEntity.h"
#include "Kv/Base/StrongRef.h"
#include "Kv/CommonData/CommonBaseEntity.h"

#include <map>

namespace Kv::Geometry {

class CurvatureHandle;

// A spline's curvature handles by fit-point index, one handle per index.
class CurvatureUses : public CommonData::CommonBaseEntity {
    KV_GEOMETRY_ENTITY(CurvatureUses, CommonData::CommonBaseEntity)

public:
    static StrongRefCreator<CurvatureUses> make(const StrongRef<Entity>& parent);

    void insert(int index, const StrongRef<CurvatureHandle>& handle);
    void remove(int index);
    bool contains(int index) const { return m_geometries.count(index) > 0; }
    size_t geometriesCount() const { return m_geometries.size(); }
    const std::map<int, StrongRef<CurvatureHandle>>& curvatures() const { return m_geometries; }
    void rearrangeIndex(int index, bool decrement);

    void* queryInterface(const UniqueString& id) override;
    KV_INTERFACE_ID("Kv::Geometry::CurvatureUses")

protected:
    CurvatureUses(Segment* segment, uint64_t id);
    std::wstring onToString() const override;

private:
    explicit CurvatureUses(Entity* parent);
    void initializeMemberSet(uint32_t version, MemberSet& memberSet);
    void initializeMemberSetIfNeeded();

    std::map<int, StrongRef<CurvatureHandle>> m_geometries;
};

} // namespace Kv::Geometry
