#pragma once

#include "Kv/AddInMgr/IServerAddIn.h"

#include <string>

namespace Kv {

// The identifier the add-in manager knows this add-in by; every meta type of
// the library carries it, and member-set initialisation looks the add-in up
// by it.
__attribute__((visibility("default"))) std::string GeometryAddInIdentifier();

namespace Geometry {

// The library's one add-in object. Its class stays private to the add-in's
// source; the registration unit calls this first at load so that the object
// is made before every other load-time global and outlives them all.
__attribute__((visibility("hidden"))) IServerAddIn& geometryAddIn();

} // namespace Geometry
} // namespace Kv

// The entry point the add-in manager looks up after loading the library.
extern "C" __attribute__((visibility("default"))) Kv::IServerAddIn* GetIAddIn();
