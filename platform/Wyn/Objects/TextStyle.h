#pragma once

#include <string>

namespace Wyn::Objects {

// The look of a text node's characters. The height is the height of the
// capital letters, as drafting text is measured, not the em size.
class TextStyle {
public:
    // Bits of flags().
    enum Flag : int {
        kKerning = 1, // apply the face's pair kerning
    };

    TextStyle() = default;
    TextStyle(std::wstring faceName, double height, int styleCode = 0, bool italic = false,
              bool underline = false, double extraSpacing = 0.0, int flags = kKerning)
        : m_faceName(std::move(faceName))
        , m_height(height)
        , m_styleCode(styleCode)
        , m_italic(italic)
        , m_underline(underline)
        , m_extraSpacing(extraSpacing)
        , m_flags(flags) {}

    // A face name as the user gives it ("Arial"); the font lookup resolves it
    // to an installed face, a metric-compatible one when the named face is
    // not installed.
    const std::wstring& faceName() const { return m_faceName; }
    void faceName(const std::wstring& name) { m_faceName = name; }
    double height() const { return m_height; }
    void height(double height) { m_height = height; }
    // The weight on the usual 100 (thin) to 900 (black) scale; 0 or less
    // means regular. Bold text passes 700.
    int styleCode() const { return m_styleCode; }
    void styleCode(int code) { m_styleCode = code; }
    bool isBold() const { return m_styleCode >= 600; }
    bool isItalic() const { return m_italic; }
    void italic(bool italic) { m_italic = italic; }
    bool isUnderline() const { return m_underline; }
    void underline(bool underline) { m_underline = underline; }
    // Space added after every character, as a fraction of the height.
    double extraSpacing() const { return m_extraSpacing; }
    void extraSpacing(double spacing) { m_extraSpacing = spacing; }
    int flags() const { return m_flags; }
    void flags(int flags) { m_flags = flags; }

    bool operator==(const TextStyle& o) const {
        return m_faceName == o.m_faceName && m_height == o.m_height &&
               m_styleCode == o.m_styleCode && m_italic == o.m_italic &&
               m_underline == o.m_underline && m_extraSpacing == o.m_extraSpacing &&
               m_flags == o.m_flags;
    }
    bool operator!=(const TextStyle& o) const { return !(*this == o); }

private:
    std::wstring m_faceName = L"Arial";
    double m_height = 1.0;
    int m_styleCode = 0;
    bool m_italic = false;
    bool m_underline = false;
    double m_extraSpacing = 0.0;
    int m_flags = kKerning;
};

} // namespace Wyn::Objects
