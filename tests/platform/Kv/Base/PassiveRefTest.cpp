#include "Kv/Base/PassiveRef.h"
#include "Kv/Base/RefCounted.h"
#include "Kv/Base/StrongRef.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace Kv {
namespace {

class Node : public RefCounted {
public:
    explicit Node(int* destroyed = nullptr)
        : m_destroyed(destroyed) {}
    ~Node() override {
        if (m_destroyed)
            ++*m_destroyed;
    }

private:
    int* m_destroyed;
};

class Leaf : public Node {
public:
    using Node::Node;
};

TEST(PassiveRefTest, ReadsNullOnceTheTargetDies) {
    int destroyed = 0;
    StrongRef<Node> strong(new Node(&destroyed));
    PassiveRef<Node> passive(strong.get());
    PassiveRef<Node> copy = passive;
    PassiveRef<Node> fromStrong = strong;
    PassiveRef<Node> moved = PassiveRef<Node>(passive);
    EXPECT_EQ(passive.getTarget(), strong.get());
    EXPECT_EQ(fromStrong, passive);
    EXPECT_EQ(strong->refCount(), 1); // passive references do not keep it alive

    strong.reset();
    EXPECT_EQ(destroyed, 1);
    EXPECT_TRUE(passive.isNull());
    EXPECT_TRUE(copy.isNull());
    EXPECT_TRUE(fromStrong.isNull());
    EXPECT_TRUE(moved.isNull());
    EXPECT_FALSE(bool(copy));
    EXPECT_TRUE(copy.lock().isNull());
    PassiveRef<Node> copyOfDead = copy;
    EXPECT_TRUE(copyOfDead.isNull());
}

TEST(PassiveRefTest, ReassignmentFollowsTheNewTarget) {
    StrongRef<Node> first(new Node);
    StrongRef<Leaf> second(new Leaf);
    PassiveRef<Node> ref = first;
    ref = PassiveRef<Node>(second);
    first.reset();
    EXPECT_EQ(ref.getTarget(), second.get());
    PassiveRef<Leaf> derived = second;
    PassiveRef<Node> base = derived;
    second.reset();
    EXPECT_TRUE(base.isNull());
    EXPECT_TRUE(ref.isNull());
}

TEST(PassiveRefTest, LockKeepsTheTargetAliveWhileHeld) {
    int destroyed = 0;
    StrongRef<Node> strong(new Node(&destroyed));
    PassiveRef<Node> passive = strong;
    StrongRef<Node> locked = passive.lock();
    strong.reset();
    EXPECT_EQ(destroyed, 0);
    EXPECT_FALSE(passive.isNull());
    locked.reset();
    EXPECT_EQ(destroyed, 1);
    EXPECT_TRUE(passive.isNull());
}

// What a `make` of a derived class hands out.
StrongRefCreator<Leaf> makeLeaf(int* destroyed) {
    return StrongRefCreator<Leaf>(new Leaf(destroyed));
}

TEST(StrongRefCreatorTest, ConvertsToReferencesOfTheClassAndItsBases) {
    int destroyed = 0;
    {
        StrongRef<Leaf> leaf = makeLeaf(&destroyed);
        EXPECT_EQ(leaf->refCount(), 1);
        StrongRef<Node> node = makeLeaf(&destroyed);
        StrongRef<RefCounted> counted = makeLeaf(&destroyed);
        EXPECT_EQ(node->refCount(), 1);
        EXPECT_EQ(counted->refCount(), 1);
        EXPECT_EQ(destroyed, 0);
    }
    EXPECT_EQ(destroyed, 3);

    StrongRefCreator<Leaf> unused = makeLeaf(&destroyed);
    EXPECT_TRUE(bool(unused));
    unused = nullptr;
    EXPECT_EQ(destroyed, 4); // a creator nobody converts still releases what it made
    EXPECT_TRUE(unused.isNull());
}

// Liveness records come from one pool shared by all threads: threads that
// take and give back records at the same time must each still see exactly
// their own objects' lives.
TEST(PassiveRefTest, ThreadsTakeAndReleaseLivenessRecordsAtOnce) {
    constexpr int kThreads = 4;
    constexpr int kRounds = 3000;
    constexpr int kObjects = 8;
    std::atomic<int> wrong{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back([&wrong] {
            for (int round = 0; round < kRounds; ++round) {
                std::vector<StrongRef<Node>> alive;
                std::vector<PassiveRef<Node>> watching;
                for (int i = 0; i < kObjects; ++i) {
                    alive.emplace_back(new Node);
                    watching.emplace_back(alive.back().get());
                }
                for (int i = 0; i < kObjects; i += 2)
                    alive[i].reset();
                for (int i = 0; i < kObjects; ++i)
                    if (watching[i].getTarget() != alive[i].get())
                        ++wrong;
            }
        });
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(wrong.load(), 0);
}

} // namespace
} // namespace Kv
