#include "Kv/Base/XMLUtility.h"

#include <libxml/parser.h>
#include <libxml/uri.h>
#include <libxml/xmlerror.h>
#include <libxml/xmlschemas.h>
#include <libxml/xmlschemastypes.h>

#include <memory>
#include <mutex>
#include <optional>

namespace Kv {
namespace {

// libxml2 must be initialised once, before threads use it. Older releases
// build the table of built-in schema types lazily and without a lock, so two
// threads validating at once would each build one; build it here.
void initialiseLibxml() {
    static std::once_flag once;
    std::call_once(once, [] {
        xmlInitParser();
        xmlSchemaInitTypes();
    });
}

#if LIBXML_VERSION >= 21200
using ErrorRecord = const xmlError*;
#else
using ErrorRecord = xmlError*;
#endif

// Routes libxml2's messages, for this thread and this scope, into the first
// error kept here. libxml2's handlers are per thread, so concurrent reads on
// other threads are not affected; the previous handlers come back on exit.
class ErrorCapture {
public:
    explicit ErrorCapture(std::string fallbackFile)
        : m_fallbackFile(std::move(fallbackFile))
        , m_fallbackUri(asUri(m_fallbackFile))
        , m_previousStructured(xmlStructuredError)
        , m_previousStructuredContext(xmlStructuredErrorContext)
        , m_previousGeneric(xmlGenericError)
        , m_previousGenericContext(xmlGenericErrorContext) {
        xmlSetStructuredErrorFunc(this, &ErrorCapture::record);
        // A message libxml2 sends only to the generic channel would land on
        // stderr; what gets reported is the structured error above.
        xmlSetGenericErrorFunc(this, &ErrorCapture::ignore);
    }
    ~ErrorCapture() {
        xmlSetStructuredErrorFunc(m_previousStructuredContext, m_previousStructured);
        xmlSetGenericErrorFunc(m_previousGenericContext, m_previousGeneric);
    }
    ErrorCapture(const ErrorCapture&) = delete;
    ErrorCapture& operator=(const ErrorCapture&) = delete;

    static void record(void* self, ErrorRecord error) {
        auto* capture = static_cast<ErrorCapture*>(self);
        // Only the first error is kept: later ones are mostly its echoes
        // ("Premature end of data" after a mismatched tag, and so on).
        if (!error || error->level < XML_ERR_ERROR || capture->m_error)
            return;
        std::string reason = error->message ? error->message : "unknown XML error";
        while (!reason.empty() && (reason.back() == '\n' || reason.back() == ' '))
            reason.pop_back();
        // libxml2 names files by URI, with spaces and '%' escaped; report the
        // path as the caller gave it, so that it matches the caller's own.
        std::string file = error->file ? error->file : "";
        if (file.empty() || file == capture->m_fallbackUri)
            file = capture->m_fallbackFile;
        capture->m_error.emplace(file, error->line, reason);
    }
    static void ignore(void*, const char*, ...) {}

    const std::optional<XmlError>& error() const { return m_error; }

    // The recorded error, or one made from `reason` when libxml2 failed
    // without saying why.
    XmlError errorOr(const std::string& reason) const {
        return m_error ? *m_error : XmlError(m_fallbackFile, 0, reason);
    }

private:
    static std::string asUri(const std::string& path) {
        xmlChar* uri = xmlPathToURI(reinterpret_cast<const xmlChar*>(path.c_str()));
        std::string result = uri ? reinterpret_cast<const char*>(uri) : path;
        xmlFree(uri);
        return result;
    }

    std::string m_fallbackFile;
    std::string m_fallbackUri;
    std::optional<XmlError> m_error;
    xmlStructuredErrorFunc m_previousStructured;
    void* m_previousStructuredContext;
    xmlGenericErrorFunc m_previousGeneric;
    void* m_previousGenericContext;
};

// Network access is off: configuration must not fetch anything on load.
constexpr int parseOptions = XML_PARSE_NONET;

struct SchemaParserDeleter {
    void operator()(xmlSchemaParserCtxt* p) const { xmlSchemaFreeParserCtxt(p); }
};
struct SchemaDeleter {
    void operator()(xmlSchema* p) const { xmlSchemaFree(p); }
};
struct ValidatorDeleter {
    void operator()(xmlSchemaValidCtxt* p) const { xmlSchemaFreeValidCtxt(p); }
};

} // namespace

XmlDocument XMLUtility::readDocument(const std::string& xmlPath) {
    initialiseLibxml();
    ErrorCapture capture(xmlPath);
    XmlDocument document(xmlReadFile(xmlPath.c_str(), nullptr, parseOptions), xmlPath);
    if (!document.handle() || capture.error())
        throw capture.errorOr("cannot read the file");
    if (document.rootName().empty())
        throw XmlError(xmlPath, 0, "the document has no root element");
    return document;
}

XmlDocument XMLUtility::schemaValidator(const std::string& xmlPath, const std::string& xsdPath) {
    XmlDocument document = readDocument(xmlPath);

    std::unique_ptr<xmlSchema, SchemaDeleter> schema;
    {
        ErrorCapture capture(xsdPath);
        std::unique_ptr<xmlSchemaParserCtxt, SchemaParserDeleter> parser(
            xmlSchemaNewParserCtxt(xsdPath.c_str()));
        if (parser) {
            xmlSchemaSetParserStructuredErrors(parser.get(), &ErrorCapture::record, &capture);
            schema.reset(xmlSchemaParse(parser.get()));
        }
        if (!schema || capture.error())
            throw capture.errorOr("cannot read the schema");
    }

    ErrorCapture capture(xmlPath);
    std::unique_ptr<xmlSchemaValidCtxt, ValidatorDeleter> validator(
        xmlSchemaNewValidCtxt(schema.get()));
    if (!validator)
        throw XmlError(xsdPath, 0, "cannot make a validator for the schema");
    xmlSchemaSetValidStructuredErrors(validator.get(), &ErrorCapture::record, &capture);
    const int result = xmlSchemaValidateDoc(validator.get(), document.handle());
    if (result != 0 || capture.error())
        throw capture.errorOr(result < 0 ? "internal error while validating"
                                         : "the document does not match the schema");
    return document;
}

} // namespace Kv
