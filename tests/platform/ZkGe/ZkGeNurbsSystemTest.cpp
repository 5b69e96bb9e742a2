#include "ZkGeNurbsSystem.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <random>

namespace {

// Fills a system from a matrix given by its entries and a known solution,
// solves it and returns the largest error.
double solveError(int n, const std::function<double(int, int)>& entry) {
    std::mt19937 rng(n);
    std::uniform_real_distribution<double> value(-5, 5);
    std::vector<double> x(static_cast<size_t>(2 * n));
    for (double& v : x)
        v = value(rng);
    ZkGeNurbsSystem system(n, 2);
    for (int r = 0; r < n; ++r) {
        double b0 = 0;
        double b1 = 0;
        for (int c = 0; c < n; ++c) {
            const double a = entry(r, c);
            if (a == 0)
                continue;
            system.addEntry(r, c, a);
            b0 += a * x[static_cast<size_t>(c)];
            b1 += a * x[static_cast<size_t>(n + c)];
        }
        system.setRhs(r, 0, b0);
        system.setRhs(r, 1, b1);
    }
    if (!system.solve())
        return INFINITY;
    double error = 0;
    for (int i = 0; i < n; ++i) {
        error = std::max(error, std::abs(system.solution(i, 0) - x[static_cast<size_t>(i)]));
        error = std::max(error, std::abs(system.solution(i, 1) - x[static_cast<size_t>(n + i)]));
    }
    return error;
}

} // namespace

TEST(ZkGeNurbsSystem, SolvesBandedCyclicAndGeneralSystems) {
    // Banded, with a zero on the diagonal that only pivoting gets past.
    EXPECT_LT(solveError(50,
                         [](int r, int c) {
                             if (r == c)
                                 return r == 10 ? 0.0 : 4.0;
                             return std::abs(r - c) <= 2 ? 1.0 / (1 + r + c) : 0.0;
                         }),
              1e-10);
    // Cyclic tridiagonal: the corners wrap around.
    for (const int n : {3, 4, 9, 1000}) {
        EXPECT_LT(solveError(n,
                             [n](int r, int c) {
                                 const int d = (c - r + n) % n;
                                 return d == 0 ? 4.0 : d == 1 ? 1.0 : d == n - 1 ? 2.0 : 0.0;
                             }),
                  1e-10)
            << n;
    }
    // No band at all: an arrow matrix with a full first row and column.
    EXPECT_LT(solveError(300,
                         [](int r, int c) {
                             if (r == c)
                                 return 10.0;
                             return r == 0 || c == 0 ? 0.01 * (r + c) : 0.0;
                         }),
              1e-10);
}

TEST(ZkGeNurbsSystem, ReportsSingularMatrices) {
    EXPECT_EQ(solveError(5, [](int r, int c) { return r == c && r != 3 ? 1.0 : 0.0; }), INFINITY);
    // The last row repeats the first.
    EXPECT_EQ(solveError(200, [](int r, int c) { return r == 199 ? c == 0 : r == c; }), INFINITY);
}
