#include "Geometry/sketch3d/DeleteTextRequest.h"

#include "Geometry/text/Text.h"
#include "Geometry/text/TextBorder.h"

namespace Kv {

DeleteTextRequest* DeleteTextRequest::make(Asset* asset, const PassiveRef<Geometry::Text>& target) {
    return new DeleteTextRequest(asset, target);
}

DeleteTextRequest::DeleteTextRequest(Asset* asset, const PassiveRef<Geometry::Text>& target)
    : DeleteGeometry3DRequest(asset, PassiveRef<Geometry::Geometry3D>(target.getTarget())) {}

std::string DeleteTextRequest::name() const {
    return "Delete text";
}

void DeleteTextRequest::onExecute(Status& status) {
    if (auto* text = queryInterface<Geometry::Text>(target().getTarget())) {
        if (m_deleteBorder) {
            for (const StrongRef<Geometry::TextBorder>& border : text->borderLines()) {
                if (!border)
                    continue;
                Request* request = DeleteGeometry3DRequest::make(
                    asset(0), PassiveRef<Geometry::Geometry3D>(border.get()));
                request->execute(status);
                request->destroy();
            }
        } else {
            // The text takes the border lines it still knows with it when it
            // goes, so it lets go of them first.
            text->detachBorders();
        }
    }
    DeleteGeometry3DRequest::onExecute(status);
}

} // namespace Kv
