#include "Wyn/Objects/FontCache.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <stdexcept>

namespace Wyn::Objects {
namespace {

std::string utf8(const std::wstring& text) {
    std::string out;
    for (wchar_t wc : text) {
        const auto c = static_cast<char32_t>(wc);
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
        } else if (c < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (c >> 6)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else if (c < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (c >> 12)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (c >> 18)));
            out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return out;
}

} // namespace

FontCache& FontCache::get() {
    static FontCache cache;
    return cache;
}

FontCache::FontCache() {
    if (FT_Init_FreeType(&m_library) != 0)
        throw std::runtime_error("cannot start FreeType");
}

FontCache::~FontCache() {
    m_faces.clear();
    if (m_library)
        FT_Done_FreeType(m_library);
}

std::string FontCache::resolve(const std::wstring& faceName, bool bold, bool italic,
                               int* index) const {
    if (!FcInit())
        throw std::runtime_error("cannot start fontconfig");
    FcPattern* pattern = FcPatternCreate();
    const std::string family = utf8(faceName);
    if (!family.empty())
        FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    // Outlines are needed, so bitmap-only faces are of no use.
    FcPatternAddBool(pattern, FC_OUTLINE, FcTrue);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    FcChar8* file = nullptr;
    if (!match || FcPatternGetString(match, FC_FILE, 0, &file) != FcResultMatch || !file) {
        if (match)
            FcPatternDestroy(match);
        throw std::runtime_error("no installed font matches the face '" + family + "'");
    }
    std::string path(reinterpret_cast<const char*>(file));
    int faceIndex = 0;
    FcPatternGetInteger(match, FC_INDEX, 0, &faceIndex);
    FcPatternDestroy(match);
    if (index)
        *index = faceIndex;
    return path;
}

const FontFace& FontCache::face(const std::wstring& faceName, bool bold, bool italic) {
    auto key = std::make_tuple(faceName, bold, italic);
    auto it = m_faces.find(key);
    if (it != m_faces.end())
        return *it->second;
    int index = 0;
    const std::string path = resolve(faceName, bold, italic, &index);
    auto face = std::make_unique<FontFace>(m_library, path, index);
    return *m_faces.emplace(key, std::move(face)).first->second;
}

} // namespace Wyn::Objects
