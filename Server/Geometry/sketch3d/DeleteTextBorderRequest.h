#pragma once

#include "Geometry/sketch3d/DeleteGeometry3DRequest.h"

namespace Kv {

namespace Geometry {
class TextBorder;
}

// Deletes a text border line, which takes the whole text with it: the text
// and all four of its border lines go.
class DeleteTextBorderRequest : public DeleteGeometry3DRequest {
public:
    // The request is the caller's until destroy().
    static DeleteTextBorderRequest* make(Asset* asset,
                                         const PassiveRef<Geometry::TextBorder>& target);

    std::string name() const override;

protected:
    DeleteTextBorderRequest(Asset* asset, const PassiveRef<Geometry::TextBorder>& target);

    void onExecute(Status& status) override;
};

} // namespace Kv
