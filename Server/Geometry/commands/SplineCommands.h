#pragma once

#include "Kv/Commands/ICommandProvider.h"

namespace Kv::Geometry {

// The commands that draw and edit fit-point splines: spline, tangent,
// curvature, insert, append, close and open-spline. Each edit fits the
// spline again.
class SplineCommands : public ICommandProvider {
public:
    void registerCommands(CommandMgr& commands) override;
};

} // namespace Kv::Geometry
