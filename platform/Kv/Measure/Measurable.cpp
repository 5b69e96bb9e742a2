#include "Kv/Measure/Measurable.h"

#include "Kv/Selection/LogicalSelection.h"

namespace Kv {

Measurable::Measurable(const StrongRef<LogicalSelection>& selection)
    : m_selection(selection) {
    if (!m_selection)
        return;
    m_transform = m_selection->modelTransform();
    m_selection->hitPoint(m_hitPoint);
}

Measurable::~Measurable() = default;

bool Measurable::canMeasure(MeasureMgr::EMeasureType) const {
    return false;
}

bool Measurable::measure(MeasureMgr::EMeasureType, MeasureMgr::MeasureResult&) const {
    return false;
}

bool Measurable::canMeasure(Measurable&, MeasureMgr::EMeasureType) const {
    return false;
}

bool Measurable::measure(Measurable&, MeasureMgr::EMeasureType, MeasureMgr::MeasureResult&) const {
    return false;
}

void* Measurable::queryInterface(const UniqueString& id) {
    return id == interfaceId() ? this : Object::queryInterface(id);
}

} // namespace Kv
