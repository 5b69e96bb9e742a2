#pragma once

#include "Kv/Base/StrongRef.h"
#include "Kv/Selection/LogicalSelection.h"

namespace Kv::Geometry {

class Sketch;

// A selected sketch as a whole. The library itself makes none: commands of
// the application that act on whole sketches do.
class SketchSelection : public LogicalSelection {
public:
    // The sketch is only checked against the path: the leaf is what counts.
    static StrongRefCreator<SketchSelection> make(const ObjectPath& path, StrongRef<Sketch> sketch);

    // The path's leaf as a sketch; null when it is something else or no longer
    // lives in its document.
    StrongRef<Sketch> sketch() const;

    std::wstring userName() const override;

    void* queryInterface(const UniqueString& id) override;
    KV_INTERFACE_ID("Kv::Geometry::SketchSelection")

protected:
    explicit SketchSelection(const ObjectPath& path);
};

} // namespace Kv::Geometry
