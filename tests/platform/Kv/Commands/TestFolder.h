#pragma once

#include "Kv/CommonData/CommonBaseGroupEntity.h"

namespace KvCommandTests {

// A group entity of a second class, so that names can be seen to count each
// class apart.
class TestFolder : public Kv::CommonData::CommonBaseGroupEntity {
public:
    static Kv::EntityMetaType& s_metaType();
    // A new folder, a child of `parent` in its segment.
    static Kv::StrongRefCreator<TestFolder> make(Kv::Entity* parent);

    void* queryInterface(const Kv::UniqueString& id) override {
        return id == interfaceId() ? this : CommonBaseGroupEntity::queryInterface(id);
    }
    KV_INTERFACE_ID("KvCommandTests::TestFolder")

protected:
    Kv::EntityMetaType* onMetaType() const override { return &s_metaType(); }

private:
    explicit TestFolder(Kv::Entity* parent);
    void initializeMemberSetIfNeeded();
};

} // namespace KvCommandTests
