#pragma once

#include <string>

namespace Kv {

// Localized user-visible text. A table is the UTF-8 XML file
// <localization directory>/StringTables/<table>.xml, of the form
//   <StringTable>
//     <String key="SketchDefaultName">Sketch</String>
//   </StringTable>
// Each table is read once for a given root and language and then kept.
class StringTable {
public:
    // The text stored under `key` in `table`, exactly as written between the
    // tags. Yields `defaultText` when the table is missing or unreadable or
    // has no such key: a missing translation must never break a command.
    // When a key appears twice, the first one counts.
    static std::wstring getLocalizedString(const std::wstring& table, const std::string& key,
                                           const std::wstring& defaultText);

    // Forgets every table read so far, so that edited files are read again.
    static void clearCache();

    // The file `table` is read from for the current root and language.
    static std::string tablePath(const std::wstring& table);
};

} // namespace Kv
