#pragma once

#include "Kv/Base/PassiveRef.h"
#include "Kv/DataModel/Request.h"

namespace Kv {

namespace Geometry {
class Geometry3D;
}

// Deletes one piece of sketch or work geometry: its parent group lets go of
// it, and the entity's own pre-deletion hook releases what it used (a curve
// leaves its points' use lists and takes unused points with it). Undone as
// one transaction.
class DeleteGeometry3DRequest : public Request {
public:
    // The request is the caller's until destroy().
    static DeleteGeometry3DRequest* make(Asset* asset,
                                         const PassiveRef<Geometry::Geometry3D>& target);

    const PassiveRef<Geometry::Geometry3D>& target() const { return m_target; }
    std::string name() const override;

protected:
    DeleteGeometry3DRequest(Asset* asset, const PassiveRef<Geometry::Geometry3D>& target);

    // A target that is gone, has no parent or whose parent is no managed
    // group is left alone without a complaint.
    void onExecute(Status& status) override;

private:
    PassiveRef<Geometry::Geometry3D> m_target;
};

} // namespace Kv
