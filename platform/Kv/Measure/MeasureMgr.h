#pragma once

#include "Kv/Base/StrongRef.h"

#include "ZkGePoint3d.h"

#include <map>
#include <vector>

namespace Kv {

class IMeasureClient;
class LogicalSelection;
class SelectionFilter;

// Measures selections without knowing what they select: each selection makes
// a measurable adapter, and the adapters say what they can measure, alone or
// against each other, and measure it. Add-ins tell the manager through their
// measure clients which selection filters pick measurable things.
class MeasureMgr {
public:
    enum EMeasureType {
        kLength = 1,   // of a bounded curve
        kRadius = 2,   // of a circular curve
        kDistance = 6, // the least distance between two items
        kAngle = 7,    // between two items, in radians
        kX = 8,        // coordinates of a point
        kY = 9,
        kZ = 10,
        kDeltaX = 11, // the second point's coordinate minus the first's
        kDeltaY = 12,
        kDeltaZ = 13,
    };

    // What a selection filter of a client picks.
    enum EMeasurableKind {
        kPointKind = 1,
        kCurveKind = 2,
        kSurfaceKind = 8,
    };

    // A measured value and the model-space points it was taken between: the
    // first on the measured item, the second on the other one.
    struct MeasureResult {
        double value = 0.0;
        ZkGePoint3d firstPoint;
        ZkGePoint3d secondPoint;
    };

    using FilterTable = std::map<int, std::vector<SelectionFilter*>>;

    // Clients are listed while registered; add-ins register theirs at load.
    static void registerClient(IMeasureClient* client);
    static void unregisterClient(IMeasureClient* client);
    static const std::vector<IMeasureClient*>& clients();

    // Every registered client's filters, by measurable kind, in client order.
    static FilterTable filterTable();
    // Whether some client's filter accepts `selection`.
    static bool isMeasurable(const StrongRef<LogicalSelection>& selection);

    // Whether `type` measures two items rather than one.
    static bool takesTwoItems(EMeasureType type);

    // Measures one item. The result's points are set to the item's hit point
    // before the item fills in what it measured. False when the item cannot
    // measure `type`; the result is then as it was.
    static bool measure(LogicalSelection& item, EMeasureType type, MeasureResult& result);
    // Measures `first` against `second`. When `first` cannot, a distance or an
    // angle is asked of `second` against `first`, with the points swapped
    // back so that the first point stays on `first`.
    static bool measure(LogicalSelection& first, LogicalSelection& second, EMeasureType type,
                        MeasureResult& result);

private:
    static std::vector<IMeasureClient*>& registry();
};

} // namespace Kv
