#include "Kv/DataModel/Onk.h"

#include <gtest/gtest.h>

namespace Kv {
namespace {

TEST(OnkTest, AKeyIsEmptyOnlyWithoutNameAndRepresentation) {
    Onk key;
    EXPECT_TRUE(key.isEmpty());
    key.setRepresentation(L"Sketches[0]");
    EXPECT_FALSE(key.isEmpty());
    Onk named(L"Sketch1", L"");
    EXPECT_FALSE(named.isEmpty());
    named.setRepresentation(L"Sketches[0]");
    EXPECT_EQ(named.name(), L"Sketch1");
    EXPECT_NE(named, key);
    key.setName(L"Sketch1");
    EXPECT_EQ(named, key);
}

} // namespace
} // namespace Kv
