#pragma once

// Turning a pick of a handle of a work plane or axis into a pick of the
// whole entity, as the plane and axis filters do.

#include "Kv/Base/StrongRef.h"
#include "Kv/Selection/LogicalSelection.h"

namespace Kv::Geometry {

// A selection of class S of `entity` on a copy of `handle`'s path whose leaf
// qualifier is cleared; the hit information of the handle pick comes along.
template <class S, class E>
StrongRef<Selection> promoted(const LogicalSelection& handle, const StrongRef<E>& entity) {
    ObjectPath whole = handle.path();
    whole.qualify(0);
    StrongRef<S> selection = S::make(whole, entity);
    if (const SelectionHitInfo* hit = handle.hitInfo())
        selection->hitInfo(*hit);
    return StrongRef<Selection>(selection.get());
}

} // namespace Kv::Geometry
