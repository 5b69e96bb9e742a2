#include "Wyn/Scene/View.h"
#include "Wyn/Scene/Viewport.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using Wyn::Scene::View;
using Wyn::Scene::Viewport;

void expectPoint(const ZkGePoint3d& p, double x, double y, double z) {
    EXPECT_NEAR(p.x, x, 1e-12);
    EXPECT_NEAR(p.y, y, 1e-12);
    EXPECT_NEAR(p.z, z, 1e-12);
}

TEST(View, NamedViewsLookAlongTheirAxesWithZUp) {
    const ZkGePoint3d p(1, 2, 3);
    expectPoint(View::named("top").toView(p), 1, 2, 3);
    expectPoint(View::named("front").toView(p), 1, 3, -2);
    expectPoint(View::named("right").toView(p), 2, 3, 1);

    // The iso view sees (1, -1, 1) coming straight at it, keeps z up and
    // shows +x to the right.
    const View iso = View::named("iso");
    expectPoint(iso.toView(ZkGePoint3d(1, -1, 1)), 0, 0, std::sqrt(3.0));
    EXPECT_GT(iso.toView(ZkGePoint3d(0, 0, 1)).y, 0.0);
    EXPECT_GT(iso.toView(ZkGePoint3d(1, 0, 0)).x, 0.0);

    EXPECT_THROW(View::named("bottom"), std::invalid_argument);
    EXPECT_EQ(View::fromMatrix(ZkGeMatrix3d::kIdentity).kind(), View::Kind::Matrix);
}

TEST(View, ViewportFitsTheBoxAndRoundTrips) {
    Wyn::Objects::BBox box(ZkGePoint3d(0, 0, 0), ZkGePoint3d(10, 5, 0));
    const Viewport port = Viewport::fit(box, 200, 100, 0.0);
    EXPECT_DOUBLE_EQ(port.pixelsPerUnit(), 20.0);
    const ZkGePoint2d corner = port.toImage(ZkGePoint3d(0, 5, 0));
    EXPECT_DOUBLE_EQ(corner.x, 0.0);
    EXPECT_DOUBLE_EQ(corner.y, 0.0) << "y runs down the image";
    const ZkGePoint3d back = port.toView(ZkGePoint2d(150, 25));
    EXPECT_DOUBLE_EQ(back.x, 7.5);
    EXPECT_DOUBLE_EQ(back.y, 3.75);

    // A flat box is fitted by its other extent; an empty one at one pixel
    // per unit.
    EXPECT_DOUBLE_EQ(
        Viewport::fit(Wyn::Objects::BBox(ZkGePoint3d(0, 0, 0), ZkGePoint3d(0, 4, 0)), 100, 100, 0.0)
            .pixelsPerUnit(),
        25.0);
    EXPECT_DOUBLE_EQ(Viewport::fit(Wyn::Objects::BBox(), 100, 100).pixelsPerUnit(), 1.0);
    EXPECT_THROW(Viewport(0, 10, ZkGePoint2d(), 1.0), std::invalid_argument);
}

} // namespace
