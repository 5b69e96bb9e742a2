#pragma once

#include "Geometry/GeometryEntity.h"
#include "Kv/CommonData/CommonBaseGroupEntity.h"
#include "Kv/DataModel/IScriptableObject.h"
#include "Kv/DataModel/MigrationHelper.h"

namespace Kv {
class IComponent;
}

namespace Kv::Geometry {

class Sketch;

// A component's 3D sketches, in order. It hands out the sequence numbers of
// default sketch names (never reused) and shows or hides all sketches.
class Sketches : public CommonData::CommonBaseGroupEntity, public IScriptableObject {
    KV_GEOMETRY_ENTITY(Sketches, CommonData::CommonBaseGroupEntity)

public:
    static StrongRefCreator<Sketches> make(IComponent* component);
    ~Sketches() override;

    StrongRef<Sketch> sketch(unsigned int index) const;
    unsigned int highWaterMark() const { return m_highWaterMark; }
    // The next sequence number, recorded as a change of the collection.
    unsigned int getNextID();
    // Sets the mark directly, without a change record: migration numbers the
    // sketches of old documents while they are being read.
    void highWaterMarkForMigration(unsigned int mark) { m_highWaterMark = mark; }
    bool isVisible() const { return m_visible; }

    // Scripting name "Sketches".
    bool getOnk(Onk& key) override;

    void* queryInterface(const UniqueString& id) override;
    KV_INTERFACE_ID("Kv::Geometry::Sketches")

    void onPostMigrate() override;
    void doInitializeMigrationHelpers() override;
    void doUninitializeMigrationHelpers() override;

protected:
    Sketches(Segment* segment, uint64_t id);
    std::wstring onToString() const override;

private:
    explicit Sketches(Entity* component);
    void initializeMemberSet(uint32_t version, MemberSet& memberSet);
    void initializeMemberSetIfNeeded();

    void createMigrationHelper();
    void deleteMigrationHelper();
    EMigrationStatus postMigrate(uint32_t oldVersion);

    unsigned int m_highWaterMark = 0;
    bool m_visible = true;
    MigrationHelper* m_migrationHelper = nullptr;
};

} // namespace Kv::Geometry
