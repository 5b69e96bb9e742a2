#pragma once

// A small entity family for the data model tests: a group to put things in
// and an item with a member of every kind the host can persist.

#include "Kv/Base/Color.h"
#include "Kv/CommonData/CommonBaseGroupEntity.h"
#include "Kv/CommonData/Component.h"
#include "Kv/DataModel/Asset.h"
#include "Kv/DataModel/DataChange.h"
#include "Kv/DataModel/EntityChange.h"
#include "Kv/DataModel/EntityMetaTypeOf.h"
#include "Kv/DataModel/Segment.h"

#include "ZkGePoint3d.h"

#include <map>
#include <string>
#include <vector>

namespace Kv::Tests {

class TestGroup : public CommonData::CommonBaseGroupEntity {
public:
    static EntityMetaType& s_metaType();
    static StrongRefCreator<TestGroup> make(Entity* parent);

    const std::wstring& title() const { return m_title; }
    void title(const std::wstring& title);

protected:
    TestGroup(Segment* segment, uint64_t id);
    EntityMetaType* onMetaType() const override { return &s_metaType(); }

private:
    friend class EntityMetaTypeOf<TestGroup>;
    explicit TestGroup(Entity* parent);
    void initializeMemberSet(uint32_t version, MemberSet& memberSet);

    std::wstring m_title;
};

class TestItem : public CommonData::CommonBaseGroupEntity {
public:
    static EntityMetaType& s_metaType();
    static StrongRefCreator<TestItem> make(Entity* parent);
    // Inserts the new item at `index` of `parent` before finishing its creation.
    static StrongRefCreator<TestItem> makeAt(Managed::ManagedGroupEntity* parent, size_t index);

    // Setters write inside a change of `kind`; the default is an undoable edit.
    double value() const { return m_value; }
    void value(double value, int kind = kTransactDo);
    bool visible() const { return m_visible; }
    void visible(bool visible, int kind = kTransactDo);
    unsigned count() const { return m_count; }
    void count(unsigned count, int kind = kTransactDo);
    const std::wstring& label() const { return m_label; }
    void label(const std::wstring& label, int kind = kTransactDo);
    const Color& color() const { return m_color; }
    void color(const Color& color, int kind = kTransactDo);
    const ZkGePoint3d& position() const { return m_position; }
    void position(const ZkGePoint3d& position, int kind = kTransactDo);
    const StrongRef<TestItem>& owned() const { return m_owned; }
    void owned(const StrongRef<TestItem>& owned, int kind = kTransactDo);
    const PassiveRef<TestItem>& watched() const { return m_watched; }
    void watched(const PassiveRef<TestItem>& watched, int kind = kTransactDo);
    const std::vector<PassiveRef<TestItem>>& watchList() const { return m_watchList; }
    void watchList(const std::vector<PassiveRef<TestItem>>& watchList, int kind = kTransactDo);
    const std::map<int, StrongRef<TestItem>>& ownedByKey() const { return m_ownedByKey; }
    void ownedByKey(const std::map<int, StrongRef<TestItem>>& ownedByKey, int kind = kTransactDo);

    // What the item's own pre-deletion saw: how often it ran, and whether the
    // item and its parent were marked destroying at the time.
    int preDeletionCount() const { return m_preDeletions; }
    bool sawSelfDestroying() const { return m_sawSelfDestroying; }
    bool sawParentDestroying() const { return m_sawParentDestroying; }

protected:
    explicit TestItem(Entity* parent);
    TestItem(Segment* segment, uint64_t id);
    EntityMetaType* onMetaType() const override { return &s_metaType(); }
    void onPreDeletion(int kind) override;

private:
    friend class EntityMetaTypeOf<TestItem>;
    void initializeMemberSet(uint32_t version, MemberSet& memberSet);
    template <class F> void write(F& field, const F& value, unsigned changeType, int kind) {
        EntityChange change(this, kind, changeType, 3);
        field = value;
    }

    double m_value = 0.0;
    bool m_visible = true;
    unsigned m_count = 0;
    std::wstring m_label;
    Color m_color;
    ZkGePoint3d m_position;
    StrongRef<TestItem> m_owned;
    PassiveRef<TestItem> m_watched;
    std::vector<PassiveRef<TestItem>> m_watchList;
    std::map<int, StrongRef<TestItem>> m_ownedByKey;

    int m_preDeletions = 0;
    bool m_sawSelfDestroying = false;
    bool m_sawParentDestroying = false;
};

// An item with one member of its own on top of TestItem's.
class TestDerivedItem : public TestItem {
public:
    static EntityMetaType& s_metaType();
    static StrongRefCreator<TestDerivedItem> make(Entity* parent);

    int extra() const { return m_extra; }
    void extra(int extra);

protected:
    TestDerivedItem(Segment* segment, uint64_t id);
    EntityMetaType* onMetaType() const override { return &s_metaType(); }

private:
    friend class EntityMetaTypeOf<TestDerivedItem>;
    explicit TestDerivedItem(Entity* parent);
    void initializeMemberSet(uint32_t version, MemberSet& memberSet);

    int m_extra = 0;
};

// A fresh document per test: an asset, one segment, its component and a
// group under the component.
struct TestDocument {
    TestDocument();
    ~TestDocument();

    Asset asset;
    Segment* segment = nullptr;
    StrongRef<Component> component;
    StrongRef<TestGroup> group;
};

} // namespace Kv::Tests
