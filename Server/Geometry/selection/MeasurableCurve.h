#pragma once

#include "Kv/Measure/IMeasurableCurve.h"
#include "Kv/Measure/Measurable.h"

#include "ZkGeCurve3d.h"

#include <memory>

namespace Kv::Geometry {

// Measures a curve: its length and radius alone, the distance to a point or
// another curve, and the angle to another straight curve.
class MeasurableCurve : public Measurable, public IMeasurableCurve {
public:
    // Copies `curve` (which may be null) into model space.
    MeasurableCurve(const StrongRef<LogicalSelection>& selection, const ZkGeCurve3d* curve);

    const ZkGeCurve3d* curve() const override { return m_curve.get(); }
    bool bounded() const override;
    bool linear() const override;
    bool circular() const override;

    // Length of a bounded curve, radius of a circular one.
    bool canMeasure(MeasureMgr::EMeasureType type) const override;
    bool measure(MeasureMgr::EMeasureType type, MeasureMgr::MeasureResult& result) const override;
    // Distance to a point or a curve; angle to a curve when both are straight.
    bool canMeasure(Measurable& other, MeasureMgr::EMeasureType type) const override;
    bool measure(Measurable& other, MeasureMgr::EMeasureType type,
                 MeasureMgr::MeasureResult& result) const override;

    void* queryInterface(const UniqueString& id) override;
    KV_INTERFACE_ID("Kv::Geometry::MeasurableCurve")

private:
    std::unique_ptr<ZkGeCurve3d> m_curve;
};

} // namespace Kv::Geometry
