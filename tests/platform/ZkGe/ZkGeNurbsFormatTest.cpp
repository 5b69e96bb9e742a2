#include "ZkGeNurbsFormat.h"
#include "ZkGeNurbCurve2d.h"
#include "ZkGeNurbCurve3d.h"

#include <gtest/gtest.h>

TEST(ZkGeNurbsFormat, DefinitionWeightsAndFitData) {
    const ZkGeNurbCurve3d arc(2, ZkGeKnotVector{0, 0, 0, 1, 1, 1},
                              ZkArray<ZkGePoint3d>{{1, 0, 0}, {1, 1, 0}, {0, 1, 0}}, {1, 0.5, 1});
    EXPECT_EQ(ZkGeNurbsFormat::toString(arc),
              "nurbs(2, [0, 0, 0, 1, 1, 1], [(1, 0, 0), (1, 1, 0), (0, 1, 0)], [1, 0.5, 1])");

    const ZkGeNurbCurve2d line(ZkArray<ZkGePoint2d>{{0, 0}, {3, 0}});
    EXPECT_EQ(ZkGeNurbsFormat::toString(line),
              "nurbs(3, [0, 0, 0, 0, 3, 3, 3, 3], [(0, 0), (1, 0), (2, 0), (3, 0)], [], "
              "fit [(0, 0), (3, 0)])");
    const ZkGeNurbCurve2d hermite(ZkArray<ZkGePoint2d>{{0, 0}, {3, 0}}, ZkGeVector2d(0, 3),
                                  ZkGeVector2d());
    EXPECT_NE(ZkGeNurbsFormat::toString(hermite).find(", tangents ((0, 3), (0, 0)))"),
              std::string::npos);

    const ZkGeNurbCurve2d ring(1, ZkGeKnotVector{0, 1, 2, 3},
                               ZkArray<ZkGePoint2d>{{0, 0}, {1, 0}, {0, 1}}, {}, true);
    EXPECT_EQ(ZkGeNurbsFormat::toString(ring),
              "nurbs(1, periodic [0, 1, 2, 3], [(0, 0), (1, 0), (0, 1)], [])");
}
