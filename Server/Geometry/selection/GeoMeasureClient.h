#pragma once

#include "Kv/Measure/IMeasureClient.h"

namespace Kv::Geometry {

// Tells the measure manager which of the library's filters pick measurable
// points and curves. Registered with the manager while it exists: the
// library keeps one from load to unload.
class GeoMeasureClient : public IMeasureClient {
public:
    GeoMeasureClient();
    ~GeoMeasureClient();
    GeoMeasureClient(const GeoMeasureClient&) = delete;
    GeoMeasureClient& operator=(const GeoMeasureClient&) = delete;

    // Points: the sketch point filter; curves: the filter for any sketch curve.
    void onGetFilterTable(MeasureMgr::FilterTable& table) const override;
};

} // namespace Kv::Geometry
