#pragma once

#include "Kv/Base/Object.h"
#include "Kv/Base/StrongRef.h"
#include "Kv/Measure/MeasureMgr.h"

#include "ZkGeMatrix3d.h"
#include "ZkGePoint3d.h"

namespace Kv {

class LogicalSelection;

// A selection's geometry as the measure manager sees it. Adapters copy the
// geometry they measure into model space when they are made, so later edits
// of the document do not change them; the manager owns and deletes them.
// Besides this base an adapter offers IMeasurablePoint, IMeasurableCurve or
// IMeasurableSurface, through which its partners find its geometry.
class Measurable : public Object {
public:
    explicit Measurable(const StrongRef<LogicalSelection>& selection);
    ~Measurable() override;
    Measurable(const Measurable&) = delete;
    Measurable& operator=(const Measurable&) = delete;

    const StrongRef<LogicalSelection>& selection() const { return m_selection; }
    // The selection's model transform (LogicalSelection::modelTransform).
    const ZkGeMatrix3d& transform() const { return m_transform; }
    // Where the selection was picked, in model space; the origin when the
    // selection cannot say.
    const ZkGePoint3d& hitPoint() const { return m_hitPoint; }

    // One item alone; by default nothing can be measured.
    virtual bool canMeasure(MeasureMgr::EMeasureType type) const;
    virtual bool measure(MeasureMgr::EMeasureType type, MeasureMgr::MeasureResult& result) const;
    // This item against `other`.
    virtual bool canMeasure(Measurable& other, MeasureMgr::EMeasureType type) const;
    virtual bool measure(Measurable& other, MeasureMgr::EMeasureType type,
                         MeasureMgr::MeasureResult& result) const;

    void* queryInterface(const UniqueString& id) override;
    KV_INTERFACE_ID("Kv::Measurable")

private:
    StrongRef<LogicalSelection> m_selection;
    ZkGeMatrix3d m_transform;
    ZkGePoint3d m_hitPoint;
};

} // namespace Kv
