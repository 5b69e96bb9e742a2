#pragma once

#include "Kv/Measure/IMeasurablePoint.h"
#include "Kv/Measure/Measurable.h"

#include "ZkGePoint3d.h"

namespace Kv::Geometry {

// Measures a point: its coordinates alone; the distance and the coordinate
// differences to another point; the angle it makes with two more points.
class MeasurablePoint : public Measurable, public IMeasurablePoint {
public:
    // Copies `point` into model space.
    MeasurablePoint(const StrongRef<LogicalSelection>& selection, const ZkGePoint3d& point);

    const ZkGePoint3d* point() const override { return &m_point; }
    bool measureAngle(const IMeasurablePoint& vertex, const IMeasurablePoint& last,
                      double& angle) const override;

    bool canMeasure(MeasureMgr::EMeasureType type) const override;
    bool measure(MeasureMgr::EMeasureType type, MeasureMgr::MeasureResult& result) const override;
    bool canMeasure(Measurable& other, MeasureMgr::EMeasureType type) const override;
    bool measure(Measurable& other, MeasureMgr::EMeasureType type,
                 MeasureMgr::MeasureResult& result) const override;

    void* queryInterface(const UniqueString& id) override;
    KV_INTERFACE_ID("Kv::Geometry::MeasurablePoint")

private:
    ZkGePoint3d m_point;
};

} // namespace Kv::Geometry
