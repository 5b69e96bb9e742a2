#pragma once

#include "Geometry/selection/Geometry3DSelection.h"

namespace Kv::Geometry {

class Text;

// A picked sketch text. It offers nothing for constructions and measures
// nothing; commands that act on texts take it through TextSelectionFilter.
class TextSelection : public Geometry3DSelection {
public:
    // The text is only checked against the path: the leaf is what counts.
    static StrongRefCreator<TextSelection> make(const ObjectPath& path, StrongRef<Text> text);

    // The path's leaf as a text; null when it is something else or no longer
    // lives in its document.
    StrongRef<Text> text() const;

    void* queryInterface(const UniqueString& id) override;
    KV_INTERFACE_ID("Kv::Geometry::TextSelection")

protected:
    explicit TextSelection(const ObjectPath& path);
};

} // namespace Kv::Geometry
