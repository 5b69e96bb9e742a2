#include "Geometry/sketch3d/Sketch.h"

#include "Geometry/sketch3d/CoordinateSystem.h"
#include "Geometry/sketch3d/SketchDataModelCallback.h"
#include "Geometry/sketch3d/Sketches.h"
#include "Kv/DataModel/DataChange.h"
#include "Kv/DataModel/EntityChange.h"
#include "Kv/DataModel/MemberRegistration.h"

#include <boost/format.hpp>

namespace Kv::Geometry {

KV_GEOMETRY_ENTITY_IMPL(Sketch)

StrongRefCreator<Sketch> Sketch::make(const StrongRef<Sketches>& sketches,
                                      const std::wstring& name) {
    if (!sketches)
        return {};
    StrongRef<Sketch> sketch(new Sketch(sketches.get(), name));
    sketch->postCreation(kTransactDo);
    return StrongRefCreator<Sketch>(sketch);
}

StrongRefCreator<Sketch> Sketch::make(Segment* segment, const std::wstring& name) {
    if (!segment)
        return {};
    StrongRef<Sketch> sketch(new Sketch(segment, name));
    sketch->postCreation(kTransactDo);
    return StrongRefCreator<Sketch>(sketch);
}

Sketch::Sketch(Entity* parent, const std::wstring& name)
    : CommonBaseGroupEntity(parent), m_userName(name) {
    initializeMemberSetIfNeeded();
}

Sketch::Sketch(Segment* segment, const std::wstring& name)
    : CommonBaseGroupEntity(segment), m_userName(name) {
    initializeMemberSetIfNeeded();
}

Sketch::Sketch(Segment* segment, uint64_t id) : CommonBaseGroupEntity(segment, id) {
    initializeMemberSetIfNeeded();
}

void Sketch::initializeMemberSet(uint32_t version, MemberSet& memberSet) {
    if (version > 1)
        return;
    registerMember(memberSet, "userName", m_userName);
    registerMember(memberSet, "UCS", m_UCS);
    registerMember(memberSet, "isVisible", m_isVisible);
    if (version >= 1)
        registerMember(memberSet, "creationIndex", m_creationIndex);
}

void Sketch::initializeMemberSetIfNeeded() {
    s_metaType().initializeMemberSetIfNeeded(this, [this](uint32_t version, MemberSet& set) {
        initializeMemberSet(version, set);
        g_sketchDataModelCallback.performPostClonePaste();
        s_metaType().dataModelCallback(&g_sketchDataModelCallback);
    });
    s_metaType().beginMigrationIfNeeded(this, nullptr);
}

void Sketch::coordinateSystem(const StrongRef<CoordinateSystem>& system) {
    EntityChange change(this, kTransactDo, kChangeGeometry, 3, nullptr, true);
    m_UCS = system;
}

void* Sketch::queryInterface(const UniqueString& id) {
    return id == interfaceId() ? this : CommonBaseGroupEntity::queryInterface(id);
}

std::wstring Sketch::onToString() const {
    return (boost::wformat(L"Sketch \"%1%\" (base %2%)") % m_userName %
            CommonBaseGroupEntity::onToString())
        .str();
}

} // namespace Kv::Geometry
