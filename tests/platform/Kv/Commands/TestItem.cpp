#include "TestItem.h"

#include "Kv/DataModel/DataChange.h"
#include "Kv/DataModel/EntityChange.h"
#include "Kv/DataModel/EntityMetaType.h"
#include "Kv/DataModel/Onk.h"
#include "Kv/DataModel/ValueMetaType.h"

namespace KvCommandTests {

Kv::EntityMetaType& TestItem::s_metaType() {
    static Kv::EntityMetaType metaType(
        "KvCommandTests", "KvCommandTests::TestItem", "TestItemMetaType", 1,
        "Kv::CommonData::CommonBaseGroupEntity", Kv::EntityMetaType::kConcrete);
    return metaType;
}

Kv::StrongRefCreator<TestItem> TestItem::make(Kv::Entity* parent) {
    Kv::StrongRef<TestItem> item(new TestItem(parent));
    item->postCreation(Kv::kTransactDo);
    return Kv::StrongRefCreator<TestItem>(item);
}

TestItem::TestItem(Kv::Entity* parent)
    : CommonBaseGroupEntity(parent) {
    initializeMemberSetIfNeeded();
}

void TestItem::initializeMemberSetIfNeeded() {
    s_metaType().initializeMemberSetIfNeeded(this, [this](uint32_t, Kv::MemberSet& set) {
        set.addNewMember("value", &m_value, "int", Kv::IntrinsicMetaType::get<int>(), nullptr,
                         nullptr);
    });
}

void TestItem::value(int value) {
    Kv::EntityChange change(this, Kv::kTransactDo, Kv::kChangeProperties, 0);
    m_value = value;
}

bool TestItem::getOnk(Kv::Onk& key) {
    if (m_value == 0)
        return false;
    key.setName(L"Item" + std::to_wstring(m_value));
    key.setRepresentation(L"item " + std::to_wstring(m_value));
    return true;
}

void* TestItem::queryInterface(const Kv::UniqueString& id) {
    if (id == interfaceId())
        return this;
    if (id == IScriptableObject::interfaceId())
        return static_cast<IScriptableObject*>(this);
    return CommonBaseGroupEntity::queryInterface(id);
}

} // namespace KvCommandTests
