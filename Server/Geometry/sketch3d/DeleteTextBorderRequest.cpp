#include "Geometry/sketch3d/DeleteTextBorderRequest.h"

#include "Geometry/text/Text.h"
#include "Geometry/text/TextBorder.h"

namespace Kv {
namespace {

// Deletes one entity through a request of its own inside the running one.
void deleteNested(Asset* asset, Geometry::Geometry3D* target, Status& status) {
    Request* request =
        DeleteGeometry3DRequest::make(asset, PassiveRef<Geometry::Geometry3D>(target));
    request->execute(status);
    request->destroy();
}

} // namespace

DeleteTextBorderRequest*
DeleteTextBorderRequest::make(Asset* asset, const PassiveRef<Geometry::TextBorder>& target) {
    return new DeleteTextBorderRequest(asset, target);
}

DeleteTextBorderRequest::DeleteTextBorderRequest(Asset* asset,
                                                 const PassiveRef<Geometry::TextBorder>& target)
    : DeleteGeometry3DRequest(asset, PassiveRef<Geometry::Geometry3D>(target.getTarget())) {}

std::string DeleteTextBorderRequest::name() const {
    return "Delete text border";
}

void DeleteTextBorderRequest::onExecute(Status& status) {
    auto* border = queryInterface<Geometry::TextBorder>(target().getTarget());
    if (Geometry::Text* text = border ? border->text().getTarget() : nullptr) {
        const std::vector<StrongRef<Geometry::TextBorder>> box = text->borderLines();
        deleteNested(asset(0), text, status);
        for (const StrongRef<Geometry::TextBorder>& other : box)
            if (other && other.get() != border)
                deleteNested(asset(0), other.get(), status);
    }
    DeleteGeometry3DRequest::onExecute(status);
}

} // namespace Kv
