#pragma once

#include "ZkGeMatrix3d.h"

#include <string>

namespace Wyn::Scene {

// The direction a scene is looked at from, as an orthographic view: a matrix
// from world coordinates to view coordinates with x to the right, y up and z
// towards the viewer.
class View {
public:
    enum class Kind { Top, Front, Right, Iso, Matrix };

    View() = default; // the top view

    // Looking down the z axis: x right, y up.
    static View top();
    // Looking along +y: x right, z up.
    static View front();
    // Looking along -x: y right, z up.
    static View right();
    // Looking from (1, -1, 1) towards the origin, z up: the front, right and
    // top faces of a box all show.
    static View iso();
    // Any world-to-view transform; only its rotation and translation matter
    // to an orthographic drawing.
    static View fromMatrix(const ZkGeMatrix3d& worldToView);
    // "top", "front", "right" or "iso"; throws std::invalid_argument naming
    // the choices for anything else.
    static View named(const std::string& name);

    Kind kind() const { return m_kind; }
    const char* name() const;
    const ZkGeMatrix3d& matrix() const { return m_matrix; }
    ZkGePoint3d toView(const ZkGePoint3d& world) const {
        return ZkGePoint3d(world).transformBy(m_matrix);
    }

private:
    View(Kind kind, const ZkGeMatrix3d& matrix)
        : m_kind(kind)
        , m_matrix(matrix) {}

    Kind m_kind = Kind::Top;
    ZkGeMatrix3d m_matrix;
};

} // namespace Wyn::Scene
