#pragma once

#include "Kv/Base/StrongRef.h"
#include "Kv/Selection/LogicalSelection.h"

namespace Kv::Geometry {

class Sketches;

// A component's sketch collection, selected as a whole.
class SketchesSelection : public LogicalSelection {
public:
    // The collection is only checked against the path: the leaf is what counts.
    static StrongRefCreator<SketchesSelection> make(const ObjectPath& path,
                                                    StrongRef<Sketches> sketches);

    // The path's leaf as a sketch collection; null when it is something else or no longer
    // lives in its document.
    StrongRef<Sketches> sketches() const;

    std::wstring userName() const override;

    void* queryInterface(const UniqueString& id) override;
    KV_INTERFACE_ID("Kv::Geometry::SketchesSelection")

protected:
    explicit SketchesSelection(const ObjectPath& path);
};

} // namespace Kv::Geometry
