#include "TestEntities.h"

#include "Kv/DataModel/MemberSet.h"
#include "Kv/DataModel/ValueMetaType.h"

#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace Kv::Tests {
namespace {

TEST(MemberSetTest, ADerivedSetChainsToItsBaseSets) {
    TestDocument doc;
    StrongRef<TestDerivedItem> item = TestDerivedItem::make(doc.group.get());
    const MemberSet& set = item->metaType()->memberSet();
    const MemberSet& itemSet = TestItem::s_metaType().memberSet();

    EXPECT_EQ(set.name(), "TestDerivedItem");
    EXPECT_EQ(set.base(), &itemSet);
    EXPECT_EQ(itemSet.base(), &CommonData::CommonBaseGroupEntity::s_metaType().memberSet());
    EXPECT_EQ(set.ownMembers().size(), 1u);
    EXPECT_EQ(set.memberCount(), itemSet.memberCount() + 1);

    std::vector<std::string> names;
    set.forEachMember([&](const Member& member) { names.push_back(member.name()); });
    ASSERT_EQ(names.size(), set.memberCount());
    EXPECT_EQ(names.front(), "value"); // base classes first
    EXPECT_EQ(names.back(), "extra");

    ASSERT_NE(set.findMember("label"), nullptr);
    EXPECT_EQ(set.findMember("label"), itemSet.findMember("label"));
    EXPECT_EQ(set.findMember("nothing"), nullptr);
    EXPECT_EQ(const_cast<MemberSet&>(set).findOwnMember("label"), nullptr);
}

TEST(MemberSetTest, BaseMembersAreFoundInEveryDerivedInstance) {
    TestDocument doc;
    // Whichever instance built TestItem's set, its offsets must fit the other.
    StrongRef<TestItem> plain = TestItem::make(doc.group.get());
    StrongRef<TestDerivedItem> derived = TestDerivedItem::make(doc.group.get());
    derived->value(2.5);
    derived->extra(7);
    const Member* value = derived->metaType()->memberSet().findMember("value");
    const Member* extra = derived->metaType()->memberSet().findMember("extra");
    EXPECT_EQ(*static_cast<const double*>(value->field(static_cast<Entity*>(derived.get()))), 2.5);
    EXPECT_EQ(*static_cast<const int*>(extra->field(static_cast<Entity*>(derived.get()))), 7);
}

TEST(MemberSetTest, RegisteringAMemberTwiceOrWithoutAMetaTypeIsRefused) {
    MemberSet set;
    double field = 0;
    EXPECT_THROW(
        set.addNewMember("x", &field, "double", IntrinsicMetaType::get<double>(), nullptr, nullptr),
        std::logic_error); // not initialised with an entity
    TestDocument doc;
    set.initialize(doc.group.get(), "Scratch");
    set.addNewMember("x", &field, "double", IntrinsicMetaType::get<double>(), nullptr, nullptr);
    EXPECT_THROW(
        set.addNewMember("x", &field, "double", IntrinsicMetaType::get<double>(), nullptr, nullptr),
        std::logic_error);
    EXPECT_THROW(set.addNewMember("y", &field, "double", nullptr, nullptr, nullptr),
                 std::logic_error);
}

// A class constructed by no other test, so that its member set is still
// unbuilt when the threads below race to make its first instance.
std::atomic<int> g_raceInitCalls{0};

class RaceItem : public CommonData::CommonBaseGroupEntity {
public:
    static EntityMetaType& s_metaType();
    explicit RaceItem(Entity* parent)
        : CommonBaseGroupEntity(parent) {
        s_metaType().initializeMemberSetIfNeeded(
            this, [this](uint32_t version, MemberSet& ms) { initializeMemberSet(version, ms); });
    }

protected:
    RaceItem(Segment* segment, uint64_t id)
        : CommonBaseGroupEntity(segment, id) {}
    EntityMetaType* onMetaType() const override { return &s_metaType(); }

private:
    friend class EntityMetaTypeOf<RaceItem>;
    void initializeMemberSet(uint32_t, MemberSet& ms) {
        ++g_raceInitCalls;
        // Widen the window in which a second initialiser could slip in.
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        ms.addNewMember("weight", &m_weight, typeid(m_weight).name(),
                        IntrinsicMetaType::get<double>(), nullptr, nullptr);
    }
    double m_weight = 0.0;
};

EntityMetaTypeOf<RaceItem> g_raceItemMetaType("KvTests", "KvTests::RaceItem", "RaceItemMetaType", 1,
                                              "Kv::CommonData::CommonBaseGroupEntity",
                                              EntityMetaType::kConcrete);
EntityMetaType& RaceItem::s_metaType() {
    return g_raceItemMetaType;
}

TEST(MemberSetTest, ConcurrentFirstInstancesInitialiseTheMemberSetOnce) {
    ASSERT_FALSE(RaceItem::s_metaType().memberSet().initialized());
    constexpr int kThreads = 8;
    std::vector<std::unique_ptr<TestDocument>> docs;
    for (int i = 0; i < kThreads; ++i)
        docs.push_back(std::make_unique<TestDocument>());

    std::mutex mutex;
    std::condition_variable go;
    int waiting = 0;
    std::vector<StrongRef<RaceItem>> made(kThreads);
    std::vector<std::thread> threads;
    for (int i = 0; i < kThreads; ++i)
        threads.emplace_back([&, i] {
            {
                std::unique_lock<std::mutex> lock(mutex);
                if (++waiting == kThreads)
                    go.notify_all();
                else
                    go.wait(lock, [&] { return waiting == kThreads; });
            }
            made[i] = StrongRef<RaceItem>(new RaceItem(docs[i]->group.get()));
        });
    for (std::thread& thread : threads)
        thread.join();

    EXPECT_EQ(g_raceInitCalls.load(), 1);
    const MemberSet& set = RaceItem::s_metaType().memberSet();
    EXPECT_TRUE(set.initialized());
    EXPECT_EQ(set.ownMembers().size(), 1u);
    made.clear();
}

} // namespace
} // namespace Kv::Tests
