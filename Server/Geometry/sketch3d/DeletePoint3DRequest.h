#pragma once

#include "Geometry/sketch3d/CurvesToUpdate.h"
#include "Geometry/sketch3d/DeleteGeometry3DRequest.h"

namespace Kv {

// Deletes a sketch point. Splines that keep enough fit points without it
// (three open, four closed) let go of it, with its handles, and are fitted
// again afterwards; splines that would not keep enough hold on to it, and
// then the point stays in the sketch.
class DeletePoint3DRequest : public DeleteGeometry3DRequest {
public:
    // The request is the caller's until destroy().
    static DeletePoint3DRequest* make(Asset* asset, const PassiveRef<Geometry::Geometry3D>& target);

    std::string name() const override;

protected:
    using DeleteGeometry3DRequest::DeleteGeometry3DRequest;

    void onExecute(Status& status) override;
    void onPostExecute(Status& status) override;

private:
    Geometry::CurvesToUpdate m_splines;
};

} // namespace Kv
