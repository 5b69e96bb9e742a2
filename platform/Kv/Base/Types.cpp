#include "Kv/Base/Types.h"

#include "Kv/Base/Utf8.h"

#include "ZkGeFormat.h"
#include "ZkGePoint3d.h"

namespace Kv::Types {

std::wstring Point3dToString(const ZkGePoint3d& point) {
    return Utf8::toWide(ZkGeFormat::toString(point));
}

} // namespace Kv::Types
