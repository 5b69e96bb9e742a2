#pragma once

#include "Kv/Base/PassiveRef.h"
#include "Kv/DataModel/MigrationHelper.h"

#include <vector>

namespace Kv::Geometry {

class Point3D;

// Holds the fit points of a spline's point list as the first schema version
// stored them (passive references) until they are converted to owning ones.
class PointUsesMigrationHelper : public MigrationHelper {
public:
    using MigrationHelper::MigrationHelper;

    std::vector<PassiveRef<Point3D>> geometries;
};

} // namespace Kv::Geometry
