#include "ZkArray.h"

#include <gtest/gtest.h>

TEST(ZkArray, InsertRemoveAndResizeKeepOrder) {
    ZkArray<int> a;
    EXPECT_TRUE(a.isEmpty());
    a.append(1).append(3);
    a.insertAt(1, 2);
    a.insertAt(3, 4); // at the end: appends
    a.insertAt(0, 0);
    EXPECT_EQ(a, (ZkArray<int>{0, 1, 2, 3, 4}));
    a.removeAt(0).removeAt(3);
    EXPECT_EQ(a, (ZkArray<int>{1, 2, 3}));
    EXPECT_EQ(a.find(3), 2);
    EXPECT_EQ(a.find(7), -1);
    a.setLogicalLength(5);
    EXPECT_EQ(a.length(), 5);
    EXPECT_EQ(a[4], 0);
    a.setLogicalLength(2);
    EXPECT_EQ(a, (ZkArray<int>{1, 2}));
    EXPECT_NE(a, (ZkArray<int>{2, 1}));
    EXPECT_THROW(a.at(2), std::out_of_range);
    int sum = 0;
    for (const int v : a)
        sum += v;
    EXPECT_EQ(sum, 3);
    EXPECT_EQ(a.first(), 1);
    EXPECT_EQ(a.last(), 2);
}
