#pragma once

#include "Kv/Measure/IMeasurableSurface.h"
#include "Kv/Measure/Measurable.h"

#include "ZkGePlanarEnt.h"

#include <memory>

namespace Kv::Geometry {

// Measures a surface against something else: the distance to a point, and
// for a plane the distance to a curve or a parallel plane; the angle between
// planes, or between a plane and a straight curve. A surface alone measures
// nothing.
class MeasurableSurface : public Measurable, public IMeasurableSurface {
public:
    // Copies `surface` (which may be null) into model space.
    MeasurableSurface(const StrongRef<LogicalSelection>& selection, const ZkGePlanarEnt* surface);

    const ZkGePlanarEnt* surface() const override { return m_surface.get(); }
    // Planes extend without bound, and they are the kernel's only surfaces
    // so far: no surface held now is bounded.
    bool bounded() const override;
    bool planar() const override;

    // Alone a surface keeps the default: it measures nothing.
    using Measurable::canMeasure;
    using Measurable::measure;
    bool canMeasure(Measurable& other, MeasureMgr::EMeasureType type) const override;
    bool measure(Measurable& other, MeasureMgr::EMeasureType type,
                 MeasureMgr::MeasureResult& result) const override;

    void* queryInterface(const UniqueString& id) override;
    KV_INTERFACE_ID("Kv::Geometry::MeasurableSurface")

private:
    std::unique_ptr<ZkGePlanarEnt> m_surface;
};

} // namespace Kv::Geometry
