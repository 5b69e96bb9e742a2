// Rows handed between the thread that talks to SQLite and the one that makes
// or encodes entities: order and bytes kept across batches, bounded reading
// ahead, and failures and give-ups reaching the other side.

#include "Kv/Storage/EntityRowQueue.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <string>
#include <thread>
#include <tuple>

namespace Kv::Tests {
namespace {

// Row `i`: its members are `i` repeated a varying number of times, so that
// rows differ in size and a row read with another's bytes is told apart.
std::string membersOf(int i) {
    std::string members;
    for (int n = 0; n < i % 37; ++n)
        members += std::to_string(i) + ",";
    return members;
}

EntityRow rowOf(int i, const std::string& members, const std::string& metaType) {
    EntityRow row;
    row.segment = 1;
    row.id = i;
    row.metaType = metaType;
    row.hasParent = i % 2 == 0;
    row.parentSegment = row.hasParent ? 1 : 0;
    row.parentId = i / 2;
    row.childIndex = i % 5 - 1;
    row.members = members;
    return row;
}

auto fieldsOf(const EntityRow& row) {
    return std::make_tuple(row.segment, row.id, row.metaType, row.hasParent, row.parentSegment,
                           row.parentId, row.childIndex, row.members);
}

TEST(EntityRowQueueTest, RowsArriveInOrderWithTheirOwnBytesAcrossBatches) {
    constexpr int kRows = 5000; // several batches and a partial last one
    EntityRowQueue queue;
    std::thread producer([&] {
        for (int i = 1; i <= kRows; ++i) {
            // The producer's buffers change right after put: the queue copies.
            std::string members = membersOf(i);
            std::string metaType = i % 3 ? "Line" : "Point";
            ASSERT_TRUE(queue.put(rowOf(i, members, metaType)));
            members.assign(members.size(), '#');
            metaType.assign(metaType.size(), '#');
        }
        queue.close();
    });
    EntityRow row;
    int count = 0;
    while (queue.next(row)) {
        ++count;
        const std::string members = membersOf(count);
        const std::string metaType = count % 3 ? "Line" : "Point";
        ASSERT_EQ(fieldsOf(row), fieldsOf(rowOf(count, members, metaType))) << "row " << count;
    }
    producer.join();
    EXPECT_EQ(count, kRows);
    EXPECT_FALSE(queue.next(row)) << "the end stays the end";
}

TEST(EntityRowQueueTest, NothingPutIsAnEmptyStream) {
    EntityRowQueue queue;
    queue.close();
    EntityRow row;
    EXPECT_FALSE(queue.next(row));
    EXPECT_NO_THROW(queue.rethrowIfFailed());
}

TEST(EntityRowQueueTest, AFailureReachesTheOtherSide) {
    // The producer fails: the consumer gets its exception.
    {
        EntityRowQueue queue;
        std::thread producer([&] {
            const std::string members = "m";
            for (int i = 1; i <= 700; ++i)
                queue.put(rowOf(i, members, "Line"));
            queue.fail(std::make_exception_ptr(std::runtime_error("disk image is malformed")));
        });
        EntityRow row;
        try {
            while (queue.next(row)) {
            }
            ADD_FAILURE() << "the stream ended without the producer's error";
        } catch (const std::runtime_error& error) {
            EXPECT_STREQ(error.what(), "disk image is malformed");
        }
        producer.join();
    }
    // The consumer fails: the producer's next put throws it, and so does the
    // check after the consumer is done.
    {
        EntityRowQueue queue;
        std::thread consumer([&] {
            EntityRow row;
            queue.next(row);
            queue.fail(std::make_exception_ptr(std::runtime_error("disk full")));
        });
        const std::string members(100, 'x');
        EXPECT_THROW(
            {
                for (int i = 1; i <= 100000; ++i)
                    queue.put(rowOf(i, members, "Line"));
            },
            std::runtime_error);
        consumer.join();
        EXPECT_THROW(queue.rethrowIfFailed(), std::runtime_error);
    }
}

TEST(EntityRowQueueTest, AProducerAheadWaitsAndAStopReleasesIt) {
    EntityRowQueue queue;
    std::atomic<int> put{0};
    std::atomic<bool> refused{false};
    std::thread producer([&] {
        const std::string members = "m";
        for (int i = 1; i <= 100000; ++i) {
            if (!queue.put(rowOf(i, members, "Line"))) {
                refused = true;
                return;
            }
            ++put;
        }
    });
    // Nobody takes anything: the producer comes to a halt after a few
    // batches instead of putting all it has.
    int seen = -1;
    for (int waits = 0; waits < 40 && put != seen; ++waits) {
        seen = put;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    EXPECT_LT(put.load(), 100000) << "read ahead without bound";
    queue.stop();
    producer.join();
    EXPECT_TRUE(refused);
    EntityRow row;
    EXPECT_FALSE(queue.next(row)) << "a stopped queue gives nothing more";
}

} // namespace
} // namespace Kv::Tests
