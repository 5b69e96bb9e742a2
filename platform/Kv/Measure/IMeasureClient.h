#pragma once

#include "Kv/Measure/MeasureMgr.h"

namespace Kv {

// An add-in's word to the measure manager: which of its selection filters
// pick measurable points, curves and surfaces.
class IMeasureClient {
public:
    // Sets the filter lists of the kinds the client knows (MeasureMgr's
    // EMeasurableKind values), replacing what `table` held under them.
    virtual void onGetFilterTable(MeasureMgr::FilterTable& table) const = 0;

protected:
    ~IMeasureClient() = default;
};

} // namespace Kv
