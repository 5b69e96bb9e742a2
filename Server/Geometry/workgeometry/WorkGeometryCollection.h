#pragma once

#include "Geometry/workgeometry/WorkGeometry.h"
#include "Kv/CommonData/CommonBaseGroupEntity.h"
#include "Kv/CommonData/IComponentObject.h"
#include "Kv/CommonData/IVisibilityToggle.h"
#include "Kv/DataModel/DataChange.h"
#include "Kv/DataModel/EntityChange.h"
#include "Kv/DataModel/IScriptableObject.h"
#include "Kv/DataModel/Onk.h"

#include <boost/format.hpp>

#include <string>

namespace Kv::Geometry {

// What every group of work geometry a component keeps does alike: it is a
// component object, scripts know it by a fixed name (`Derived::kScriptingName`)
// and find its children by their user names, and its counters hand out numbers
// as recorded changes. Each collection stays a class of its own with its own
// meta type and members; this only spares them writing the same answers.
template <class Derived>
class WorkGeometryCollection : public CommonData::CommonBaseGroupEntity,
                               public CommonData::IComponentObject,
                               public IScriptableObject {
public:
    Entity* componentObjectEntity() override { return this; }

    bool getOnk(Onk& key) override {
        key.setName(Derived::kScriptingName);
        return true;
    }
    IScriptableObject* getChildObject(const Onk& key, const ObjectPath&) override {
        return WorkGeometry::childNamed(*this, key.representation());
    }

    void* queryInterface(const UniqueString& id) override {
        if (void* base = CommonBaseGroupEntity::queryInterface(id))
            return base;
        if (id == IComponentObject::interfaceId())
            return static_cast<IComponentObject*>(this);
        return id == IScriptableObject::interfaceId() ? static_cast<IScriptableObject*>(this)
                                                      : nullptr;
    }

protected:
    using CommonBaseGroupEntity::CommonBaseGroupEntity;

    // The child at `index` when it is a `Child`, else null.
    template <class Child> StrongRef<Child> childAs(unsigned int index) const {
        return StrongRef<Child>(::Kv::queryInterface<Child>(child(index).get()));
    }

    // The next number of `highWaterMark`, a counter of this collection; the
    // first is 1. Undo gives the number back.
    int nextNumber(int& highWaterMark) {
        EntityChange change(this, kTransactDo, kChangeCounters, 3, nullptr, true);
        return ++highWaterMark;
    }

    std::wstring onToString() const override {
        return (boost::wformat(L"%1% (base %2%)") % Derived::kScriptingName %
                CommonBaseGroupEntity::onToString())
            .str();
    }
};

// A collection the user shows and hides as a whole. Its "visible" member is
// registered by the derived class, which also gives it its first value.
template <class Derived>
class ToggledWorkGeometryCollection : public WorkGeometryCollection<Derived>,
                                      public CommonData::IVisibilityToggle {
public:
    bool isVisible(CommonData::IComponentTraversalContext* = nullptr) override { return m_visible; }
    void isVisible(bool visible) {
        EntityChange change(this, kTransactDo, kChangeAppearance, 3, nullptr, true);
        m_visible = visible;
    }
    bool toggleVisibility(const ObjectPath&) override {
        isVisible(!m_visible);
        return true;
    }

    void* queryInterface(const UniqueString& id) override {
        if (void* found = WorkGeometryCollection<Derived>::queryInterface(id))
            return found;
        return id == IVisibilityToggle::interfaceId() ? static_cast<IVisibilityToggle*>(this)
                                                      : nullptr;
    }

protected:
    ToggledWorkGeometryCollection(Entity* component, bool visible)
        : WorkGeometryCollection<Derived>(component)
        , m_visible(visible) {}
    ToggledWorkGeometryCollection(Segment* segment, uint64_t id, bool visible)
        : WorkGeometryCollection<Derived>(segment, id)
        , m_visible(visible) {}

    bool m_visible;
};

} // namespace Kv::Geometry
