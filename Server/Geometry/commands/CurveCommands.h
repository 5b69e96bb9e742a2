#pragma once

#include "Kv/Commands/ICommandProvider.h"

namespace Kv::Geometry {

// The commands that draw sketch curves and delete geometry: line, circle,
// arc, arc3, ellipse and delete.
class CurveCommands : public ICommandProvider {
public:
    void registerCommands(CommandMgr& commands) override;
};

} // namespace Kv::Geometry
