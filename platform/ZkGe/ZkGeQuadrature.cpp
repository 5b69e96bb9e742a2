#include "ZkGeQuadrature.h"

#include <algorithm>
#include <cmath>
#include <queue>
#include <vector>

namespace {

// Kronrod nodes on [-1, 1] (only the non-negative half; the rule is
// symmetric); the odd ones are also the 7-point Gauss nodes.
constexpr double kNodes[8] = {
    0.991455371120812639206854697526329, 0.949107912342758524526189684047851,
    0.864864423359769072789712788640926, 0.741531185599394439863864773280788,
    0.586087235467691130294144845693013, 0.405845151377397166906606412076961,
    0.207784955007898467600689403773245, 0.0};
constexpr double kKronrodWeights[8] = {
    0.022935322010529224963732008058970, 0.063092092629978553290700663189204,
    0.104790010322250183839876322541518, 0.140653259715525918745189590510238,
    0.169004726639267902826583426598550, 0.190350578064785409913256402421014,
    0.204432940075298892414161999234649, 0.209482141084727828012999174891714};
// For the Gauss nodes kNodes[1], kNodes[3], kNodes[5], kNodes[7].
constexpr double kGaussWeights[4] = {
    0.129484966168869693270611432679082, 0.279705391489276667901467771423780,
    0.381830050505118944950369775488975, 0.417959183673469387755102040816327};

// The sum keeps growing in tiny steps while rounding noise dominates the
// error estimate; past this many pieces more halving will not help.
constexpr int kMaxPieces = 4000;

struct Piece {
    double a;
    double b;
    double value;
    double error;
    bool operator<(const Piece& p) const { return error < p.error; }
};

Piece rule(const std::function<double(double)>& f, double a, double b) {
    const double mid = 0.5 * (a + b);
    const double half = 0.5 * (b - a);
    const double center = f(mid);
    double kronrod = center * kKronrodWeights[7];
    double gauss = center * kGaussWeights[3];
    for (int i = 0; i < 7; ++i) {
        const double dx = half * kNodes[i];
        const double pair = f(mid - dx) + f(mid + dx);
        kronrod += kKronrodWeights[i] * pair;
        if (i % 2 == 1)
            gauss += kGaussWeights[i / 2] * pair;
    }
    return {a, b, kronrod * half, std::abs((kronrod - gauss) * half)};
}

} // namespace

double ZkGeQuadrature::integrate(const std::function<double(double)>& f, double from, double to,
                                 double relTol, int initialPieces) {
    if (from == to)
        return 0.0;
    if (to < from)
        return -integrate(f, to, from, relTol, initialPieces);

    std::priority_queue<Piece> pieces;
    double total = 0.0;
    double error = 0.0;
    const int n = std::max(initialPieces, 1);
    for (int i = 0; i < n; ++i) {
        const double a = from + (to - from) * i / n;
        const double b = i + 1 == n ? to : from + (to - from) * (i + 1) / n;
        const Piece piece = rule(f, a, b);
        total += piece.value;
        error += piece.error;
        pieces.push(piece);
    }
    while (error > relTol * std::abs(total) && static_cast<int>(pieces.size()) < kMaxPieces) {
        const Piece worst = pieces.top();
        const double mid = 0.5 * (worst.a + worst.b);
        if (!(mid > worst.a && mid < worst.b))
            break; // the piece cannot be halved in double precision
        pieces.pop();
        const Piece left = rule(f, worst.a, mid);
        const Piece right = rule(f, mid, worst.b);
        total += left.value + right.value - worst.value;
        error += left.error + right.error - worst.error;
        pieces.push(left);
        pieces.push(right);
    }
    // Summing afresh drops the rounding the running updates collected.
    total = 0.0;
    while (!pieces.empty()) {
        total += pieces.top().value;
        pieces.pop();
    }
    return total;
}
