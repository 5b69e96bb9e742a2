#pragma once

#include "Geometry/sketch3d/CurvesToUpdate.h"
#include "Geometry/sketch3d/DeleteGeometry3DRequest.h"

namespace Kv {

// Deletes a tangent handle: every spline using it lets go of it (which
// takes the handle and its points out of the sketch once none is left) and
// is fitted again afterwards.
class DeleteTangentRequest : public DeleteGeometry3DRequest {
public:
    // The request is the caller's until destroy().
    static DeleteTangentRequest* make(Asset* asset, const PassiveRef<Geometry::Geometry3D>& target);

    std::string name() const override;

protected:
    using DeleteGeometry3DRequest::DeleteGeometry3DRequest;

    void onExecute(Status& status) override;
    void onPostExecute(Status& status) override;

private:
    Geometry::CurvesToUpdate m_splines;
};

} // namespace Kv
