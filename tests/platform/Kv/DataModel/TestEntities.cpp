#include "TestEntities.h"

#include "Kv/DataModel/MemberMetaType.h"
#include "Kv/DataModel/MemberSet.h"
#include "Kv/DataModel/RefMetaType.h"
#include "Kv/DataModel/TemplatizedFunctions.h"
#include "Kv/DataModel/ValueMetaType.h"
#include "Kv/DataModel/ZkGeValueMetaType.h"

#include <typeinfo>

namespace Kv::Tests {
namespace {

const char* const kTestAddInId = "KvTests";

EntityMetaTypeOf<TestGroup> g_testGroupMetaType(kTestAddInId, "KvTests::TestGroup",
                                                "TestGroupMetaType", 1,
                                                "Kv::CommonData::CommonBaseGroupEntity",
                                                EntityMetaType::kConcrete);
EntityMetaTypeOf<TestItem> g_testItemMetaType(kTestAddInId, "KvTests::TestItem", "TestItemMetaType",
                                              1, "Kv::CommonData::CommonBaseGroupEntity",
                                              EntityMetaType::kConcrete);
EntityMetaTypeOf<TestDerivedItem>
    g_testDerivedItemMetaType(kTestAddInId, "KvTests::TestDerivedItem", "TestDerivedItemMetaType",
                              1, "KvTests::TestItem", EntityMetaType::kConcrete);

template <class T> StrongRefCreator<T> created(T* entity) {
    StrongRef<T> ref(entity);
    ref->postCreation(kTransactDo);
    return StrongRefCreator<T>(ref);
}

} // namespace

// TestGroup

EntityMetaType& TestGroup::s_metaType() {
    return g_testGroupMetaType;
}

StrongRefCreator<TestGroup> TestGroup::make(Entity* parent) {
    return created(new TestGroup(parent));
}

TestGroup::TestGroup(Entity* parent)
    : CommonBaseGroupEntity(parent) {
    s_metaType().initializeMemberSetIfNeeded(
        this, [this](uint32_t version, MemberSet& ms) { initializeMemberSet(version, ms); });
}

TestGroup::TestGroup(Segment* segment, uint64_t id)
    : CommonBaseGroupEntity(segment, id) {
    s_metaType().initializeMemberSetIfNeeded(
        this, [this](uint32_t version, MemberSet& ms) { initializeMemberSet(version, ms); });
}

void TestGroup::initializeMemberSet(uint32_t, MemberSet& ms) {
    ms.addNewMember("title", &m_title, typeid(m_title).name(),
                    IntrinsicMetaType::get<std::wstring>(), nullptr, nullptr);
}

void TestGroup::title(const std::wstring& title) {
    EntityChange change(this, kTransactDo, kChangeName, 3);
    m_title = title;
}

// TestItem

EntityMetaType& TestItem::s_metaType() {
    return g_testItemMetaType;
}

StrongRefCreator<TestItem> TestItem::make(Entity* parent) {
    return created(new TestItem(parent));
}

StrongRefCreator<TestItem> TestItem::makeAt(Managed::ManagedGroupEntity* parent, size_t index) {
    StrongRef<TestItem> item(new TestItem(parent));
    parent->insertChild(index, item);
    item->postCreation(kTransactDo);
    return StrongRefCreator<TestItem>(item);
}

TestItem::TestItem(Entity* parent)
    : CommonBaseGroupEntity(parent) {
    s_metaType().initializeMemberSetIfNeeded(
        this, [this](uint32_t version, MemberSet& ms) { initializeMemberSet(version, ms); });
}

TestItem::TestItem(Segment* segment, uint64_t id)
    : CommonBaseGroupEntity(segment, id) {
    s_metaType().initializeMemberSetIfNeeded(
        this, [this](uint32_t version, MemberSet& ms) { initializeMemberSet(version, ms); });
}

void TestItem::initializeMemberSet(uint32_t, MemberSet& ms) {
    ms.addNewMember("value", &m_value, typeid(m_value).name(), IntrinsicMetaType::get<double>(),
                    nullptr, nullptr);
    ms.addNewMember("visible", &m_visible, typeid(m_visible).name(), IntrinsicMetaType::get<bool>(),
                    nullptr, nullptr);
    ms.addNewMember("count", &m_count, typeid(m_count).name(), IntrinsicMetaType::get<unsigned>(),
                    nullptr, nullptr);
    ms.addNewMember("label", &m_label, typeid(m_label).name(),
                    IntrinsicMetaType::get<std::wstring>(), nullptr, nullptr);
    ms.addNewMember("color", &m_color, typeid(m_color).name(), ColorValueMetaType::get(), nullptr,
                    nullptr);
    ms.addNewMember("position", &m_position, typeid(m_position).name(),
                    ZkGeValueMetaType::get<ZkGePoint3d>(), nullptr, nullptr);
    ms.addNewMember("owned", &m_owned, typeid(m_owned).name(), StrongRefMetaType::get<TestItem>(),
                    nullptr, nullptr);
    ms.addNewMember("watched", &m_watched, typeid(m_watched).name(),
                    PassiveRefMetaType::get<TestItem>(), nullptr, nullptr);
    ms.addNewMember("watchList", &m_watchList, typeid(m_watchList).name(),
                    MemberMetaType::find("Vector"),
                    TemplatizedFunctions::forVector<PassiveRef<TestItem>>(), nullptr);
    ms.addNewMember("ownedByKey", &m_ownedByKey, typeid(m_ownedByKey).name(),
                    MemberMetaType::find("Map"),
                    TemplatizedFunctions::forMap<StrongRef<TestItem>>(), nullptr);
}

void TestItem::value(double value, int kind) {
    write(m_value, value, kChangeGeometry, kind);
}
void TestItem::visible(bool visible, int kind) {
    write(m_visible, visible, kChangeAppearance, kind);
}
void TestItem::count(unsigned count, int kind) {
    write(m_count, count, kChangeProperties, kind);
}
void TestItem::label(const std::wstring& label, int kind) {
    write(m_label, label, kChangeName, kind);
}
void TestItem::color(const Color& color, int kind) {
    write(m_color, color, kChangeAppearance, kind);
}
void TestItem::position(const ZkGePoint3d& position, int kind) {
    write(m_position, position, kChangeGeometry, kind);
}
void TestItem::owned(const StrongRef<TestItem>& owned, int kind) {
    write(m_owned, owned, kChangeProperties, kind);
}
void TestItem::watched(const PassiveRef<TestItem>& watched, int kind) {
    write(m_watched, watched, kChangeProperties, kind);
}
void TestItem::watchList(const std::vector<PassiveRef<TestItem>>& watchList, int kind) {
    write(m_watchList, watchList, kChangeProperties, kind);
}
void TestItem::ownedByKey(const std::map<int, StrongRef<TestItem>>& ownedByKey, int kind) {
    write(m_ownedByKey, ownedByKey, kChangeProperties, kind);
}

void TestItem::onPreDeletion(int kind) {
    ++m_preDeletions;
    m_sawSelfDestroying = isDestroying();
    m_sawParentDestroying = parentEntity() && parentEntity()->isDestroying();
    CommonBaseGroupEntity::onPreDeletion(kind);
}

// TestDerivedItem

EntityMetaType& TestDerivedItem::s_metaType() {
    return g_testDerivedItemMetaType;
}

StrongRefCreator<TestDerivedItem> TestDerivedItem::make(Entity* parent) {
    return created(new TestDerivedItem(parent));
}

TestDerivedItem::TestDerivedItem(Entity* parent)
    : TestItem(parent) {
    s_metaType().initializeMemberSetIfNeeded(
        this, [this](uint32_t version, MemberSet& ms) { initializeMemberSet(version, ms); });
}

TestDerivedItem::TestDerivedItem(Segment* segment, uint64_t id)
    : TestItem(segment, id) {
    s_metaType().initializeMemberSetIfNeeded(
        this, [this](uint32_t version, MemberSet& ms) { initializeMemberSet(version, ms); });
}

void TestDerivedItem::initializeMemberSet(uint32_t, MemberSet& ms) {
    ms.addNewMember("extra", &m_extra, typeid(m_extra).name(), IntrinsicMetaType::get<int>(),
                    nullptr, nullptr);
}

void TestDerivedItem::extra(int extra) {
    EntityChange change(this, kTransactDo, kChangeProperties, 3);
    m_extra = extra;
}

// TestDocument

TestDocument::TestDocument()
    : segment(asset.createSegment())
    , component(Component::make(segment))
    , group(TestGroup::make(component.get())) {}

TestDocument::~TestDocument() {
    group.reset();
    component.reset();
    asset.clear();
}

} // namespace Kv::Tests
