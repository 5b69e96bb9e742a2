#include "../ErrorMessage.h"
#include "KernelValueBytes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace Kv::Tests {
namespace {

TEST(KernelValueCodecsTest, ValuesReadBackExactly) {
    const double third = 1.0 / 3.0;
    ZkGePoint2d p2(third, -1e-300);
    ZkGeVector2d v2(5e307, -0.0);
    ZkGePoint3d p3(third, 2.0 / 3.0, 1e300);
    ZkGeVector3d v3(-third, 0.1, 7);
    ZkGeMatrix3d m = ZkGeMatrix3d::rotation(0.3, ZkGeVector3d(1, 2, 3), p3);
    ZkGeLineSeg3d segment(p3, ZkGePoint3d(0.1, 0.2, 0.3));
    EXPECT_EQ(readBack(p2), p2);
    EXPECT_EQ(readBack(v2), v2);
    EXPECT_EQ(readBack(p3), p3);
    EXPECT_EQ(readBack(v3), v3);
    EXPECT_EQ(readBack(m), m);
    EXPECT_EQ(readBack(segment), segment);
    EXPECT_EQ(encoded(p3).size(), 3 * sizeof(double));
}

TEST(KernelValueCodecsTest, PlanesAndLinesReadBackExactlyWhateverTheirDirection) {
    for (int i = 1; i < 500; ++i) {
        ZkGeVector3d direction(std::sin(i), std::cos(3.0 * i), 0.01 * i);
        ZkGePlane plane(ZkGePoint3d(i, -i, 0.5), direction);
        EXPECT_EQ(readBack(plane), plane) << i;
        ZkGeLine3d line(ZkGePoint3d(0.5, i, -i), direction);
        EXPECT_EQ(readBack(line), line) << i;
    }
}

TEST(KernelValueCodecsTest, NonFiniteCoordinatesAreRefused) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_THROW(readBack(ZkGePoint3d(0, nan, 0)), FormatError);
    EXPECT_THROW(readBack(ZkGeVector2d(-inf, 0)), FormatError);
    ZkGeMatrix3d m;
    m.entry[3][3] = nan;
    EXPECT_THROW(readBack(m), FormatError);
    EXPECT_THROW(readBack(ZkGeLineSeg3d(ZkGePoint3d(), ZkGePoint3d(inf, 0, 0))), FormatError);
    EXPECT_NE(
        errorMessageOf<FormatError>([&] { readBack(ZkGePoint3d(nan, 0, 0)); }).find("ZkGePoint3d"),
        std::string::npos);
}

TEST(KernelValueCodecsTest, TruncatedValuesAreRefused) {
    std::string bytes = encoded(ZkGeLineSeg3d());
    EXPECT_THROW(decoded<ZkGeLineSeg3d>(bytes.substr(0, bytes.size() - 1)), FormatError);
    EXPECT_THROW(decoded<ZkGePoint2d>(""), FormatError);
}

TEST(KernelValueCodecsTest, ValuesPrintAsTheKernelFormatsThem) {
    EXPECT_EQ(printed(ZkGePoint3d(0.5, 10, 1e-7)), "(0.5, 10, 1e-07)");
    EXPECT_EQ(printed(ZkGePoint2d(-0.0, 2)), "(0, 2)");
    EXPECT_EQ(printed(ZkGeLineSeg3d(ZkGePoint3d(), ZkGePoint3d(1, 0, 0))),
              "segment((0, 0, 0), (1, 0, 0))");
    EXPECT_EQ(printed(ZkGePlane()), "plane((0, 0, 0), (0, 0, 1))");
}

TEST(KernelValueCodecsTest, EachKernelClassHasOneMetaTypeNamedAfterIt) {
    EXPECT_EQ(ZkGeValueMetaType::get<ZkGePoint3d>(), ZkGeValueMetaType::get<ZkGePoint3d>());
    EXPECT_NE(ZkGeValueMetaType::get<ZkGePoint3d>(), ZkGeValueMetaType::get<ZkGeVector3d>());
    EXPECT_EQ(ZkGeValueMetaType::get<ZkGePoint3d>()->typeKey(nullptr), "ZkGePoint3d");
    EXPECT_EQ(ZkGeValueMetaType::get<ZkGeMatrix3d>()->typeKey(nullptr), "ZkGeMatrix3d");
    EXPECT_EQ(ZkGeValueMetaType::get<ZkGeLine3d>()->typeKey(nullptr), "ZkGeLine3d");
    ZkGePoint3d a(1, 2, 3), b(1, 2, 3.0000000000000004);
    EXPECT_TRUE(ZkGeValueMetaType::get<ZkGePoint3d>()->equal(&a, &a, nullptr));
    EXPECT_FALSE(ZkGeValueMetaType::get<ZkGePoint3d>()->equal(&a, &b, nullptr));
}

} // namespace
} // namespace Kv::Tests
