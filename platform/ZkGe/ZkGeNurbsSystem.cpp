#include "ZkGeNurbsSystem.h"

#include <Eigen/Sparse>
#include <Eigen/SparseLU>

#include <algorithm>
#include <cmath>

namespace {

// Beyond this the band is no band, and a general sparse factorisation wins.
constexpr int kMaxBand = 64;

} // namespace

ZkGeNurbsSystem::ZkGeNurbsSystem(int size, int numRhs)
    : m_size(size)
    , m_numRhs(numRhs)
    , m_values(static_cast<std::size_t>(size) * static_cast<std::size_t>(numRhs), 0.0) {}

void ZkGeNurbsSystem::addEntry(int row, int col, double value) {
    m_entries.push_back({row, col, value});
}

void ZkGeNurbsSystem::setRhs(int row, int rhs, double value) {
    m_values[slot(row, rhs)] = value;
}

bool ZkGeNurbsSystem::solve() {
    if (m_size == 0)
        return true;
    // Numbering the unknowns 0, n-1, 1, n-2, ... (rows alike) brings the
    // wrapped corners of a cyclic band next to the diagonal, at the price of
    // doubling the band; the natural order is kept when it is narrower.
    std::vector<int> natural(static_cast<std::size_t>(m_size));
    std::vector<int> folded(static_cast<std::size_t>(m_size));
    for (int i = 0; i < m_size; ++i) {
        natural[static_cast<std::size_t>(i)] = i;
        folded[static_cast<std::size_t>(i)] = i < m_size - i ? 2 * i : 2 * (m_size - 1 - i) + 1;
    }
    const auto band = [&](const std::vector<int>& order) {
        int width = 0;
        for (const Entry& e : m_entries) {
            width = std::max(width, std::abs(order[static_cast<std::size_t>(e.row)] -
                                             order[static_cast<std::size_t>(e.col)]));
        }
        return width;
    };
    const int naturalBand = band(natural);
    const std::vector<int>& order = naturalBand <= band(folded) ? natural : folded;
    if (band(order) > kMaxBand)
        return solveSparse();
    return solveBanded(order);
}

// Gaussian elimination with partial pivoting inside the band. Row i keeps
// columns i - kl .. i + kl + ku: pivoting can move a row up by at most kl,
// which widens its upper band by as much.
bool ZkGeNurbsSystem::solveBanded(const std::vector<int>& order) {
    const int n = m_size;
    int kl = 0;
    int ku = 0;
    for (const Entry& e : m_entries) {
        const int r = order[static_cast<std::size_t>(e.row)];
        const int c = order[static_cast<std::size_t>(e.col)];
        kl = std::max(kl, r - c);
        ku = std::max(ku, c - r);
    }
    const int width = 2 * kl + ku + 1;
    std::vector<double> a(static_cast<std::size_t>(n) * static_cast<std::size_t>(width), 0.0);
    const auto at = [&](int row, int col) -> double& {
        return a[static_cast<std::size_t>(row) * static_cast<std::size_t>(width) +
                 static_cast<std::size_t>(col - row + kl)];
    };
    for (const Entry& e : m_entries)
        at(order[static_cast<std::size_t>(e.row)], order[static_cast<std::size_t>(e.col)]) +=
            e.value;
    std::vector<double> b(static_cast<std::size_t>(n) * static_cast<std::size_t>(m_numRhs));
    const auto rhs = [&](int row, int k) -> double& {
        return b[static_cast<std::size_t>(row) * static_cast<std::size_t>(m_numRhs) +
                 static_cast<std::size_t>(k)];
    };
    for (int i = 0; i < n; ++i) {
        for (int k = 0; k < m_numRhs; ++k)
            rhs(order[static_cast<std::size_t>(i)], k) = m_values[slot(i, k)];
    }

    double scale = 0.0;
    for (const double v : a)
        scale = std::max(scale, std::abs(v));
    const double tiny = scale * 1e-14;
    for (int k = 0; k < n; ++k) {
        const int lastRow = std::min(n - 1, k + kl);
        const int lastCol = std::min(n - 1, k + kl + ku);
        int pivot = k;
        for (int i = k + 1; i <= lastRow; ++i) {
            if (std::abs(at(i, k)) > std::abs(at(pivot, k)))
                pivot = i;
        }
        if (!(std::abs(at(pivot, k)) > tiny))
            return false;
        if (pivot != k) {
            // Both rows hold columns k .. lastCol in their windows.
            for (int j = k; j <= lastCol; ++j)
                std::swap(at(k, j), at(pivot, j));
            for (int r = 0; r < m_numRhs; ++r)
                std::swap(rhs(k, r), rhs(pivot, r));
        }
        for (int i = k + 1; i <= lastRow; ++i) {
            const double factor = at(i, k) / at(k, k);
            if (factor == 0.0)
                continue;
            at(i, k) = 0.0;
            for (int j = k + 1; j <= lastCol; ++j)
                at(i, j) -= factor * at(k, j);
            for (int r = 0; r < m_numRhs; ++r)
                rhs(i, r) -= factor * rhs(k, r);
        }
    }
    for (int i = n - 1; i >= 0; --i) {
        const int lastCol = std::min(n - 1, i + kl + ku);
        for (int r = 0; r < m_numRhs; ++r) {
            double sum = rhs(i, r);
            for (int j = i + 1; j <= lastCol; ++j)
                sum -= at(i, j) * rhs(j, r);
            rhs(i, r) = sum / at(i, i);
        }
    }
    for (int i = 0; i < n; ++i) {
        for (int k = 0; k < m_numRhs; ++k)
            m_values[slot(i, k)] = rhs(order[static_cast<std::size_t>(i)], k);
    }
    return true;
}

bool ZkGeNurbsSystem::solveSparse() {
    std::vector<Eigen::Triplet<double>> triplets;
    triplets.reserve(m_entries.size());
    for (const Entry& e : m_entries)
        triplets.emplace_back(e.row, e.col, e.value);
    Eigen::SparseMatrix<double> matrix(m_size, m_size);
    matrix.setFromTriplets(triplets.begin(), triplets.end());
    matrix.makeCompressed();
    Eigen::SparseLU<Eigen::SparseMatrix<double>, Eigen::COLAMDOrdering<int>> lu;
    lu.analyzePattern(matrix);
    lu.factorize(matrix);
    if (lu.info() != Eigen::Success)
        return false;
    const Eigen::Map<const Eigen::MatrixXd> rhs(m_values.data(), m_size, m_numRhs);
    const Eigen::MatrixXd x = lu.solve(rhs);
    if (lu.info() != Eigen::Success || !x.allFinite())
        return false;
    Eigen::Map<Eigen::MatrixXd>(m_values.data(), m_size, m_numRhs) = x;
    return true;
}
