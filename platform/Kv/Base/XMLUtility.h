#pragma once

#include "Kv/Base/XmlDocument.h"
#include "Kv/Base/XmlError.h"

#include <string>

namespace Kv {

// Reading and schema validation of the host's XML files. Problems never go to
// stderr: they are thrown as XmlError, so the caller decides whom to tell.
class XMLUtility {
public:
    // Parses `xmlPath`. Throws XmlError naming the file and line of the first
    // problem when the file is missing, unreadable or not well-formed.
    static XmlDocument readDocument(const std::string& xmlPath);

    // Parses `xmlPath` and validates it against the XML Schema `xsdPath`, and
    // returns the document so that callers read what was validated without
    // parsing twice. Throws XmlError for the first problem found: a bad XML
    // file (naming it), a missing or broken schema (naming the schema), or a
    // schema violation (naming the XML file and the offending line).
    static XmlDocument schemaValidator(const std::string& xmlPath, const std::string& xsdPath);
};

} // namespace Kv
