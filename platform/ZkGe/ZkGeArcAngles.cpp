#include "ZkGeArcAngles.h"

#include <algorithm>
#include <cmath>

namespace {

// The angle's offset past start, in [0, 2 pi).
double offsetFrom(double angle, double start) {
    double offset = std::fmod(angle - start, ZkGeArcAngles::kTwoPi);
    if (offset < 0.0)
        offset += ZkGeArcAngles::kTwoPi;
    // Rounding just below start, or offset + 2 pi rounding up to 2 pi.
    if (offset >= ZkGeArcAngles::kTwoPi - ZkGeArcAngles::kTurnEps)
        offset = 0.0;
    return offset;
}

} // namespace

double ZkGeArcAngles::sweptEnd(double start, double end) {
    double sweep = end - start;
    if (sweep > 0.0 && sweep <= kTwoPi)
        return end;
    sweep = std::fmod(sweep, kTwoPi);
    if (sweep < 0.0)
        sweep += kTwoPi;
    if (sweep <= kTurnEps || sweep >= kTwoPi - kTurnEps)
        sweep = kTwoPi;
    return start + sweep;
}

double ZkGeArcAngles::fromComponents(double y, double x) {
    double angle = std::atan2(y, x);
    if (angle < 0.0)
        angle += kTwoPi;
    // -tiny + 2 pi rounds to 2 pi itself, which is outside the range.
    return angle < kTwoPi ? angle : 0.0;
}

bool ZkGeArcAngles::findInArc(double angle, double start, double end, double& inArc) {
    const double offset = offsetFrom(angle, start);
    if (offset > end - start)
        return false;
    inArc = std::min(start + offset, end);
    return true;
}

double ZkGeArcAngles::clampToArc(double angle, double start, double end) {
    const double offset = offsetFrom(angle, start);
    const double sweep = end - start;
    if (offset <= sweep)
        return std::min(start + offset, end);
    return offset - sweep <= kTwoPi - offset ? end : start;
}
