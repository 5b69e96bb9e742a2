#include "Wyn/Objects/Image.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <stdexcept>

namespace Wyn::Objects {
namespace {

uint8_t toByte(float v) {
    return static_cast<uint8_t>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255.0f));
}

} // namespace

Image::Image(int width, int height)
    : m_width(width)
    , m_height(height) {
    if (width < 0 || height < 0)
        throw std::invalid_argument("an image cannot be " + std::to_string(width) + " by " +
                                    std::to_string(height) + " pixels");
    m_pixels.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0u);
}

Image Image::load(const std::string& path) {
    cairo_surface_t* surface = cairo_image_surface_create_from_png(path.c_str());
    const cairo_status_t status = cairo_surface_status(surface);
    if (status != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(surface);
        const std::string reason = status == CAIRO_STATUS_FILE_NOT_FOUND
                                       ? "no such file"
                                       : std::string(cairo_status_to_string(status));
        throw std::runtime_error("cannot read image '" + path + "': " + reason);
    }
    // Whatever the PNG's format, painting it onto an ARGB32 surface gives the
    // layout this class keeps.
    Image image(cairo_image_surface_get_width(surface), cairo_image_surface_get_height(surface));
    image.m_path = path;
    cairo_surface_t* target = cairo_image_surface_create_for_data(
        reinterpret_cast<unsigned char*>(image.data()), CAIRO_FORMAT_ARGB32, image.width(),
        image.height(), image.stride());
    cairo_t* cr = cairo_create(target);
    cairo_set_source_surface(cr, surface, 0, 0);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_paint(cr);
    cairo_destroy(cr);
    cairo_surface_flush(target);
    cairo_surface_destroy(target);
    cairo_surface_destroy(surface);
    return image;
}

void Image::save(const std::string& path) const {
    if (isEmpty())
        throw std::runtime_error("cannot write image '" + path + "': the image has no pixels");
    // cairo wants writable memory even for reading; the copy keeps save const.
    std::vector<uint32_t> copy = m_pixels;
    cairo_surface_t* surface =
        cairo_image_surface_create_for_data(reinterpret_cast<unsigned char*>(copy.data()),
                                            CAIRO_FORMAT_ARGB32, m_width, m_height, stride());
    const cairo_status_t status = cairo_surface_write_to_png(surface, path.c_str());
    cairo_surface_destroy(surface);
    if (status != CAIRO_STATUS_SUCCESS)
        throw std::runtime_error("cannot write image '" + path +
                                 "': " + cairo_status_to_string(status));
}

Color Image::pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        throw std::out_of_range("pixel (" + std::to_string(x) + ", " + std::to_string(y) +
                                ") is outside the " + std::to_string(m_width) + " by " +
                                std::to_string(m_height) + " image");
    const uint32_t p = m_pixels[static_cast<size_t>(y) * m_width + x];
    const float a = static_cast<float>((p >> 24) & 0xFF) / 255.0f;
    if (a == 0.0f)
        return Color(0, 0, 0, 0);
    auto channel = [&](int shift) {
        return std::min(1.0f, static_cast<float>((p >> shift) & 0xFF) / 255.0f / a);
    };
    return Color(channel(16), channel(8), channel(0), a);
}

void Image::pixel(int x, int y, const Color& color) {
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        throw std::out_of_range("pixel (" + std::to_string(x) + ", " + std::to_string(y) +
                                ") is outside the " + std::to_string(m_width) + " by " +
                                std::to_string(m_height) + " image");
    const float a = std::clamp(color.alpha, 0.0f, 1.0f);
    m_pixels[static_cast<size_t>(y) * m_width + x] =
        (uint32_t(toByte(a)) << 24) | (uint32_t(toByte(color.red * a)) << 16) |
        (uint32_t(toByte(color.green * a)) << 8) | uint32_t(toByte(color.blue * a));
}

} // namespace Wyn::Objects
