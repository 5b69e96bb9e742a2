#pragma once

#include "Wyn/Objects/TexCoord.h"

namespace Kv::Scene {

// Texture coordinates as meshes take them (u right, v down, 0..1).
using TexCoord = Wyn::Objects::TexCoord;

} // namespace Kv::Scene
