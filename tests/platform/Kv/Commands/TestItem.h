#pragma once

#include "Kv/CommonData/CommonBaseGroupEntity.h"
#include "Kv/DataModel/IScriptableObject.h"

namespace KvCommandTests {

// A group entity with one persisted number, so commands can change a member and
// the children; a value other than 0 gives it the name key "Item<value>" with the text "item
// <value>".
class TestItem : public Kv::CommonData::CommonBaseGroupEntity, public Kv::IScriptableObject {
public:
    static Kv::EntityMetaType& s_metaType();
    // A new item, a child of `parent` in its segment.
    static Kv::StrongRefCreator<TestItem> make(Kv::Entity* parent);

    int value() const { return m_value; }
    // Recorded when a transaction is open, like any persisted write.
    void value(int value);

    bool getOnk(Kv::Onk& key) override;

    void* queryInterface(const Kv::UniqueString& id) override;
    KV_INTERFACE_ID("KvCommandTests::TestItem")

protected:
    Kv::EntityMetaType* onMetaType() const override { return &s_metaType(); }

private:
    explicit TestItem(Kv::Entity* parent);
    void initializeMemberSetIfNeeded();

    int m_value = 0;
};

} // namespace KvCommandTests
