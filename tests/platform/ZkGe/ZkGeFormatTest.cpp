#include "ZkGeTestSupport.h"

#include <cmath>
#include <cstdlib>
#include <limits>

TEST(ZkGeFormat, NumbersAreShortest) {
    EXPECT_EQ(ZkGeFormat::number(0.5), "0.5");
    EXPECT_EQ(ZkGeFormat::number(10), "10");
    EXPECT_EQ(ZkGeFormat::number(-2.25), "-2.25");
    EXPECT_EQ(ZkGeFormat::number(1e-7), "1e-07");
    EXPECT_EQ(ZkGeFormat::number(0.1), "0.1");
    EXPECT_EQ(ZkGeFormat::number(-0.0), "0");
}

TEST(ZkGeFormat, NumbersReadBackExactly) {
    for (const double value : {1.0 / 3, M_PI, 0.1 + 0.2, -1e300, 5e-324, 123456789.125,
                               std::numeric_limits<double>::max()}) {
        const std::string text = ZkGeFormat::number(value);
        EXPECT_EQ(std::strtod(text.c_str(), nullptr), value) << text;
    }
}

TEST(ZkGeFormat, MatrixPrintsRowByRow) {
    const ZkGeMatrix3d m = ZkGeMatrix3d::translation(ZkGeVector3d(1, 2, 3));
    EXPECT_EQ(ZkGeFormat::toString(m), "[(1, 0, 0, 1), (0, 1, 0, 2), (0, 0, 1, 3), (0, 0, 0, 1)]");
}

TEST(ZkGeFormat, Entities) {
    EXPECT_EQ(ZkGeFormat::toString(ZkGeLineSeg3d(ZkGePoint3d(), ZkGePoint3d(1, 0, 0))),
              "segment((0, 0, 0), (1, 0, 0))");
    EXPECT_EQ(ZkGeFormat::toString(ZkGeLine3d(ZkGePoint3d(1, 2, 3), ZkGeVector3d(0, 2, 0))),
              "line((1, 2, 3), (0, 1, 0))");
    EXPECT_EQ(ZkGeFormat::toString(ZkGeRay3d(ZkGePoint3d(), ZkGeVector3d(0, 0, -3))),
              "ray((0, 0, 0), (0, 0, -1))");
    EXPECT_EQ(ZkGeFormat::toString(ZkGePlane(0, 0, 1, -2)), "plane((0, 0, 2), (0, 0, 1))");
    EXPECT_EQ(ZkGeFormat::toString(ZkGeInterval(0, 1)), "interval(0, 1)");
    EXPECT_EQ(ZkGeFormat::toString(ZkGeInterval()), "interval(-inf, inf)");
    EXPECT_EQ(ZkGeFormat::toString(ZkGeBoundBlock3d(ZkGePoint3d(1, 1, 1), ZkGePoint3d())),
              "box((0, 0, 0), (1, 1, 1))");
    EXPECT_EQ(ZkGeFormat::toString(ZkGeBoundBlock2d(ZkGePoint2d(), ZkGePoint2d(0.5, 2))),
              "box((0, 0), (0.5, 2))");
}

TEST(ZkGeFormat, Arcs) {
    EXPECT_EQ(ZkGeFormat::toString(ZkGeCircArc3d(ZkGePoint3d(1, 2, 3), ZkGeVector3d(0, 0, 2),
                                                 ZkGeVector3d(0, 1, 0), 0.5, 0, 1.5)),
              "circarc((1, 2, 3), 0.5, (0, 0, 1), (0, 1, 0), 0, 1.5)");
    EXPECT_EQ(ZkGeFormat::toString(ZkGeEllipArc3d(ZkGePoint3d(), ZkGeVector3d(1, 0, 0),
                                                  ZkGeVector3d(0, 0, 1), 3, 2, -1, 1)),
              "elliparc((0, 0, 0), (1, 0, 0), (0, 0, 1), 3, 2, -1, 1)");
    EXPECT_EQ(ZkGeFormat::toString(ZkGeCircArc2d(ZkGePoint2d(1, 2), 4, 0.25, 2)),
              "circarc2d((1, 2), 4, (1, 0), 0.25, 2)");
    EXPECT_EQ(ZkGeFormat::toString(ZkGeEllipArc2d(ZkGePoint2d(), ZkGeVector2d(0, 1), 2, 1, 0, 3)),
              "elliparc2d((0, 0), (0, 1), 2, 1, 0, 3)");
    // A full circle prints its end as the double nearest 2 pi.
    EXPECT_EQ(ZkGeFormat::toString(ZkGeCircArc2d()),
              "circarc2d((0, 0), 1, (1, 0), 0, 6.283185307179586)");
}
