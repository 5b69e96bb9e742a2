#include "TestEntities.h"

#include "Kv/DataModel/EntityMetaType.h"

#include <gtest/gtest.h>

#include <limits>
#include <stdexcept>
#include <vector>

namespace Kv::Tests {
namespace {

// Entities filed under identifiers of our choosing, as loading a file does.
class SegmentTest : public ::testing::Test {
protected:
    SegmentTest()
        : segment(asset.createSegment()) {}
    ~SegmentTest() override {
        held.clear();
        asset.clear();
    }

    Entity* load(uint64_t id) {
        held.push_back(TestItem::s_metaType().makeInstance(segment, id));
        return held.back().get();
    }

    Asset asset;
    Segment* segment;
    std::vector<StrongRef<Entity>> held;
};

TEST_F(SegmentTest, EveryIdentifierFindsItsEntity) {
    segment->reserveEntities(5000);
    std::vector<Entity*> made{nullptr};
    for (uint64_t id = 1; id <= 5000; ++id)
        made.push_back(load(id));
    for (uint64_t id = 1; id <= 5000; ++id)
        ASSERT_EQ(segment->findEntity(id), made[id]) << id;
    EXPECT_EQ(segment->findEntity(0), nullptr);
    EXPECT_EQ(segment->findEntity(5001), nullptr);
    // An identifier is taken once.
    EXPECT_THROW(TestItem::s_metaType().makeInstance(segment, 7), std::runtime_error);
    EXPECT_EQ(segment->findEntity(7), made[7]);
    EXPECT_EQ(segment->entityCount(), 5000u);
    EXPECT_EQ(segment->highestEntityId(), 5000u);
    EXPECT_EQ(asset.findEntity(segment->key(), 1234), made[1234]);
}

// A damaged or hand-made file may hold any identifier: the index must not
// grow with the identifiers' size, only with the number of entities.
TEST_F(SegmentTest, HugeAndScatteredIdentifiersKeepTheIndexSmall) {
    const uint64_t maximum = std::numeric_limits<uint64_t>::max() - 1;
    std::vector<uint64_t> ids{maximum, 3};
    for (int shift = 2; shift < 62; ++shift)
        ids.push_back((uint64_t(1) << shift) + 1);
    for (uint64_t id : ids)
        load(id);
    for (size_t i = 0; i < ids.size(); ++i)
        EXPECT_EQ(segment->findEntity(ids[i]), held[i].get()) << ids[i];
    EXPECT_EQ(segment->findEntity(maximum - 1), nullptr);
    EXPECT_EQ(segment->findEntity(uint64_t(1) << 41), nullptr);
    const uint64_t far = (uint64_t(1) << 50) + 1;
    EXPECT_THROW(TestItem::s_metaType().makeInstance(segment, far), std::runtime_error);
    EXPECT_EQ(segment->findEntity(far), held[50].get());
    EXPECT_EQ(segment->entityCount(), ids.size());
    EXPECT_LT(segment->idTableSize(), 10000u);
    EXPECT_EQ(segment->highestEntityId(), maximum);
}

// An identifier too far out for the table at first stays findable, and
// taken, once the table has grown past it.
TEST_F(SegmentTest, AFarIdentifierStaysFoundWhenTheTableGrowsPastIt) {
    Entity* far = load(20000);
    for (uint64_t id = 1; id < 30000; ++id)
        if (id != 20000)
            load(id);
    EXPECT_GT(segment->idTableSize(), 20000u);
    EXPECT_EQ(segment->findEntity(20000), far);
    EXPECT_THROW(TestItem::s_metaType().makeInstance(segment, 20000), std::runtime_error);
    EXPECT_EQ(segment->findEntity(20000), far);
    EXPECT_EQ(segment->entityCount(), 29999u);
}

// A deleted entity's identifier finds nothing and is never handed out again,
// and a load may file an entity under it anew.
TEST_F(SegmentTest, DeletedEntitiesLeaveTheIndex) {
    for (uint64_t id = 1; id <= 100; ++id)
        load(id);
    load(uint64_t(1) << 60);
    held[41].reset();  // identifier 42
    held[100].reset(); // the far one
    EXPECT_EQ(segment->findEntity(42), nullptr);
    EXPECT_EQ(segment->findEntity(uint64_t(1) << 60), nullptr);
    EXPECT_EQ(segment->entityCount(), 99u);
    EXPECT_EQ(segment->findEntity(43), held[42].get());

    const uint64_t fresh = segment->newEntityId();
    EXPECT_GT(fresh, uint64_t(1) << 60);

    Entity* again = load(42);
    EXPECT_EQ(segment->findEntity(42), again);
    EXPECT_EQ(segment->entityCount(), 100u);
}

} // namespace
} // namespace Kv::Tests
