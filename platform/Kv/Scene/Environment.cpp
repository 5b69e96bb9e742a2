#include "Kv/Scene/Environment.h"

#include "Kv/Base/XMLUtility.h"

#include <libxml/tree.h>

#include <sstream>
#include <stdexcept>

namespace Kv::Scene {
namespace {

// The colours of a light drafting theme, used wherever a theme file is
// silent.
const std::map<std::string, ArgbColor>& builtInColors() {
    static const std::map<std::string, ArgbColor> colors = {
        {"backgroundColor", {1.0f, 1.0f, 1.0f, 1.0f}},
        {"sketchLineColor", {1.0f, 0.05f, 0.15f, 0.55f}},
        {"sketchFixedLineColor", {1.0f, 0.0f, 0.4f, 0.0f}},
        {"sketchtextColor", {1.0f, 0.1f, 0.1f, 0.1f}},
        {"sketchInferenceColor", {1.0f, 0.9f, 0.5f, 0.0f}},
        {"textBorderColor", {1.0f, 1.0f, 0.8f, 0.1f}},
        {"workPlaneColor", {0.35f, 0.95f, 0.75f, 0.3f}},
        {"workAxisColor", {1.0f, 0.9f, 0.55f, 0.1f}},
        {"originXAxisColor", {1.0f, 0.85f, 0.1f, 0.1f}},
        {"originYAxisColor", {1.0f, 0.1f, 0.65f, 0.1f}},
        {"originZAxisColor", {1.0f, 0.1f, 0.25f, 0.9f}},
    };
    return colors;
}

std::string attribute(xmlNode* node, const char* name) {
    xmlChar* value = xmlGetProp(node, reinterpret_cast<const xmlChar*>(name));
    if (!value)
        return {};
    std::string text(reinterpret_cast<const char*>(value));
    xmlFree(value);
    return text;
}

bool named(xmlNode* node, const char* name) {
    return node->type == XML_ELEMENT_NODE &&
           xmlStrcmp(node->name, reinterpret_cast<const xmlChar*>(name)) == 0;
}

ArgbColor parseArgb(const std::string& text, const std::string& path, int line,
                    const std::string& colorName) {
    std::istringstream in(text);
    float v[4];
    int count = 0;
    std::string word;
    while (in >> word) {
        float f = 0.0f;
        size_t used = 0;
        try {
            f = std::stof(word, &used);
        } catch (const std::exception&) {
            used = 0;
        }
        if (used != word.size() || count == 4 || !(f >= 0.0f && f <= 1.0f))
            throw XmlError(path, line,
                           "colour '" + colorName +
                               "' needs four numbers from 0 to 1 (alpha, "
                               "red, green, blue), not '" +
                               text + "'");
        v[count++] = f;
    }
    if (count != 4)
        throw XmlError(path, line,
                       "colour '" + colorName +
                           "' needs four numbers from 0 to 1 (alpha, red, "
                           "green, blue), not '" +
                           text + "'");
    return ArgbColor(v[0], v[1], v[2], v[3]);
}

} // namespace

Environment::Environment(std::string name)
    : m_name(std::move(name))
    , m_colors(builtInColors()) {}

Environment Environment::load(const std::string& path) {
    XmlDocument document = XMLUtility::readDocument(path);
    xmlNode* root = xmlDocGetRootElement(document.handle());
    if (!root || !named(root, "Environment"))
        throw XmlError(path, root ? static_cast<int>(xmlGetLineNo(root)) : 0,
                       "a theme file's root element must be <Environment>");
    std::string name = attribute(root, "name");
    if (name.empty())
        throw XmlError(path, static_cast<int>(xmlGetLineNo(root)),
                       "<Environment> needs a name attribute");
    Environment environment(name);
    for (xmlNode* child = root->children; child; child = child->next) {
        if (child->type != XML_ELEMENT_NODE)
            continue;
        const int line = static_cast<int>(xmlGetLineNo(child));
        if (!named(child, "Color"))
            throw XmlError(path, line,
                           "unexpected element <" +
                               std::string(reinterpret_cast<const char*>(child->name)) +
                               "> in a theme (only <Color> belongs there)");
        const std::string colorName = attribute(child, "name");
        if (colorName.empty())
            throw XmlError(path, line, "<Color> needs a name attribute");
        environment.color(colorName, parseArgb(attribute(child, "argb"), path, line, colorName));
    }
    return environment;
}

const ArgbColor& Environment::color(const std::string& name) const {
    auto it = m_colors.find(name);
    if (it == m_colors.end())
        throw std::out_of_range("environment '" + m_name + "' has no colour '" + name + "'");
    return it->second;
}

std::vector<std::string> Environment::colorNames() const {
    std::vector<std::string> names;
    for (const auto& [name, value] : m_colors)
        names.push_back(name);
    return names;
}

} // namespace Kv::Scene
