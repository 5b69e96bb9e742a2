#pragma once

#include "Wyn/Objects/Color.h"

#include <cstdint>
#include <string>
#include <vector>

namespace Wyn::Objects {

// A raster image in memory: 32-bit pixels, premultiplied alpha, the layout
// cairo draws into and reads from. Point markers are loaded into it, and the
// renderer draws PNG output into it.
class Image {
public:
    Image() = default;
    // A transparent image; throws std::invalid_argument for a negative size.
    Image(int width, int height);

    // Reads a PNG file. Throws std::runtime_error naming the file and the
    // reason when it is missing or not a readable PNG.
    static Image load(const std::string& path);
    // Writes a PNG file; throws std::runtime_error naming the file on failure.
    void save(const std::string& path) const;

    int width() const { return m_width; }
    int height() const { return m_height; }
    bool isEmpty() const { return m_width == 0 || m_height == 0; }
    // The file the image was read from, or "" for one made in memory.
    const std::string& path() const { return m_path; }

    // The pixel at column x, row y (row 0 at the top), not premultiplied;
    // throws std::out_of_range outside the image.
    Color pixel(int x, int y) const;
    void pixel(int x, int y, const Color& color);

    // Row-major pixels, width() per row, each 0xAARRGGBB premultiplied.
    uint32_t* data() { return m_pixels.data(); }
    const uint32_t* data() const { return m_pixels.data(); }
    int stride() const { return m_width * 4; }

private:
    int m_width = 0;
    int m_height = 0;
    std::vector<uint32_t> m_pixels;
    std::string m_path;
};

} // namespace Wyn::Objects
