#include "Geometry/selection/GeoMeasureClient.h"

#include "Geometry/selection/SketchCurveSelectionFilter.h"
#include "Geometry/selection/SketchPointSelectionFilter.h"

namespace Kv::Geometry {

GeoMeasureClient::GeoMeasureClient() {
    MeasureMgr::registerClient(this);
}

GeoMeasureClient::~GeoMeasureClient() {
    MeasureMgr::unregisterClient(this);
}

void GeoMeasureClient::onGetFilterTable(MeasureMgr::FilterTable& table) const {
    table[MeasureMgr::kPointKind] = {&SketchPointSelectionFilter::get()};
    table[MeasureMgr::kCurveKind] = {&SketchCurveSelectionFilter::anyCurves()};
}

} // namespace Kv::Geometry
