#include "ZkGeTestSupport.h"

TEST(ZkGeTol, GlobalToleranceIsTheDefaultOfComparisons) {
    const ZkGeTol saved = ZkGeContext::gTol;
    const ZkGePoint3d a(0, 0, 0);
    const ZkGePoint3d b(1e-6, 0, 0);
    EXPECT_FALSE(a.isEqualTo(b));
    ZkGeContext::gTol.setEqualPoint(1e-5);
    EXPECT_TRUE(a.isEqualTo(b));
    ZkGeContext::gTol = saved;
}
