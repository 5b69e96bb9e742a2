#include "Geometry/sketch3d/PointUses.h"

#include "Geometry/sketch3d/Point3D.h"
#include "Geometry/sketch3d/PointUsesMigrationHelper.h"
#include "Kv/DataModel/DataChange.h"
#include "Kv/DataModel/EntityChange.h"
#include "Kv/DataModel/MemberRegistration.h"
#include "Kv/DataModel/Segment.h"

#include <algorithm>
#include <boost/format.hpp>

namespace Kv::Geometry {

KV_GEOMETRY_ENTITY_CORE_IMPL(PointUses)

StrongRefCreator<PointUses> PointUses::make(const StrongRef<Entity>& parent) {
    if (!parent)
        return {};
    StrongRef<PointUses> uses(new PointUses(parent.get()));
    uses->postCreation(kTransactDo);
    return StrongRefCreator<PointUses>(uses);
}

PointUses::PointUses(Entity* parent)
    : CommonBaseEntity(parent) {
    initializeMemberSetIfNeeded();
}

PointUses::PointUses(Segment* segment, uint64_t id)
    : CommonBaseEntity(segment, id) {
    initializeMemberSetIfNeeded();
}

PointUses::~PointUses() {
    doUninitializeMigrationHelpers();
}

void PointUses::initializeMemberSet(uint32_t version, MemberSet& memberSet) {
    if (version == 0) {
        // The first schema kept passive references; they are read aside and
        // turned into owning references once the whole document is read.
        if (m_migrationHelper)
            registerMember(memberSet, "geometries", m_migrationHelper->geometries,
                           m_migrationHelper);
    } else if (version == 1) {
        registerMember(memberSet, "geometries", m_geometries);
    }
}

void PointUses::initializeMemberSetIfNeeded() {
    s_metaType().initializeMemberSetIfNeeded(
        this, [this](uint32_t version, MemberSet& set) { initializeMemberSet(version, set); });
    m_migrationHelper = nullptr;
    s_metaType().beginMigrationIfNeeded(this, [this] { createMigrationHelper(); });
}

void PointUses::createMigrationHelper() {
    if (m_migrationHelper)
        return;
    m_migrationHelper = new PointUsesMigrationHelper(segment());
    segment()->registerMigrationHelper(this, &s_metaType(), m_migrationHelper);
}

void PointUses::deleteMigrationHelper() {
    if (!m_migrationHelper)
        return;
    delete segment()->unregisterMigrationHelper(this, &s_metaType());
    m_migrationHelper = nullptr;
}

void PointUses::doInitializeMigrationHelpers() {
    CommonBaseEntity::doInitializeMigrationHelpers();
    createMigrationHelper();
}

void PointUses::doUninitializeMigrationHelpers() {
    deleteMigrationHelper();
    CommonBaseEntity::doUninitializeMigrationHelpers();
}

void PointUses::onPostMigrate() {
    CommonBaseEntity::onPostMigrate();
    uint32_t persisted = version();
    if (persisted >= s_metaType().version())
        return;
    if (postMigrate(persisted) == kMigrationDone)
        deleteMigrationHelper();
    version(s_metaType().version());
}

EMigrationStatus PointUses::postMigrate(uint32_t oldVersion) {
    if (oldVersion == 0 && m_migrationHelper)
        for (const auto& point : m_migrationHelper->geometries)
            m_geometries.push_back(point.lock());
    return kMigrationDone;
}

void* PointUses::queryMTInterface(const EntityMetaType* metaType) {
    if (metaType == &s_metaType())
        return this;
    if (void* found = CommonBaseEntity::queryMTInterface(metaType))
        return found;
    return m_migrationHelper;
}

void PointUses::add(const StrongRef<Point3D>& point) {
    EntityChange change(this, kTransactDo, kChangeProperties, 3, nullptr, true);
    m_geometries.push_back(point);
}

void PointUses::insert(int index, const StrongRef<Point3D>& point) {
    EntityChange change(this, kTransactDo, kChangeProperties, 3, nullptr, true);
    if (index >= 0 && static_cast<size_t>(index) < m_geometries.size())
        m_geometries.insert(m_geometries.begin() + index, point);
    else
        m_geometries.push_back(point);
}

void PointUses::remove(const StrongRef<Point3D>& point) {
    auto it = std::find(m_geometries.begin(), m_geometries.end(), point);
    if (it == m_geometries.end())
        return;
    EntityChange change(this, kTransactDo, kChangeProperties, 3, nullptr, true);
    m_geometries.erase(it);
}

bool PointUses::contains(const StrongRef<Point3D>& point) const {
    return std::find(m_geometries.begin(), m_geometries.end(), point) != m_geometries.end();
}

void* PointUses::queryInterface(const UniqueString& id) {
    return id == interfaceId() ? this : CommonBaseEntity::queryInterface(id);
}

std::wstring PointUses::onToString() const {
    return (boost::wformat(L"PointUses (base %1%)") % CommonBaseEntity::onToString()).str();
}

} // namespace Kv::Geometry
