#pragma once

#include <functional>

// Numerical integration over a parameter range, for arc lengths that have no
// closed form (ellipses, NURBS).
class ZkGeQuadrature {
public:
    // The integral of f over [from, to] (negative when to < from) by
    // adaptive 15-point Gauss-Kronrod rules: the piece with the largest error
    // estimate is halved until the estimates add up to at most relTol times
    // the result. The range starts out in initialPieces equal pieces, so a
    // narrow feature is less likely to slip between the first nodes.
    static double integrate(const std::function<double(double)>& f, double from, double to,
                            double relTol = 1e-10, int initialPieces = 8);
};
