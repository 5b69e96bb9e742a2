#include "Wyn/Objects/Mesh.h"

#include <gtest/gtest.h>

namespace {

using Wyn::Objects::Mesh;
using Wyn::Objects::Point3f;
using Wyn::Objects::PrimitiveType;
using Wyn::Objects::TexCoord;

const std::vector<Point3f> kQuad = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}};

void expectRejected(const Mesh& mesh, const std::string& words) {
    try {
        mesh.validate();
        FAIL() << "accepted a mesh that should say: " << words;
    } catch (const std::invalid_argument& e) {
        EXPECT_NE(std::string(e.what()).find(words), std::string::npos) << e.what();
    }
}

TEST(Mesh, ValidationNamesTheInconsistency) {
    EXPECT_NO_THROW(Mesh(PrimitiveType::Triangles, kQuad, {}, {}, {0, 1, 2, 2, 3, 0}).validate());
    EXPECT_NO_THROW(Mesh().validate());
    expectRejected(Mesh(PrimitiveType::Triangles, kQuad, {}, {}, {0, 1, 2, 2, 3, 4}),
                   "index 5 is 4");
    expectRejected(Mesh(PrimitiveType::Triangles, kQuad, {{0, 0, 1}}), "1 normals for 4");
    expectRejected(Mesh(PrimitiveType::Lines, kQuad, {}, {{0, 0}, {1, 1}}),
                   "2 texture coordinates for 4");
    expectRejected(Mesh(PrimitiveType::Triangles, kQuad), "4 vertices do not make a whole");
    expectRejected(Mesh(PrimitiveType::LineStrip, {{0, 0, 0}}), "line strip");
    expectRejected(Mesh(static_cast<PrimitiveType>(9), kQuad), "primitive type 9");
}

TEST(Mesh, AssigningPartsKeepsTheOthers) {
    Mesh held(PrimitiveType::Triangles, kQuad, {}, {{0, 1}, {1, 1}, {1, 0}, {0, 0}},
              {0, 1, 2, 2, 3, 0});
    const std::vector<Point3f> moved = {{5, 0, 0}, {6, 0, 0}, {6, 1, 0}, {5, 1, 0}};
    held.assign(Mesh(PrimitiveType::Points, moved), Mesh::kPositions);
    EXPECT_EQ(held.positions(), moved);
    EXPECT_EQ(held.primitiveType(), PrimitiveType::Triangles);
    EXPECT_EQ(held.indices().size(), 6u);
    EXPECT_EQ(held.texCoords().size(), 4u);

    held.assign(Mesh(PrimitiveType::LineStrip, {}), Mesh::kIndices);
    EXPECT_EQ(held.primitiveType(), PrimitiveType::LineStrip);
    EXPECT_TRUE(held.indices().empty());
    EXPECT_EQ(held.vertexOrder(), (std::vector<unsigned>{0, 1, 2, 3}));
    EXPECT_DOUBLE_EQ(held.bounds().minPoint().x, 5.0);
}

} // namespace
