#pragma once

#include "Kv/DataModel/ObjectPath.h"
#include "Kv/Measure/Measurable.h"
#include "Kv/Selection/Selection.h"
#include "Kv/Selection/SelectionHitInfo.h"

#include "ZkGeLine3d.h"
#include "ZkGeMatrix3d.h"
#include "ZkGePlane.h"
#include "ZkGePoint3d.h"

#include <memory>
#include <optional>
#include <string>
#include <utility>

namespace Kv {

// What the user selected, as the entity at the end of a picked path
// understands it (a whole sketch, one end of a line, a face of a plane).
class LogicalSelection : public Selection {
public:
    // The path the selection was made from.
    const ObjectPath& path() const { return m_path; }
    // What the selection is called where the user sees it; empty when the
    // selected thing has no name of its own.
    virtual std::wstring userName() const { return {}; }

    // How the pick that made the selection reached it; null when no pick did.
    const SelectionHitInfo* hitInfo() const { return m_hitInfo ? &*m_hitInfo : nullptr; }
    void hitInfo(const SelectionHitInfo& info) { m_hitInfo = info; }

    // Maps the coordinates the leaf's geometry is given in into model space:
    // the placements (ILogicalSelectionTransform) of the entities above the
    // leaf, outermost first.
    ZkGeMatrix3d modelTransform() const { return placementAbove(m_path); }
    // The same for any path.
    static ZkGeMatrix3d placementAbove(const ObjectPath& path);

    // What the selection offers constructions and snapping, in the leaf's
    // coordinates; false when it offers no such thing.
    bool providesPoint(ZkGePoint3d& point) const { return onProvidesPoint(point); }
    bool providesLine(ZkGeLine3d& line) const { return onProvidesLine(line); }
    bool providesPlane(ZkGePlane& plane) const { return onProvidesPlane(plane); }

    // Where the selection was picked, in model space; false when it cannot say.
    bool hitPoint(ZkGePoint3d& point) const { return onHitPoint(point); }

    // A measurement adapter for the selection, or null when it measures
    // nothing.
    std::unique_ptr<Measurable> makeMeasurable() {
        return std::unique_ptr<Measurable>(onMakeMeasurable());
    }

    void* queryInterface(const UniqueString& id) override;
    KV_INTERFACE_ID("Kv::LogicalSelection")

protected:
    explicit LogicalSelection(ObjectPath path)
        : m_path(std::move(path)) {}

    // The path's leaf while the selection is valid, else null: what the
    // accessors of derived selections start from.
    Entity* validLeaf() const { return isValid() ? m_path.leaf() : nullptr; }

    // Valid while every entity of the path is still held by the one above
    // it: a deleted entity, or one below a deleted entity, is not.
    bool onIsValid() const override;
    virtual bool onProvidesPoint(ZkGePoint3d&) const { return false; }
    virtual bool onProvidesLine(ZkGeLine3d&) const { return false; }
    virtual bool onProvidesPlane(ZkGePlane&) const { return false; }
    virtual bool onHitPoint(ZkGePoint3d&) const { return false; }
    // A new adapter that the caller owns, or null.
    virtual Measurable* onMakeMeasurable() { return nullptr; }

private:
    ObjectPath m_path;
    std::optional<SelectionHitInfo> m_hitInfo;
};

} // namespace Kv
