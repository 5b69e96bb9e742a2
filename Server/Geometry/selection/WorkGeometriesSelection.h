#pragma once

#include "Kv/Base/StrongRef.h"
#include "Kv/Selection/LogicalSelection.h"

namespace Kv::Geometry {

class WorkGeometries;

// A component's work geometry collection, selected as a whole.
class WorkGeometriesSelection : public LogicalSelection {
public:
    // The collection is only checked against the path: the leaf is what counts.
    static StrongRefCreator<WorkGeometriesSelection> make(const ObjectPath& path,
                                                          StrongRef<WorkGeometries> collection);

    // The path's leaf as the collection; null when it is something else or no
    // longer lives in its document.
    StrongRef<WorkGeometries> workGeometries() const;

    std::wstring userName() const override;

    void* queryInterface(const UniqueString& id) override;
    KV_INTERFACE_ID("Kv::Geometry::WorkGeometriesSelection")

protected:
    explicit WorkGeometriesSelection(const ObjectPath& path);
};

} // namespace Kv::Geometry
