#pragma once

#include "Wyn/Graphics/ARenderNode.h"
#include "Wyn/Objects/Color.h"

#include "ZkGePoint3d.h"

#include <string>
#include <vector>

namespace Wyn::Scene {

// One thing to draw, taken from one node with the attributes in force there.
// Geometry is in view coordinates, except for screen-sized items, whose
// points are pixel offsets (x right, y up) from their anchor.
struct DrawItem {
    enum class Kind {
        Points,    // each path is one point, drawn as a dot of the line width
        Lines,     // each path is stroked
        Triangles, // each path is a filled triangle
        Image,     // the image is painted over the box of the triangles
        Fill,      // the closed paths are filled together (glyph outlines)
    };

    Kind kind = Kind::Lines;
    const Graphics::ARenderNode* node = nullptr;
    int depthPriority = 0;
    size_t order = 0; // traversal order, which breaks ties of priority

    Objects::Color color;
    double lineWidth = 1.0;
    std::vector<double> dashes;
    std::string imagePath;

    std::vector<std::vector<ZkGePoint3d>> paths;
    bool screenSized = false;
    ZkGePoint3d anchor; // view coordinates, for screen-sized items

    // Hidden items are only listed when asked for (picking finds hidden
    // but selectable nodes, such as the shared ends of sketch lines).
    bool hidden = false;
    bool selectable = true;
    int selectionKind = 0;
    std::string qualifier;
};

} // namespace Wyn::Scene
