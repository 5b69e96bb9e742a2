#pragma once

#include "Kv/CommonData/CommonBaseGroupEntity.h"
#include "Kv/DataModel/IScriptableObject.h"

namespace KvCommandTests {

// A group entity of a second class, so that names can be seen to count each
// class apart. Scripts find its children by the text of their name keys.
class TestFolder : public Kv::CommonData::CommonBaseGroupEntity, public Kv::IScriptableObject {
public:
    static Kv::EntityMetaType& s_metaType();
    // A new folder, a child of `parent` in its segment.
    static Kv::StrongRefCreator<TestFolder> make(Kv::Entity* parent);

    bool getOnk(Kv::Onk&) override { return false; }
    IScriptableObject* getChildObject(const Kv::Onk& key, const Kv::ObjectPath&) override;

    void* queryInterface(const Kv::UniqueString& id) override;
    KV_INTERFACE_ID("KvCommandTests::TestFolder")

protected:
    Kv::EntityMetaType* onMetaType() const override { return &s_metaType(); }

private:
    explicit TestFolder(Kv::Entity* parent);
    void initializeMemberSetIfNeeded();
};

} // namespace KvCommandTests
