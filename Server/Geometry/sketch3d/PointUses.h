#pragma once

#include "Geometry/GeometryEntity.h"
#include "Kv/Base/StrongRef.h"
#include "Kv/CommonData/CommonBaseEntity.h"
#include "Kv/DataModel/MigrationHelper.h"

#include <vector>

namespace Kv::Geometry {

class Point3D;
class PointUsesMigrationHelper;

// The fit points of a spline, in order. Owning: it keeps the points alive;
// the same point may appear more than once (closed splines).
class PointUses : public CommonData::CommonBaseEntity {
    KV_GEOMETRY_ENTITY(PointUses, CommonData::CommonBaseEntity)

public:
    static StrongRefCreator<PointUses> make(const StrongRef<Entity>& parent);
    ~PointUses() override;

    void add(const StrongRef<Point3D>& point);
    // Inserts before `index`, or appends when `index` is past the end.
    void insert(int index, const StrongRef<Point3D>& point);
    void remove(const StrongRef<Point3D>& point);
    bool contains(const StrongRef<Point3D>& point) const;
    size_t geometriesCount() const { return m_geometries.size(); }
    const std::vector<StrongRef<Point3D>>& points() const { return m_geometries; }

    void* queryInterface(const UniqueString& id) override;
    KV_INTERFACE_ID("Kv::Geometry::PointUses")

    void onPostMigrate() override;
    void doInitializeMigrationHelpers() override;
    void doUninitializeMigrationHelpers() override;

protected:
    PointUses(Segment* segment, uint64_t id);
    std::wstring onToString() const override;

private:
    explicit PointUses(Entity* parent);
    void initializeMemberSet(uint32_t version, MemberSet& memberSet);
    void initializeMemberSetIfNeeded();

    PointUsesMigrationHelper*& migrationHelper() { return m_migrationHelper; }
    void createMigrationHelper();
    void deleteMigrationHelper();
    EMigrationStatus postMigrate(uint32_t oldVersion);

    std::vector<StrongRef<Point3D>> m_geometries;
    PointUsesMigrationHelper* m_migrationHelper = nullptr;
};

} // namespace Kv::Geometry
