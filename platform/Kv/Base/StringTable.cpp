#include "Kv/Base/StringTable.h"

#include "Kv/Base/PathInfo.h"
#include "Kv/Base/Utf8.h"
#include "Kv/Base/XMLUtility.h"

#include <libxml/tree.h>

#include <cstring>
#include <memory>
#include <mutex>
#include <unordered_map>

namespace Kv {
namespace {

using Table = std::unordered_map<std::string, std::wstring>;

struct Cache {
    std::mutex mutex;
    // Keyed by file path rather than table name: the path holds the root
    // and the language, so switching either reads the other file, and
    // switching back finds the first one still here.
    std::unordered_map<std::string, std::shared_ptr<const Table>> tables;
};

Cache& cache() {
    static Cache c;
    return c;
}

bool isElement(const xmlNode* node, const char* name) {
    return node->type == XML_ELEMENT_NODE &&
           std::strcmp(reinterpret_cast<const char*>(node->name), name) == 0;
}

std::string ownedText(xmlChar* text) {
    std::string result = text ? reinterpret_cast<const char*>(text) : "";
    xmlFree(text);
    return result;
}

// An unreadable table reads as empty: every lookup then falls back to its
// default text, which is what the user would see without the file anyway.
std::shared_ptr<const Table> readTable(const std::string& path) {
    auto table = std::make_shared<Table>();
    try {
        const XmlDocument document = XMLUtility::readDocument(path);
        const xmlNode* root = xmlDocGetRootElement(document.handle());
        if (!root || !isElement(root, "StringTable"))
            return table;
        for (const xmlNode* node = root->children; node; node = node->next) {
            if (!isElement(node, "String"))
                continue;
            xmlChar* key = xmlGetProp(node, reinterpret_cast<const xmlChar*>("key"));
            if (!key)
                continue;
            table->emplace(ownedText(key), Utf8::toWide(ownedText(xmlNodeGetContent(node))));
        }
    } catch (const XmlError&) {
    }
    return table;
}

bool isUsableTableName(const std::wstring& table) {
    return !table.empty() && table != L"." && table != L".." &&
           table.find(L'/') == std::wstring::npos;
}

} // namespace

std::string StringTable::tablePath(const std::wstring& table) {
    return PathInfo::join(PathInfo::localizationDirectory(),
                          "StringTables/" + Utf8::toUtf8(table) + ".xml");
}

std::wstring StringTable::getLocalizedString(const std::wstring& table, const std::string& key,
                                             const std::wstring& defaultText) {
    if (!isUsableTableName(table))
        return defaultText;
    const std::string path = tablePath(table);

    std::shared_ptr<const Table> strings;
    {
        Cache& c = cache();
        std::lock_guard<std::mutex> lock(c.mutex);
        auto& entry = c.tables[path];
        if (!entry)
            entry = readTable(path);
        strings = entry;
    }
    const auto found = strings->find(key);
    return found != strings->end() ? found->second : defaultText;
}

void StringTable::clearCache() {
    Cache& c = cache();
    std::lock_guard<std::mutex> lock(c.mutex);
    c.tables.clear();
}

} // namespace Kv
