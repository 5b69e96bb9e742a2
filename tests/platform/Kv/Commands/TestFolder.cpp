#include "TestFolder.h"

#include "Kv/DataModel/DataChange.h"
#include "Kv/DataModel/EntityMetaType.h"

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

void TestFolder::initializeMemberSetIfNeeded() {
    s_metaType().initializeMemberSetIfNeeded(this, nullptr);
}

} // namespace KvCommandTests
