#pragma once

#include "Kv/Base/Color.h"

#include <string>

namespace Kv::Geometry {

// The look of a sketch text, handed over as one bundle when a text is made
// and read back from its members.
struct FontStyle {
    std::wstring faceName = L"Arial";
    Color color = Color(0.0f, 0.0f, 0.0f, 1.0f);
    double height = 10.0;
    double width = 0.0;
    double angle = 0.0; // radians
    int charset = 0;
    // Passed to the text style of the text node; not kept with the text's data.
    int styleCode = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool shx = false;
};

} // namespace Kv::Geometry
