#include "ZkGeKnotVector.h"
#include "ZkGeTestSupport.h"

TEST(ZkGeKnotVector, MultiplicityAndContainsUseTheTolerance) {
    const ZkGeKnotVector knots{0, 0, 0, 1, 1 + 1e-12, 2.5, 4, 4, 4};
    EXPECT_EQ(knots.multiplicityAt(1), 3);
    EXPECT_EQ(knots.multiplicityAt(3), 2);
    EXPECT_EQ(knots.multiplicityAt(5), 1);
    EXPECT_EQ(knots.numDistinct(), 4);
    EXPECT_TRUE(knots.contains(2.5 + 5e-11));
    EXPECT_FALSE(knots.contains(2.5 + 2e-10));
    EXPECT_EQ(knots.indexOf(4), 6);
    EXPECT_EQ(knots.indexOf(3), -1);
    // Out of order input is sorted.
    EXPECT_EQ(ZkGeKnotVector({2, 0, 1}), ZkGeKnotVector({0, 1, 2}));
}

TEST(ZkGeKnotVector, InsertKeepsTheOrder) {
    ZkGeKnotVector knots{0, 0, 1, 1};
    EXPECT_TRUE(knots.insertAt(2, 0.5, 2));
    EXPECT_EQ(knots, ZkGeKnotVector({0, 0, 0.5, 0.5, 1, 1}));
    EXPECT_FALSE(knots.insertAt(1, 0.7));
    EXPECT_FALSE(knots.append(0.9));
    EXPECT_FALSE(knots.insertAt(9, 2));
    EXPECT_TRUE(knots.append(2));
    EXPECT_EQ(knots.endParam(), 2.0);
}

TEST(ZkGeKnotVector, FindSpanStaysOnNonEmptySpansOfTheRange) {
    // Cubic, six control points: range [U3, U6] = [0, 3], a double knot at 1.
    const ZkGeKnotVector knots{0, 0, 0, 0, 1, 1, 3, 3, 3, 3};
    EXPECT_EQ(knots.findSpan(3, 0), 3);
    EXPECT_EQ(knots.findSpan(3, 0.5), 3);
    EXPECT_EQ(knots.findSpan(3, 1), 5); // [1, 3]: the span after the knot
    EXPECT_EQ(knots.findSpan(3, 2), 5);
    EXPECT_EQ(knots.findSpan(3, 3), 5); // the end: a limit from inside
    EXPECT_EQ(knots.findSpan(3, 7), 5);
    EXPECT_EQ(knots.findSpan(3, -2), 3);
}

TEST(ZkGeKnotVector, ConstructionHelpers) {
    EXPECT_EQ(ZkGeKnotVector::clampedUniform(2, 5, 0, 3), ZkGeKnotVector({0, 0, 0, 1, 2, 3, 3, 3}));
    // Interior knots average `degree` consecutive parameters.
    EXPECT_EQ(ZkGeKnotVector::averaging({0, 1, 3, 6, 10}, 2),
              ZkGeKnotVector({0, 0, 0, 2, 4.5, 10, 10, 10}));
    const ZkArray<ZkGePoint3d> points{{0, 0, 0}, {3, 4, 0}, {3, 4, 2}};
    EXPECT_EQ(ZkGeKnotVector::chordLengthParams(points), (std::vector<double>{0, 5, 7}));
}

TEST(ZkGeKnotVector, PeriodicAveragingStartsThePeriodAtTheFirstParameter) {
    // Even spacing: the knots are the parameters.
    EXPECT_EQ(ZkGeKnotVector::periodicAveraging({1, 2, 3, 4}, 4, 3),
              ZkGeKnotVector({1, 2, 3, 4, 5}));
    // Repeated parameters give simple knots: means of three around each,
    // -1 (wrapped to 8) moved onto the start.
    EXPECT_EQ(ZkGeKnotVector::periodicAveraging({0, 0, 3, 6, 6, 6}, 9, 3),
              ZkGeKnotVector({0, 1, 3, 5, 6, 7, 9}));
}
