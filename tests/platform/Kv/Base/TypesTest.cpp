#include "Kv/Base/Types.h"

#include "ZkGePoint3d.h"

#include <gtest/gtest.h>

namespace Kv {
namespace {

TEST(TypesTest, PointsPrintWithShortestRoundTripCoordinates) {
    EXPECT_EQ(Types::Point3dToString(ZkGePoint3d(0.5, 10, 1e-7)), L"(0.5, 10, 1e-07)");
    EXPECT_EQ(Types::Point3dToString(ZkGePoint3d(-0.0, 0.1 + 0.2, -3)),
              L"(0, 0.30000000000000004, -3)");
}

} // namespace
} // namespace Kv
