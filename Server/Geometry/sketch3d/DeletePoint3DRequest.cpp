#include "Geometry/sketch3d/DeletePoint3DRequest.h"

#include "Geometry/curves3d/Spline3D.h"
#include "Geometry/sketch3d/CurveUses.h"
#include "Geometry/sketch3d/Point3D.h"

namespace Kv {

DeletePoint3DRequest* DeletePoint3DRequest::make(Asset* asset,
                                                 const PassiveRef<Geometry::Geometry3D>& target) {
    return new DeletePoint3DRequest(asset, target);
}

std::string DeletePoint3DRequest::name() const {
    return "Delete point";
}

void DeletePoint3DRequest::onExecute(Status& status) {
    const StrongRef<Geometry::Point3D> point(
        queryInterface<Geometry::Point3D>(target().getTarget()));
    if (point) {
        m_splines.editSplines(point->curveUses().get(), [&](Geometry::Spline3D& spline) {
            // Fewer fit points than these make no spline.
            if (spline.fitPoints() < (spline.isClosed() ? 4 : 3))
                return false;
            spline.removePointUse(point);
            return true;
        });
        point->removeIfNoUse();
        // A spline that needs the point keeps it where it is.
        if (point->curveUses() && point->curveUses()->geometriesCount() > 0)
            return;
    }
    DeleteGeometry3DRequest::onExecute(status);
}

void DeletePoint3DRequest::onPostExecute(Status& status) {
    m_splines.updateAll();
    DeleteGeometry3DRequest::onPostExecute(status);
}

} // namespace Kv
