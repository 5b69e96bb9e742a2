#include "Geometry/selection/TextSelection.h"

#include "Geometry/text/Text.h"

namespace Kv::Geometry {

StrongRefCreator<TextSelection> TextSelection::make(const ObjectPath& path, StrongRef<Text>) {
    return StrongRefCreator<TextSelection>(StrongRef<TextSelection>(new TextSelection(path)));
}

TextSelection::TextSelection(const ObjectPath& path)
    : Geometry3DSelection(path) {}

StrongRef<Text> TextSelection::text() const {
    return StrongRef<Text>(::Kv::queryInterface<Text>(validLeaf()));
}

void* TextSelection::queryInterface(const UniqueString& id) {
    return id == interfaceId() ? this : Geometry3DSelection::queryInterface(id);
}

} // namespace Kv::Geometry
