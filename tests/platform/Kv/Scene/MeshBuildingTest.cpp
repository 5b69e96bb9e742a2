#include "Kv/Scene/BuildSimpleMesh.h"
#include "Kv/Scene/FatLine.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using Kv::Point3f;
using Kv::Scene::BuildSimpleMesh;
using Kv::Scene::FatLine;
using Kv::Scene::TexCoord;

// Area covered by triangles in the XY plane, overlaps counted twice.
double area(const std::vector<Point3f>& v) {
    double sum = 0.0;
    for (size_t i = 0; i + 2 < v.size(); i += 3)
        sum += std::fabs((v[i + 1].x - v[i].x) * (v[i + 2].y - v[i].y) -
                         (v[i + 2].x - v[i].x) * (v[i + 1].y - v[i].y)) /
               2.0;
    return sum;
}

TEST(BuildSimpleMesh, BuildsTheQuadOfAPointMarker) {
    const std::vector<Point3f> corners = {{-4, -3, 0}, {4, -3, 0}, {4, 3, 0}, {-4, 3, 0}};
    const auto mesh = BuildSimpleMesh(4, corners, std::vector<Point3f>(4, Point3f(0, 0, 1)),
                                      {{0, 1}, {1, 1}, {1, 0}, {0, 0}}, {0, 1, 2, 2, 3, 0});
    EXPECT_EQ(mesh.primitiveType(), Wyn::Objects::PrimitiveType::Triangles);
    EXPECT_EQ(mesh.positions().size(), 4u);
    EXPECT_EQ(mesh.indices().size(), 6u);
    EXPECT_EQ(mesh.texCoords()[1], TexCoord(1, 1));
    EXPECT_EQ(mesh.bounds().maxPoint(), ZkGePoint3d(4, 3, 0));

    // Unused vertices are dropped and the indices follow.
    const auto compact = BuildSimpleMesh(2, corners, {}, {}, {3, 1});
    EXPECT_EQ(compact.positions(), (std::vector<Wyn::Objects::Point3f>{{-4, 3, 0}, {4, -3, 0}}));
    EXPECT_EQ(compact.indices(), (std::vector<unsigned>{0, 1}));
    EXPECT_EQ(BuildSimpleMesh(2, corners, {}, {}, {3, 1}, true, false).positions().size(), 4u);

    EXPECT_THROW(BuildSimpleMesh(4, corners, {}, {}, {0, 1, 7}), std::invalid_argument);
    EXPECT_THROW(BuildSimpleMesh(2, {{0, 0, 0}}), std::invalid_argument);
    EXPECT_NO_THROW(BuildSimpleMesh(2, {{0, 0, 0}}, {}, {}, {}, false));
}

TEST(FatLine, CoversThePolylineAtItsWidth) {
    const FatLine line(2.0, ZkGeVector3d(0, 0, 1));
    std::vector<Point3f> vertices;
    std::vector<TexCoord> texCoords;
    line.generate({{0, 0, 0}, {10, 0, 0}, {10, 0, 0}}, {{0, 0}, {1, 0}, {1, 0}}, vertices,
                  texCoords);
    ASSERT_EQ(vertices.size(), 6u) << "one quad; the repeated point adds nothing";
    EXPECT_NEAR(area(vertices), 20.0, 1e-6);
    EXPECT_EQ(texCoords.size(), vertices.size());
    for (size_t i = 0; i < vertices.size(); ++i) {
        EXPECT_NEAR(std::fabs(vertices[i].y), 1.0, 1e-6);
        EXPECT_FLOAT_EQ(texCoords[i].u, vertices[i].x / 10.0f) << "coordinates follow the ends";
    }

    // A right-angle turn: the miter fills the outer corner square, a bevel
    // half of it, round joins something between.
    const std::vector<Point3f> corner = {{0, 0, 0}, {10, 0, 0}, {10, 10, 0}};
    auto covered = [&](int join, double limit) {
        std::vector<Point3f> v;
        std::vector<TexCoord> t;
        FatLine(2.0, ZkGeVector3d(0, 0, 1), join, FatLine::kButtCap, limit)
            .generate(corner, {}, v, t);
        return area(v);
    };
    EXPECT_NEAR(covered(FatLine::kMiterJoin, 2.0), 40.0 + 1.0, 1e-6);
    EXPECT_NEAR(covered(FatLine::kBevelJoin, 2.0), 40.0 + 0.5, 1e-6);
    EXPECT_NEAR(covered(FatLine::kMiterJoin, 1.2), 40.0 + 0.5, 1e-6) << "miter over its limit";
    const double round = covered(FatLine::kRoundJoin, 2.0);
    EXPECT_GT(round, 40.5);
    EXPECT_LT(round, 40.0 + M_PI / 4.0 + 1e-6);

    // Caps lengthen the ends.
    auto capped = [&](int cap) {
        std::vector<Point3f> v;
        std::vector<TexCoord> t;
        FatLine(2.0, ZkGeVector3d(0, 0, 1), FatLine::kMiterJoin, cap)
            .generate({{0, 0, 0}, {10, 0, 0}}, {}, v, t);
        return area(v);
    };
    EXPECT_NEAR(capped(FatLine::kSquareCap), 24.0, 1e-6);
    EXPECT_NEAR(capped(FatLine::kRoundCap), 20.0 + M_PI, 0.1) << "half discs of eight chords";

    vertices.clear();
    line.generate({{1, 1, 0}}, {}, vertices, texCoords);
    EXPECT_TRUE(vertices.empty());
}

} // namespace
