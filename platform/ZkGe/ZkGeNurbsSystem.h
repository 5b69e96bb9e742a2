#pragma once

#include <cstddef>
#include <vector>

// A square sparse linear system with several right-hand sides, as spline
// interpolation produces: each row holds the few basis functions that are
// non-zero at one parameter, so the matrix is banded, with wrap-around
// corners for closed curves. Banded Gaussian elimination solves it in time
// linear in its size.
class ZkGeNurbsSystem {
public:
    ZkGeNurbsSystem(int size, int numRhs);

    int size() const { return m_size; }
    // Entries added twice to the same place are summed.
    void addEntry(int row, int col, double value);
    void setRhs(int row, int rhs, double value);
    // Solves in place; afterwards solution(row, rhs) reads the result. False
    // when the matrix is singular.
    bool solve();
    double solution(int row, int rhs) const { return m_values[slot(row, rhs)]; }

private:
    struct Entry {
        int row;
        int col;
        double value;
    };

    std::size_t slot(int row, int rhs) const {
        return static_cast<std::size_t>(rhs) * static_cast<std::size_t>(m_size) +
               static_cast<std::size_t>(row);
    }
    bool solveBanded(const std::vector<int>& order);
    bool solveSparse();

    int m_size;
    int m_numRhs;
    std::vector<Entry> m_entries;
    std::vector<double> m_values; // right-hand sides, then the solution; column-major
};
