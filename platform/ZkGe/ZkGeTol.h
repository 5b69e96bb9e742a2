#pragma once

// The distances below which two points, or two vectors, count as the same.
class ZkGeTol {
public:
    constexpr ZkGeTol() = default;
    constexpr ZkGeTol(double equalPoint, double equalVector)
        : m_equalPoint(equalPoint)
        , m_equalVector(equalVector) {}

    double equalPoint() const { return m_equalPoint; }
    double equalVector() const { return m_equalVector; }
    void setEqualPoint(double value) { m_equalPoint = value; }
    void setEqualVector(double value) { m_equalVector = value; }

private:
    double m_equalPoint = 1e-10;
    double m_equalVector = 1e-12;
};
