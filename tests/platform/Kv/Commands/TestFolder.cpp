#include "TestFolder.h"

#include "Kv/DataModel/DataChange.h"
#include "Kv/DataModel/EntityMetaType.h"
#include "Kv/DataModel/Onk.h"

namespace KvCommandTests {

Kv::EntityMetaType& TestFolder::s_metaType() {
    static Kv::EntityMetaType metaType(
        "KvCommandTests", "KvCommandTests::TestFolder", "TestFolderMetaType", 1,
        "Kv::CommonData::CommonBaseGroupEntity", Kv::EntityMetaType::kConcrete);
    return metaType;
}

Kv::StrongRefCreator<TestFolder> TestFolder::make(Kv::Entity* parent) {
    Kv::StrongRef<TestFolder> folder(new TestFolder(parent));
    folder->postCreation(Kv::kTransactDo);
    return Kv::StrongRefCreator<TestFolder>(folder);
}

TestFolder::TestFolder(Kv::Entity* parent)
    : CommonBaseGroupEntity(parent) {
    initializeMemberSetIfNeeded();
}

Kv::IScriptableObject* TestFolder::getChildObject(const Kv::Onk& key, const Kv::ObjectPath&) {
    for (const Kv::StrongRef<Kv::Entity>& child : children()) {
        auto* scriptable = Kv::queryInterface<IScriptableObject>(child.get());
        Kv::Onk childKey;
        if (scriptable && scriptable->getOnk(childKey) &&
            childKey.representation() == key.representation())
            return scriptable;
    }
    return nullptr;
}

void* TestFolder::queryInterface(const Kv::UniqueString& id) {
    if (id == interfaceId())
        return this;
    if (id == IScriptableObject::interfaceId())
        return static_cast<IScriptableObject*>(this);
    return CommonBaseGroupEntity::queryInterface(id);
}

void TestFolder::initializeMemberSetIfNeeded() {
    s_metaType().initializeMemberSetIfNeeded(this, nullptr);
}

} // namespace KvCommandTests
