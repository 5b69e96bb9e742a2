#include "Kv/Scene/FatLine.h"

#include "ZkGeMatrix3d.h"
#include "ZkGePoint3d.h"

#include <cmath>

namespace Kv::Scene {
namespace {

constexpr int kRoundSteps = 8;

ZkGePoint3d widen(const Point3f& p) {
    return ZkGePoint3d(p.x, p.y, p.z);
}

Point3f narrow(const ZkGePoint3d& p) {
    return Point3f(static_cast<float>(p.x), static_cast<float>(p.y), static_cast<float>(p.z));
}

class Output {
public:
    Output(std::vector<Point3f>& vertices, std::vector<TexCoord>& texCoords)
        : m_vertices(vertices)
        , m_texCoords(texCoords) {}

    void triangle(const ZkGePoint3d& a, const ZkGePoint3d& b, const ZkGePoint3d& c,
                  const TexCoord& ta, const TexCoord& tb, const TexCoord& tc) {
        m_vertices.push_back(narrow(a));
        m_vertices.push_back(narrow(b));
        m_vertices.push_back(narrow(c));
        m_texCoords.push_back(ta);
        m_texCoords.push_back(tb);
        m_texCoords.push_back(tc);
    }

    // Triangles from the centre through the arc from `from` to `to` (both
    // offsets of equal length from the centre), turning about `axis`.
    void fan(const ZkGePoint3d& centre, const ZkGeVector3d& from, const ZkGeVector3d& to,
             const ZkGeVector3d& axis, const TexCoord& t) {
        double angle = from.angleTo(to);
        if (from.crossProduct(to).dotProduct(axis) < 0.0)
            angle = -angle;
        ZkGeVector3d previous = from;
        for (int i = 1; i <= kRoundSteps; ++i) {
            ZkGeVector3d next = from;
            next.transformBy(ZkGeMatrix3d::rotation(angle * i / kRoundSteps, axis));
            triangle(centre, centre + previous, centre + next, t, t, t);
            previous = next;
        }
    }

private:
    std::vector<Point3f>& m_vertices;
    std::vector<TexCoord>& m_texCoords;
};

} // namespace

FatLine::FatLine(double width, const ZkGeVector3d& normal, int joinStyle, int capStyle,
                 double miterLimit)
    : m_width(std::fabs(width))
    , m_normal(normal.isZeroLength() ? ZkGeVector3d(0, 0, 1) : normal.normal())
    , m_join(joinStyle)
    , m_cap(capStyle)
    , m_miterLimit(miterLimit) {}

void FatLine::generate(const std::vector<Point3f>& points, const std::vector<TexCoord>& texCoords,
                       std::vector<Point3f>& vertices,
                       std::vector<TexCoord>& vertexTexCoords) const {
    std::vector<ZkGePoint3d> p;
    std::vector<TexCoord> t;
    for (size_t i = 0; i < points.size(); ++i) {
        const ZkGePoint3d q = widen(points[i]);
        if (!p.empty() && q.isEqualTo(p.back()))
            continue;
        p.push_back(q);
        t.push_back(i < texCoords.size() ? texCoords[i] : TexCoord());
    }
    if (p.size() < 2 || m_width == 0.0)
        return;
    const double half = 0.5 * m_width;
    const size_t n = p.size();
    std::vector<ZkGeVector3d> dir(n - 1), side(n - 1);
    for (size_t i = 0; i + 1 < n; ++i) {
        dir[i] = (p[i + 1] - p[i]).normal();
        side[i] = m_normal.crossProduct(dir[i]).normal() * half;
    }
    Output out(vertices, vertexTexCoords);

    ZkGePoint3d first = p.front(), last = p.back();
    if (m_cap == kSquareCap) {
        first -= dir.front() * half;
        last += dir.back() * half;
    }
    for (size_t i = 0; i + 1 < n; ++i) {
        const ZkGePoint3d a = i == 0 ? first : p[i];
        const ZkGePoint3d b = i + 2 == n ? last : p[i + 1];
        out.triangle(a + side[i], a - side[i], b - side[i], t[i], t[i], t[i + 1]);
        out.triangle(b - side[i], b + side[i], a + side[i], t[i + 1], t[i + 1], t[i]);
    }

    for (size_t i = 1; i + 1 < n; ++i) {
        const double turn = dir[i - 1].crossProduct(dir[i]).dotProduct(m_normal);
        if (std::fabs(turn) < 1e-12)
            continue; // straight on, the quads already meet
        // The gap opens on the outside of the turn: right of a left turn.
        const double outside = turn > 0.0 ? -1.0 : 1.0;
        const ZkGeVector3d s0 = side[i - 1] * outside;
        const ZkGeVector3d s1 = side[i] * outside;
        if (m_join == kRoundJoin) {
            out.fan(p[i], s0, s1, m_normal, t[i]);
            continue;
        }
        const ZkGeVector3d bisector = s0 + s1;
        const double cosHalf =
            bisector.isZeroLength() ? 0.0 : bisector.normal().dotProduct(s0) / half;
        const double miter = cosHalf > 1e-9 ? half / cosHalf : 0.0;
        if (m_join == kMiterJoin && cosHalf > 1e-9 && miter <= m_miterLimit * half) {
            const ZkGePoint3d tip = p[i] + bisector.normal() * miter;
            out.triangle(p[i], p[i] + s0, tip, t[i], t[i], t[i]);
            out.triangle(p[i], tip, p[i] + s1, t[i], t[i], t[i]);
        } else {
            out.triangle(p[i], p[i] + s0, p[i] + s1, t[i], t[i], t[i]);
        }
    }

    if (m_cap == kRoundCap) {
        out.fan(p.front(), side.front(), -side.front(), m_normal, t.front());
        out.fan(p.back(), -side.back(), side.back(), m_normal, t.back());
    }
}

} // namespace Kv::Scene
