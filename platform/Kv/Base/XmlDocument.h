#pragma once

#include <optional>
#include <string>

struct _xmlDoc;

namespace Kv {

// A parsed XML file, owned. Made by XMLUtility; offers the few reads the
// host's configuration files need without exposing libxml2 to callers.
class XmlDocument {
public:
    // Takes ownership of `document`, which was read from `path`.
    XmlDocument(_xmlDoc* document, std::string path);
    XmlDocument(XmlDocument&& other) noexcept;
    XmlDocument& operator=(XmlDocument&& other) noexcept;
    XmlDocument(const XmlDocument&) = delete;
    XmlDocument& operator=(const XmlDocument&) = delete;
    ~XmlDocument();

    const std::string& path() const { return m_path; }
    // The libxml2 document, for readers that need more than the helpers below.
    _xmlDoc* handle() const { return m_document; }

    // Name of the root element, or "" for a document without one.
    std::string rootName() const;

    // Text of the first element named `name` directly below the root, with
    // leading and trailing white space removed (configuration files are
    // indented freely), or nothing when there is no such element.
    std::optional<std::string> childText(const std::string& name) const;

private:
    _xmlDoc* m_document;
    std::string m_path;
};

} // namespace Kv
