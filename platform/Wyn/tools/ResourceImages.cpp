// Draws the marker images the geometry add-in ships: sketch points, sketch
// grid and origin, and origin points, as PNG files under the given directory.

#include <cairo.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>

namespace {

struct Rgba {
    double r, g, b, a;
};

void fill(cairo_t* cr, const Rgba& c) {
    cairo_set_source_rgba(cr, c.r, c.g, c.b, c.a);
    cairo_fill(cr);
}

void stroke(cairo_t* cr, const Rgba& c, double width) {
    cairo_set_source_rgba(cr, c.r, c.g, c.b, c.a);
    cairo_set_line_width(cr, width);
    cairo_stroke(cr);
}

bool write(const std::filesystem::path& file, int width, int height,
           const std::function<void(cairo_t*)>& draw) {
    std::filesystem::create_directories(file.parent_path());
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    cairo_t* cr = cairo_create(surface);
    draw(cr);
    cairo_destroy(cr);
    const cairo_status_t status = cairo_surface_write_to_png(surface, file.c_str());
    cairo_surface_destroy(surface);
    if (status != CAIRO_STATUS_SUCCESS) {
        std::fprintf(stderr, "error: cannot write %s: %s\n", file.c_str(),
                     cairo_status_to_string(status));
        return false;
    }
    return true;
}

// A round point marker: a ring around a light centre.
std::function<void(cairo_t*)> disk(const Rgba& ring, const Rgba& centre, int size) {
    return [=](cairo_t* cr) {
        const double c = size / 2.0;
        cairo_arc(cr, c, c, c - 0.5, 0, 2 * M_PI);
        fill(cr, ring);
        cairo_arc(cr, c, c, c - 2.5, 0, 2 * M_PI);
        fill(cr, centre);
    };
}

// A diamond, as origin points are drawn apart from sketch points.
std::function<void(cairo_t*)> diamond(const Rgba& inside, const Rgba& border, int size) {
    return [=](cairo_t* cr) {
        const double c = size / 2.0;
        cairo_move_to(cr, c, 0.5);
        cairo_line_to(cr, size - 0.5, c);
        cairo_line_to(cr, c, size - 0.5);
        cairo_line_to(cr, 0.5, c);
        cairo_close_path(cr);
        cairo_set_source_rgba(cr, inside.r, inside.g, inside.b, inside.a);
        cairo_fill_preserve(cr);
        stroke(cr, border, 1.0);
    };
}

void grid(cairo_t* cr, int size, int step, const Rgba& line) {
    for (int i = 0; i <= size; i += step) {
        cairo_move_to(cr, i + 0.5, 0);
        cairo_line_to(cr, i + 0.5, size);
        cairo_move_to(cr, 0, i + 0.5);
        cairo_line_to(cr, size, i + 0.5);
    }
    stroke(cr, line, 1.0);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_DIRECTORY\n", argv[0]);
        return 2;
    }
    const std::filesystem::path root(argv[1]);
    const Rgba white{1, 1, 1, 1};
    const Rgba sketchBlue{0.05, 0.15, 0.55, 1};
    const Rgba fixedGreen{0.0, 0.4, 0.0, 1};
    const Rgba hoverOrange{0.95, 0.55, 0.05, 1};
    const Rgba selectCyan{0.0, 0.55, 0.85, 1};
    const Rgba originYellow{0.98, 0.82, 0.15, 1};
    const Rgba dark{0.15, 0.15, 0.15, 1};

    bool ok = true;
    ok &= write(root / "Point/default.png", 9, 9, disk(sketchBlue, white, 9));
    ok &= write(root / "Point/fixed.png", 9, 9, [&](cairo_t* cr) {
        cairo_rectangle(cr, 0.5, 0.5, 8, 8);
        fill(cr, fixedGreen);
        cairo_rectangle(cr, 2.5, 2.5, 4, 4);
        fill(cr, white);
    });
    ok &= write(root / "Point/hover.png", 11, 11, disk(hoverOrange, white, 11));
    ok &= write(root / "Point/select.png", 11, 11, disk(selectCyan, white, 11));
    ok &= write(root / "Sketch/SketchGridAlpha.png", 64, 64, [&](cairo_t* cr) {
        grid(cr, 64, 8, Rgba{0, 0, 0, 0.35});
    });
    ok &= write(root / "Sketch/SketchGridBG.png", 64, 64, [&](cairo_t* cr) {
        cairo_rectangle(cr, 0, 0, 64, 64);
        fill(cr, Rgba{0.96, 0.97, 1.0, 1});
        grid(cr, 64, 8, Rgba{0.80, 0.84, 0.92, 1});
    });
    ok &= write(root / "Sketch/Origin.png", 15, 15, [&](cairo_t* cr) {
        cairo_move_to(cr, 7.5, 0);
        cairo_line_to(cr, 7.5, 15);
        cairo_move_to(cr, 0, 7.5);
        cairo_line_to(cr, 15, 7.5);
        stroke(cr, dark, 1.0);
        cairo_arc(cr, 7.5, 7.5, 4, 0, 2 * M_PI);
        stroke(cr, dark, 1.0);
    });
    ok &= write(root / "OriginPoint/default.png", 11, 11, diamond(originYellow, dark, 11));
    ok &= write(root / "OriginPoint/hover.png", 13, 13, diamond(hoverOrange, dark, 13));
    ok &= write(root / "OriginPoint/select.png", 13, 13, diamond(selectCyan, dark, 13));
    return ok ? 0 : 1;
}
