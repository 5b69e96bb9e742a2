#include "Kv/Base/XmlDocument.h"

#include <libxml/tree.h>

#include <cstring>
#include <utility>

namespace Kv {
namespace {

std::string trimmed(const std::string& text) {
    const char* blanks = " \t\r\n";
    const auto first = text.find_first_not_of(blanks);
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

const char* asChars(const xmlChar* text) {
    return reinterpret_cast<const char*>(text);
}

} // namespace

XmlDocument::XmlDocument(_xmlDoc* document, std::string path)
    : m_document(document)
    , m_path(std::move(path)) {}

XmlDocument::XmlDocument(XmlDocument&& other) noexcept
    : m_document(std::exchange(other.m_document, nullptr))
    , m_path(std::move(other.m_path)) {}

XmlDocument& XmlDocument::operator=(XmlDocument&& other) noexcept {
    if (this != &other) {
        if (m_document)
            xmlFreeDoc(m_document);
        m_document = std::exchange(other.m_document, nullptr);
        m_path = std::move(other.m_path);
    }
    return *this;
}

XmlDocument::~XmlDocument() {
    if (m_document)
        xmlFreeDoc(m_document);
}

std::string XmlDocument::rootName() const {
    const xmlNode* root = m_document ? xmlDocGetRootElement(m_document) : nullptr;
    return root ? asChars(root->name) : "";
}

std::optional<std::string> XmlDocument::childText(const std::string& name) const {
    const xmlNode* root = m_document ? xmlDocGetRootElement(m_document) : nullptr;
    if (!root)
        return std::nullopt;
    for (const xmlNode* child = root->children; child; child = child->next) {
        if (child->type != XML_ELEMENT_NODE || std::strcmp(asChars(child->name), name.c_str()) != 0)
            continue;
        xmlChar* content = xmlNodeGetContent(child);
        std::string text = content ? asChars(content) : "";
        xmlFree(content);
        return trimmed(text);
    }
    return std::nullopt;
}

} // namespace Kv
