#include "Geometry/sketch3d/DeleteCurvatureRequest.h"

#include "Geometry/curves3d/CurvatureHandle.h"
#include "Geometry/curves3d/Spline3D.h"
#include "Geometry/sketch3d/CurveUses.h"

namespace Kv {

DeleteCurvatureRequest*
DeleteCurvatureRequest::make(Asset* asset, const PassiveRef<Geometry::Geometry3D>& target) {
    return new DeleteCurvatureRequest(asset, target);
}

std::string DeleteCurvatureRequest::name() const {
    return "Delete curvature handle";
}

void DeleteCurvatureRequest::onExecute(Status& status) {
    const StrongRef<Geometry::CurvatureHandle> handle(
        queryInterface<Geometry::CurvatureHandle>(target().getTarget()));
    if (handle)
        m_splines.editSplines(handle->curveUses().get(), [&](Geometry::Spline3D& spline) {
            spline.removeCurvature(handle);
            return true;
        });
    DeleteGeometry3DRequest::onExecute(status);
}

void DeleteCurvatureRequest::onPostExecute(Status& status) {
    m_splines.updateAll();
    DeleteGeometry3DRequest::onPostExecute(status);
}

} // namespace Kv
