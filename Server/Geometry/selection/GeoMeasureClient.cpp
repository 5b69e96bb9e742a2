#include "Geometry/selection/GeoMeasureClient.h"

#include "Geometry/selection/SketchCurveSelectionFilter.h"
#include "Geometry/selection/SketchPointSelectionFilter.h"
#include "Geometry/selection/WorkAxisSelectionFilter.h"
#include "Geometry/selection/WorkPlaneSelectionFilter.h"
#include "Geometry/selection/WorkPointSelectionFilter.h"

namespace Kv::Geometry {

GeoMeasureClient::GeoMeasureClient() {
    MeasureMgr::registerClient(this);
}

GeoMeasureClient::~GeoMeasureClient() {
    MeasureMgr::unregisterClient(this);
}

void GeoMeasureClient::onGetFilterTable(MeasureMgr::FilterTable& table) const {
    table[MeasureMgr::kPointKind] = {&SketchPointSelectionFilter::get(),
                                     &WorkPointSelectionFilter::get()};
    table[MeasureMgr::kCurveKind] = {&SketchCurveSelectionFilter::anyCurves(),
                                     &WorkAxisSelectionFilter::get()};
    table[MeasureMgr::kSurfaceKind] = {&WorkPlaneSelectionFilter::get()};
}

} // namespace Kv::Geometry
