#pragma once

#include "Wyn/Objects/FontFace.h"

#include <map>
#include <memory>
#include <string>
#include <tuple>

namespace Wyn::Objects {

// The process's fonts: finds a face for a face name with fontconfig (which
// maps names such as "Arial" to installed metric-compatible faces) and keeps
// each opened face for reuse. Not thread-safe: text is laid out on the thread
// that builds the scene.
class FontCache {
public:
    static FontCache& get();

    // The installed face that best matches. Throws std::runtime_error when
    // fontconfig finds no font at all or the file it names cannot be opened.
    const FontFace& face(const std::wstring& faceName, bool bold, bool italic);
    // The file fontconfig picks for the request, without opening it.
    std::string resolve(const std::wstring& faceName, bool bold, bool italic, int* index) const;

private:
    FontCache();
    ~FontCache();

    FT_LibraryRec_* m_library = nullptr;
    std::map<std::tuple<std::wstring, bool, bool>, std::unique_ptr<FontFace>> m_faces;
};

} // namespace Wyn::Objects
