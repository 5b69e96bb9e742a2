#include "Wyn/Objects/BBox.h"

#include <algorithm>
#include <limits>

namespace Wyn::Objects {
namespace {

constexpr double kHuge = std::numeric_limits<double>::max();

} // namespace

BBox::BBox() {
    clear();
}

BBox::BBox(const ZkGePoint3d& a, const ZkGePoint3d& b) {
    set(a, b);
}

BBox& BBox::clear() {
    m_min = ZkGePoint3d(kHuge, kHuge, kHuge);
    m_max = ZkGePoint3d(-kHuge, -kHuge, -kHuge);
    return *this;
}

BBox& BBox::set(const ZkGePoint3d& a, const ZkGePoint3d& b) {
    m_min = ZkGePoint3d(std::min(a.x, b.x), std::min(a.y, b.y), std::min(a.z, b.z));
    m_max = ZkGePoint3d(std::max(a.x, b.x), std::max(a.y, b.y), std::max(a.z, b.z));
    return *this;
}

BBox& BBox::extend(const ZkGePoint3d& p) {
    m_min = ZkGePoint3d(std::min(m_min.x, p.x), std::min(m_min.y, p.y), std::min(m_min.z, p.z));
    m_max = ZkGePoint3d(std::max(m_max.x, p.x), std::max(m_max.y, p.y), std::max(m_max.z, p.z));
    return *this;
}

BBox& BBox::extend(const BBox& other) {
    if (!other.isEmpty()) {
        extend(other.m_min);
        extend(other.m_max);
    }
    return *this;
}

BBox& BBox::transformBy(const ZkGeMatrix3d& m) {
    if (isEmpty())
        return *this;
    const ZkGePoint3d lo = m_min;
    const ZkGePoint3d hi = m_max;
    clear();
    for (int corner = 0; corner < 8; ++corner) {
        ZkGePoint3d p((corner & 1) ? hi.x : lo.x, (corner & 2) ? hi.y : lo.y,
                      (corner & 4) ? hi.z : lo.z);
        extend(p.transformBy(m));
    }
    return *this;
}

} // namespace Wyn::Objects
