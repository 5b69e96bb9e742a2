#include "Kv/Measure/MeasureMgr.h"

#include "Kv/Measure/IMeasureClient.h"
#include "Kv/Measure/Measurable.h"
#include "Kv/Selection/LogicalSelection.h"
#include "Kv/Selection/SelectionFilter.h"

#include <algorithm>

namespace Kv {

void MeasureMgr::registerClient(IMeasureClient* client) {
    if (std::find(registry().begin(), registry().end(), client) == registry().end())
        registry().push_back(client);
}

void MeasureMgr::unregisterClient(IMeasureClient* client) {
    auto& all = registry();
    all.erase(std::remove(all.begin(), all.end(), client), all.end());
}

const std::vector<IMeasureClient*>& MeasureMgr::clients() {
    return registry();
}

MeasureMgr::FilterTable MeasureMgr::filterTable() {
    FilterTable merged;
    for (const IMeasureClient* client : registry()) {
        FilterTable own;
        client->onGetFilterTable(own);
        for (auto& [kind, filters] : own) {
            auto& list = merged[kind];
            list.insert(list.end(), filters.begin(), filters.end());
        }
    }
    return merged;
}

bool MeasureMgr::isMeasurable(const StrongRef<LogicalSelection>& selection) {
    const StrongRef<Selection> candidate(selection.get());
    for (const auto& [kind, filters] : filterTable())
        for (const SelectionFilter* filter : filters)
            if (filter && filter->filter(candidate))
                return true;
    return false;
}

bool MeasureMgr::takesTwoItems(EMeasureType type) {
    return type == kDistance || type == kAngle || type == kDeltaX || type == kDeltaY ||
           type == kDeltaZ;
}

bool MeasureMgr::measure(LogicalSelection& item, EMeasureType type, MeasureResult& result) {
    const std::unique_ptr<Measurable> measurable = item.makeMeasurable();
    if (!measurable || !measurable->canMeasure(type))
        return false;
    MeasureResult measured = result;
    measured.firstPoint = measured.secondPoint = measurable->hitPoint();
    if (!measurable->measure(type, measured))
        return false;
    result = measured;
    return true;
}

bool MeasureMgr::measure(LogicalSelection& first, LogicalSelection& second, EMeasureType type,
                         MeasureResult& result) {
    const std::unique_ptr<Measurable> a = first.makeMeasurable();
    const std::unique_ptr<Measurable> b = second.makeMeasurable();
    if (!a || !b)
        return false;
    if (a->canMeasure(*b, type))
        return a->measure(*b, type, result);
    const bool symmetric = type == kDistance || type == kAngle;
    if (!symmetric || !b->canMeasure(*a, type))
        return false;
    MeasureResult swapped = result;
    if (!b->measure(*a, type, swapped))
        return false;
    result.value = swapped.value;
    result.firstPoint = swapped.secondPoint;
    result.secondPoint = swapped.firstPoint;
    return true;
}

std::vector<IMeasureClient*>& MeasureMgr::registry() {
    static std::vector<IMeasureClient*> clients;
    return clients;
}

} // namespace Kv
