#pragma once

#include <string>
#include <vector>

namespace Kv {
class CommandMgr;
}

namespace Kv::Geometry {

// The add-in's self tests: its registration in the host and the documents it
// populates ("configuration"), and the round trips every kind of sketch
// geometry, text, work geometry and 2D drawings must survive ("persistence":
// save and open; "undo": undo and redo).
class GeometrySelfTests {
public:
    // Registers the tests and returns their names, so that the add-in can
    // take them back before it is unloaded.
    static std::vector<std::string> registerSelfTests(CommandMgr& commands);
};

} // namespace Kv::Geometry
