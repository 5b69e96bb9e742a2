#include "Geometry/sketch3d/DeleteTangentRequest.h"

#include "Geometry/curves3d/Spline3D.h"
#include "Geometry/curves3d/TangentHandle.h"
#include "Geometry/sketch3d/CurveUses.h"

namespace Kv {

DeleteTangentRequest* DeleteTangentRequest::make(Asset* asset,
                                                 const PassiveRef<Geometry::Geometry3D>& target) {
    return new DeleteTangentRequest(asset, target);
}

std::string DeleteTangentRequest::name() const {
    return "Delete tangent handle";
}

void DeleteTangentRequest::onExecute(Status& status) {
    const StrongRef<Geometry::TangentHandle> handle(
        queryInterface<Geometry::TangentHandle>(target().getTarget()));
    if (handle)
        m_splines.editSplines(handle->curveUses().get(), [&](Geometry::Spline3D& spline) {
            spline.removeTangent(handle);
            return true;
        });
    DeleteGeometry3DRequest::onExecute(status);
}

void DeleteTangentRequest::onPostExecute(Status& status) {
    m_splines.updateAll();
    DeleteGeometry3DRequest::onPostExecute(status);
}

} // namespace Kv
