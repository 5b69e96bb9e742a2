#pragma once

#include "Geometry/sketch3d/DeleteGeometry3DRequest.h"

namespace Kv {

namespace Geometry {
class Text;
}

// Deletes a sketch text, and with it its border lines unless asked to leave
// them; left borders stay in the sketch as lines that no text follows.
class DeleteTextRequest : public DeleteGeometry3DRequest {
public:
    // The request is the caller's until destroy().
    static DeleteTextRequest* make(Asset* asset, const PassiveRef<Geometry::Text>& target);

    bool deleteBorder() const { return m_deleteBorder; }
    void deleteBorder(bool deleteBorder) { m_deleteBorder = deleteBorder; }
    std::string name() const override;

protected:
    DeleteTextRequest(Asset* asset, const PassiveRef<Geometry::Text>& target);

    void onExecute(Status& status) override;

private:
    bool m_deleteBorder = true;
};

} // namespace Kv
