#pragma once

#include "Kv/Commands/ICommandProvider.h"

namespace Kv::Geometry {

// The commands that make 2D drawings and draw in them: sketch2d, point2d,
// line2d, circle2d, arc2d, ellipse2d, spline2d and group2d.
class Sketch2DCommands : public ICommandProvider {
public:
    void registerCommands(CommandMgr& commands) override;
};

} // namespace Kv::Geometry
