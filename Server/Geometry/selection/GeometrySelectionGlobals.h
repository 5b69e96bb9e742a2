#pragma once

// The selection support the library makes while it loads and releases when it
// unloads (defined with the other load-time globals in GeometryRegistration.cpp).

#include "Geometry/selection/GeoMeasureClient.h"
#include "Geometry/selection/SketchCurveFilterFinder.h"
#include "Geometry/selection/SketchPointFilterFinder.h"
#include "Geometry/selection/WorkAxisFilterFinder.h"
#include "Geometry/selection/WorkPlaneFilterFinder.h"
#include "Geometry/selection/WorkPointFilterFinder.h"
#include "Kv/Selection/SelectionCategory.h"

namespace Kv::Geometry {

extern GeoMeasureClient g_geoMeasureClient;
extern SelectionCategory g_geometry2DSelectionCategory;
extern SelectionCategory g_sketchCurveSelectionCategory;
extern SketchCurveFilterFinder g_sketchCurveFilterFinder;
extern SelectionCategory g_sketchPointSelectionCategory;
extern SketchPointFilterFinder g_sketchPointFilterFinder;
extern SelectionCategory g_sketchSelectionCategory;
extern SelectionCategory g_textSelectionCategory;
extern WorkAxisFilterFinder g_workAxisFilterFinder;
extern WorkPlaneFilterFinder g_workPlaneFilterFinder;
extern WorkPointFilterFinder g_workPointFilterFinder;

} // namespace Kv::Geometry
