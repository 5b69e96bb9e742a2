#include "Kv/Base/UniqueString.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace Kv {
namespace {

TEST(UniqueStringTest, EqualNamesShareOneStoredString) {
    std::string name = "Kv::Tests::Interned";
    UniqueString a(name);
    UniqueString b(std::string_view(name).substr(0));
    EXPECT_EQ(a, b);
    EXPECT_EQ(a.c_str(), b.c_str());
    EXPECT_EQ(a.str(), name);
    EXPECT_NE(a, UniqueString("Kv::Tests::Interned2"));
    EXPECT_EQ(a.hash(), std::hash<UniqueString>()(b));
}

TEST(UniqueStringTest, FindWithoutCreateDoesNotIntern) {
    UniqueString missing = UniqueString::find("Kv::Tests::NeverInterned", false);
    EXPECT_TRUE(missing.isNull());
    EXPECT_EQ(missing.str(), "");
    EXPECT_TRUE(UniqueString::find("Kv::Tests::NeverInterned", false).isNull());

    UniqueString made = UniqueString::find("Kv::Tests::InternedByFind", true);
    EXPECT_FALSE(made.isNull());
    EXPECT_EQ(UniqueString::find("Kv::Tests::InternedByFind", false), made);
}

TEST(UniqueStringTest, TheEmptyNameIsInternedAndDiffersFromNull) {
    UniqueString empty("");
    EXPECT_FALSE(empty.isNull());
    EXPECT_NE(empty, UniqueString());
    EXPECT_EQ(UniqueString(), UniqueString::find("Kv::Tests::AlsoNeverInterned", false));
}

TEST(UniqueStringTest, ThreadsInterningTheSameNamesGetTheSameStrings) {
    constexpr int kThreads = 4;
    constexpr int kNames = 200;
    std::vector<std::vector<UniqueString>> results(kThreads);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back([&results, t] {
            for (int i = 0; i < kNames; ++i)
                results[t].emplace_back("Kv::Tests::Race" + std::to_string(i));
        });
    for (std::thread& thread : threads)
        thread.join();
    for (int t = 1; t < kThreads; ++t)
        EXPECT_EQ(results[t], results[0]);
}

} // namespace
} // namespace Kv
