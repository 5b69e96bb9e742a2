#pragma once

#include "Kv/Base/Point3f.h"
#include "Kv/Scene/TexCoord.h"

#include "ZkGeVector3d.h"

#include <vector>

namespace Kv::Scene {

// A polyline widened into triangles in the plane with the given normal, so
// that a drawing's line thickness is a width in model units rather than in
// pixels: it scales with the drawing like everything else in it.
class FatLine {
public:
    enum JoinStyle : int { kMiterJoin = 0, kBevelJoin = 1, kRoundJoin = 2 };
    enum CapStyle : int { kButtCap = 0, kSquareCap = 1, kRoundCap = 2 };

    // A miter longer than `miterLimit` half-widths is cut off as a bevel, so
    // sharp turns do not grow spikes.
    FatLine(double width, const ZkGeVector3d& normal, int joinStyle = kMiterJoin,
            int capStyle = kButtCap, double miterLimit = 2.0);

    double width() const { return m_width; }

    // Appends triangles (three vertices each) covering the polyline to
    // `vertices`, and to `vertexTexCoords` the texture coordinates of each
    // vertex, taken from `texCoords` of the point it comes from (or (0, 0)
    // when none are given). Repeated points are skipped; fewer than two
    // distinct points give nothing.
    void generate(const std::vector<Point3f>& points, const std::vector<TexCoord>& texCoords,
                  std::vector<Point3f>& vertices, std::vector<TexCoord>& vertexTexCoords) const;

private:
    double m_width;
    ZkGeVector3d m_normal;
    int m_join;
    int m_cap;
    double m_miterLimit;
};

} // namespace Kv::Scene
