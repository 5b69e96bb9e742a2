#pragma once

#include "Kv/Scene/ArgbColor.h"

#include <map>
#include <string>
#include <vector>

namespace Kv::Scene {

// A display theme: the colours entities take when they follow the
// environment instead of their own colours. Every colour the entities read
// has a built-in value, so a theme file names only what it changes.
class Environment {
public:
    // An environment with the built-in colours.
    explicit Environment(std::string name);

    // Reads a theme file:
    //   <Environment name="Default">
    //     <Color name="sketchLineColor" argb="1 0.05 0.05 0.6"/>
    //   </Environment>
    // Throws Kv::XmlError naming the file and line for a file that is not
    // well-formed, has another root element, or a colour without a name or
    // without exactly four numbers between 0 and 1.
    static Environment load(const std::string& path);

    const std::string& name() const { return m_name; }

    // Throws std::out_of_range naming the environment and the colour when the
    // environment has no colour of that name.
    const ArgbColor& color(const std::string& name) const;
    void color(const std::string& name, const ArgbColor& value) { m_colors[name] = value; }
    bool hasColor(const std::string& name) const { return m_colors.count(name) != 0; }
    std::vector<std::string> colorNames() const;

    const ArgbColor& backgroundColor() const { return color("backgroundColor"); }
    const ArgbColor& sketchLineColor() const { return color("sketchLineColor"); }
    const ArgbColor& sketchFixedLineColor() const { return color("sketchFixedLineColor"); }
    const ArgbColor& sketchtextColor() const { return color("sketchtextColor"); }
    const ArgbColor& sketchInferenceColor() const { return color("sketchInferenceColor"); }
    const ArgbColor& textBorderColor() const { return color("textBorderColor"); }
    const ArgbColor& workPlaneColor() const { return color("workPlaneColor"); }
    const ArgbColor& workAxisColor() const { return color("workAxisColor"); }
    const ArgbColor& originXAxisColor() const { return color("originXAxisColor"); }
    const ArgbColor& originYAxisColor() const { return color("originYAxisColor"); }
    const ArgbColor& originZAxisColor() const { return color("originZAxisColor"); }

private:
    std::string m_name;
    std::map<std::string, ArgbColor> m_colors;
};

} // namespace Kv::Scene
