#include "Geometry/curves3d/Curve3D.h"

#include "Geometry/sketch3d/Point3D.h"
#include "Kv/DataModel/DataChange.h"
#include "Kv/DataModel/EntityChange.h"
#include "Kv/DataModel/MemberRegistration.h"

namespace Kv::Geometry {

KV_GEOMETRY_ENTITY_IMPL(Curve3D)

Curve3D::Curve3D(Entity* parent) : Geometry3D(parent) { initializeMemberSetIfNeeded(); }

Curve3D::Curve3D(Segment* segment, uint64_t id) : Geometry3D(segment, id) {
    initializeMemberSetIfNeeded();
}

void Curve3D::initializeMemberSet(uint32_t, MemberSet& memberSet) {
    registerMember(memberSet, "isFixed", m_isFixed);
    registerMember(memberSet, "useEnvironmentColors", m_useEnvironmentColors);
    // The comb is a per-view display preference: copies do not carry it.
    registerMember(memberSet, "m_bShowCurvComb", m_bShowCurvComb).clearOption(Member::kCopied);
    registerMember(memberSet, "m_combDensity", m_combDensity).clearOption(Member::kCopied);
    registerMember(memberSet, "m_combScale", m_combScale).clearOption(Member::kCopied);
}

void Curve3D::initializeMemberSetIfNeeded() {
    s_metaType().initializeMemberSetIfNeeded(
        this, [this](uint32_t version, MemberSet& set) { initializeMemberSet(version, set); });
    s_metaType().beginMigrationIfNeeded(this, nullptr);
}

ZkGePoint3d Curve3D::start() const {
    return m_startPoint ? m_startPoint->point() : ZkGePoint3d::kOrigin;
}

ZkGePoint3d Curve3D::end() const { return m_endPoint ? m_endPoint->point() : ZkGePoint3d::kOrigin; }

template <class T> void Curve3D::setProperty(T& field, const T& value) {
    EntityChange change(this, kTransactDo, kChangeProperties, 3, nullptr, true);
    field = value;
}

void Curve3D::fixed(bool fixed) { setProperty(m_isFixed, fixed); }
void Curve3D::useEnvironmentColors(bool use) { setProperty(m_useEnvironmentColors, use); }
void Curve3D::showCurvatureComb(bool show) { setProperty(m_bShowCurvComb, show); }
void Curve3D::combDensity(unsigned int density) { setProperty(m_combDensity, density); }
void Curve3D::combScale(double scale) { setProperty(m_combScale, scale); }

void* Curve3D::queryInterface(const UniqueString& id) {
    return id == interfaceId() ? this : Geometry3D::queryInterface(id);
}

std::wstring Curve3D::onToString() const { return Geometry3D::onToString(); }

} // namespace Kv::Geometry
