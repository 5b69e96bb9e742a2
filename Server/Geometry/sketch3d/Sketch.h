#pragma once

#include "Geometry/GeometryEntity.h"
#include "Kv/CommonData/CommonBaseGroupEntity.h"

#include <string>

namespace Kv::Geometry {

class CoordinateSystem;
class Sketches;

// One named 3D sketch of a component: a group of sketch geometry placed in
// space by its coordinate system.
class Sketch : public CommonData::CommonBaseGroupEntity {
    KV_GEOMETRY_ENTITY(Sketch, CommonData::CommonBaseGroupEntity)

public:
    // The value of an index not handed out yet.
    static constexpr unsigned int kUnsetIndex = 0xFFFFFFFF;

    static StrongRefCreator<Sketch> make(const StrongRef<Sketches>& sketches,
                                         const std::wstring& name);
    static StrongRefCreator<Sketch> make(Segment* segment, const std::wstring& name);

    const std::wstring& userName() const { return m_userName; }
    const StrongRef<CoordinateSystem>& coordinateSystem() const { return m_UCS; }
    void coordinateSystem(const StrongRef<CoordinateSystem>& system);
    bool isOwnVisible() const { return m_isVisible; }
    unsigned int creationIndex() const { return m_creationIndex; }
    // Sets the index directly, without a change record: migration numbers
    // sketches of old documents while they are being read.
    void creationIndexForMigration(unsigned int index) { m_creationIndex = index; }

    void* queryInterface(const UniqueString& id) override;
    KV_INTERFACE_ID("Kv::Geometry::Sketch")

protected:
    Sketch(Segment* segment, uint64_t id);
    std::wstring onToString() const override;

private:
    Sketch(Entity* parent, const std::wstring& name);
    Sketch(Segment* segment, const std::wstring& name);
    void initializeMemberSet(uint32_t version, MemberSet& memberSet);
    void initializeMemberSetIfNeeded();

    std::wstring m_userName;
    StrongRef<CoordinateSystem> m_UCS;
    bool m_isVisible = true;
    unsigned int m_creationIndex = kUnsetIndex;
};

} // namespace Kv::Geometry
