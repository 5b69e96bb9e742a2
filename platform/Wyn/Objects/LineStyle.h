#pragma once

#include <string>
#include <vector>

namespace Wyn::Objects {

// How a line is stroked: its weight in pixels and an optional dash pattern,
// named as drafting patterns are ("CENTER", "DASHED", "HIDDEN", "PHANTOM",
// "DOT", "DASHDOT"); the pattern's lengths are multiples of the x-scale.
class LineStyle {
public:
    LineStyle() = default;
    explicit LineStyle(double weight, std::string pattern = {}, double xScale = 1.0)
        : m_weight(weight)
        , m_pattern(std::move(pattern))
        , m_xScale(xScale) {}

    double weight() const { return m_weight; }
    void weight(double weight) { m_weight = weight; }
    const std::string& pattern() const { return m_pattern; }
    void pattern(const std::string& pattern) { m_pattern = pattern; }
    double xScale() const { return m_xScale; }
    void xScale(double xScale) { m_xScale = xScale; }

    // On and off lengths in pixels, starting with a dash; empty for a solid
    // line. A pattern the table does not know draws solid rather than not at
    // all, so a document naming a pattern from elsewhere still shows its lines.
    std::vector<double> dashes() const;
    static bool isKnownPattern(const std::string& pattern);

    bool operator==(const LineStyle& o) const {
        return m_weight == o.m_weight && m_pattern == o.m_pattern && m_xScale == o.m_xScale;
    }
    bool operator!=(const LineStyle& o) const { return !(*this == o); }

private:
    double m_weight = 1.0;
    std::string m_pattern;
    double m_xScale = 1.0;
};

} // namespace Wyn::Objects
