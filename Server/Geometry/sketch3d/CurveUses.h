#pragma once

#include "Geometry/GeometryEntity.h"
#include "Kv/Base/PassiveRef.h"
#include "Kv/CommonData/CommonBaseEntity.h"

#include <vector>

namespace Kv::Geometry {

class Curve3D;

// The curves that use a point or handle. Passive: it never keeps a curve
// alive, and a curve appears at most once.
class CurveUses : public CommonData::CommonBaseEntity {
    KV_GEOMETRY_ENTITY(CurveUses, CommonData::CommonBaseEntity)

public:
    static StrongRefCreator<CurveUses> make(const StrongRef<Entity>& parent);

    void add(const PassiveRef<Curve3D>& curve);
    void remove(const PassiveRef<Curve3D>& curve);
    bool contains(const PassiveRef<Curve3D>& curve) const;
    size_t geometriesCount() const { return m_geometries.size(); }
    const std::vector<PassiveRef<Curve3D>>& curves() const { return m_geometries; }

    void* queryInterface(const UniqueString& id) override;
    KV_INTERFACE_ID("Kv::Geometry::CurveUses")

protected:
    CurveUses(Segment* segment, uint64_t id);
    std::wstring onToString() const override;

private:
    explicit CurveUses(Entity* parent);
    void initializeMemberSet(uint32_t version, MemberSet& memberSet);
    void initializeMemberSetIfNeeded();

    std::vector<PassiveRef<Curve3D>> m_geometries;
};

} // namespace Kv::Geometry
