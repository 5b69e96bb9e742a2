#pragma once

#include <string>

class ZkGePoint3d;

// Text forms of kernel values as the host shows them to users. The numbers
// come from the kernel's own formatting, so that what users see matches what
// diagnostics and documents print.
namespace Kv::Types {

// "(x, y, z)", each coordinate in its shortest round-trip form.
std::wstring Point3dToString(const ZkGePoint3d& point);

} // namespace Kv::Types
