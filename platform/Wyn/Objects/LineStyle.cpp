#include "Wyn/Objects/LineStyle.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <map>

namespace Wyn::Objects {
namespace {

// Lengths in units of the x-scale; a zero-length dash is a dot (lines are
// drawn with round caps).
const std::map<std::string, std::vector<double>>& patterns() {
    static const std::map<std::string, std::vector<double>> table = {
        {"CONTINUOUS", {}},
        {"CENTER", {1.25, 0.25, 0.25, 0.25}},
        {"DASHED", {0.5, 0.25}},
        {"HIDDEN", {0.25, 0.125}},
        {"PHANTOM", {1.25, 0.25, 0.25, 0.25, 0.25, 0.25}},
        {"DOT", {0.0, 0.25}},
        {"DASHDOT", {0.5, 0.25, 0.0, 0.25}},
    };
    return table;
}

std::string upper(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return s;
}

} // namespace

bool LineStyle::isKnownPattern(const std::string& pattern) {
    return pattern.empty() || patterns().count(upper(pattern)) != 0;
}

std::vector<double> LineStyle::dashes() const {
    if (m_pattern.empty())
        return {};
    auto it = patterns().find(upper(m_pattern));
    if (it == patterns().end())
        return {};
    std::vector<double> lengths = it->second;
    const double scale = std::fabs(m_xScale) > 0.0 ? std::fabs(m_xScale) : 1.0;
    for (double& length : lengths)
        length *= scale;
    return lengths;
}

} // namespace Wyn::Objects
