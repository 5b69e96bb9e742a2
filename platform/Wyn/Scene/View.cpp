#include "Wyn/Scene/View.h"

#include <stdexcept>

namespace Wyn::Scene {
namespace {

// The matrix whose rows are the view axes expressed in world coordinates.
ZkGeMatrix3d rows(const ZkGeVector3d& x, const ZkGeVector3d& y, const ZkGeVector3d& z) {
    ZkGeMatrix3d m;
    const ZkGeVector3d axes[3] = {x, y, z};
    for (int r = 0; r < 3; ++r) {
        m.entry[r][0] = axes[r].x;
        m.entry[r][1] = axes[r].y;
        m.entry[r][2] = axes[r].z;
    }
    return m;
}

} // namespace

View View::top() {
    return View(Kind::Top, ZkGeMatrix3d::kIdentity);
}

View View::front() {
    return View(Kind::Front,
                rows(ZkGeVector3d(1, 0, 0), ZkGeVector3d(0, 0, 1), ZkGeVector3d(0, -1, 0)));
}

View View::right() {
    return View(Kind::Right,
                rows(ZkGeVector3d(0, 1, 0), ZkGeVector3d(0, 0, 1), ZkGeVector3d(1, 0, 0)));
}

View View::iso() {
    const ZkGeVector3d z = ZkGeVector3d(1, -1, 1).normal();
    const ZkGeVector3d x = ZkGeVector3d(0, 0, 1).crossProduct(z).normal();
    const ZkGeVector3d y = z.crossProduct(x);
    return View(Kind::Iso, rows(x, y, z));
}

View View::fromMatrix(const ZkGeMatrix3d& worldToView) {
    return View(Kind::Matrix, worldToView);
}

View View::named(const std::string& name) {
    if (name == "top")
        return top();
    if (name == "front")
        return front();
    if (name == "right")
        return right();
    if (name == "iso")
        return iso();
    throw std::invalid_argument("unknown view '" + name + "' (use top, front, right or iso)");
}

const char* View::name() const {
    switch (m_kind) {
    case Kind::Top:
        return "top";
    case Kind::Front:
        return "front";
    case Kind::Right:
        return "right";
    case Kind::Iso:
        return "iso";
    case Kind::Matrix:
        return "matrix";
    }
    return "view";
}

} // namespace Wyn::Scene
