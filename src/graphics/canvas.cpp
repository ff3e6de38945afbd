// The canvas cells, the framebuffer and the changed rectangle.
#include "graphics/canvas.h"

#include <algorithm>
#include <cstring>

#include "graphics/canvas_pixels.h"
#include "graphics/geometry.h"
#include "graphics/palette.h"

Canvas canvas;

namespace {

constexpr Rect NOTHING_CHANGED = {FRAMEBUFFER_WIDTH, FRAMEBUFFER_HEIGHT, -1, -1};

using canvas_pixels::grow_changed;
using canvas_pixels::KEEP_FOR_SKIP;

// Callers guarantee (px, py) lies in the framebuffer.
inline void put_pixel(int px, int py, int colour) {
    uint8_t* pixel = canvas.framebuffer[py][px];
    const PaletteColour rgb = palette[colour];
    pixel[0] = rgb.red;
    pixel[1] = rgb.green;
    pixel[2] = rgb.blue;
}

// Paints framebuffer pixels (ordered) in one colour; the part outside the
// framebuffer is dropped.
void fill_framebuffer(const Rect& pixels, int colour) {
    const int px0 = std::max(pixels.x0, 0);
    const int py0 = std::max(pixels.y0, 0);
    const int px1 = std::min(pixels.x1, FRAMEBUFFER_WIDTH - 1);
    const int py1 = std::min(pixels.y1, FRAMEBUFFER_HEIGHT - 1);
    if (px0 > px1 || py0 > py1) return;
    const PaletteColour rgb = palette[colour];
    const size_t row_bytes = static_cast<size_t>(px1 - px0 + 1) * 3;
    auto paint_row = [&rgb, row_bytes](uint8_t* row) {
        for (size_t i = 0; i < row_bytes; i += 3) {
            row[i] = rgb.red;
            row[i + 1] = rgb.green;
            row[i + 2] = rgb.blue;
        }
    };
    uint8_t* first_row = canvas.framebuffer[py0][px0];
    paint_row(first_row);
    // Narrow rectangles (the strokes of lines and marks) are painted pixel
    // by pixel: a block copy costs more to start than a few pixels take.
    constexpr size_t NARROW_ROW_BYTES = 48;
    for (int py = py0 + 1; py <= py1; ++py) {
        if (row_bytes <= NARROW_ROW_BYTES) {
            paint_row(canvas.framebuffer[py][px0]);
        } else {
            std::memcpy(canvas.framebuffer[py][px0], first_row, row_bytes);
        }
    }
    grow_changed({px0, py0, px1, py1});
}

// Sets cells (ordered, inside the cells) to one value and paints the
// framebuffer pixels they cover at the current zoom.
void paint_cells(const Rect& cells, uint16_t value, int colour) {
    const size_t count = static_cast<size_t>(cells.x1 - cells.x0 + 1);
    const bool same_bytes = (value >> 8) == (value & 0xFF);
    for (int y = cells.y0; y <= cells.y1; ++y) {
        uint16_t* first = &canvas.cells[y][cells.x0];
        if (same_bytes) {
            std::memset(first, value & 0xFF, count * sizeof(uint16_t));
        } else {
            std::fill_n(first, count, value);
        }
    }
    if (canvas.zoom == 20) {
        fill_framebuffer({2 * cells.x0, 2 * cells.y0, 2 * cells.x1 + 1, 2 * cells.y1 + 1}, colour);
    } else {
        fill_framebuffer(cells, colour);
    }
}

// A clipped rectangle of points painted in one colour (a straight line, a
// solid mark) is a filled rectangle: painted as one, the points come out
// exactly as plot_point makes them, without testing each against the
// clip. Returns false when the pen needs plot_point (inverting, or a skip
// mask at the doubled zoom).
bool paint_point_rect(const Rect& points) {
    if (canvas.pen_mode == PEN_INVERT) return false;
    const int colour = canvas.pen & 15;
    uint16_t value = static_cast<uint16_t>(colour);
    if (canvas.zoom == 20) {
        if ((canvas.pen & 0xF0) != 0) return false;
        value = static_cast<uint16_t>(colour * 0x1111);
    }
    // plot_point drops the points outside the cells.
    const Rect inside{std::max(points.x0, 0), std::max(points.y0, 0), std::min(points.x1, CANVAS_WIDTH - 1),
                      std::min(points.y1, CANVAS_HEIGHT - 1)};
    if (!inside.empty()) paint_cells(inside, value, colour);
    return true;
}

}  // namespace

void canvas_reset() {
    std::memset(canvas.cells, 0, sizeof canvas.cells);
    std::memset(canvas.framebuffer, 0, sizeof canvas.framebuffer);
    canvas.zoom = 10;
    canvas.clip_rect = {0, 0, 630, 400};
    canvas.pen = 0;
    canvas.pen_mode = PEN_PAINT;
    // The whole framebuffer was just rewritten, so a backend must show all of it.
    canvas.changed = {0, 0, FRAMEBUFFER_WIDTH - 1, FRAMEBUFFER_HEIGHT - 1};
}

void clear_framebuffer_outside(const Rect& cells) {
    const int z = canvas.zoom / 10;
    const Rect kept{z * cells.x0, z * cells.y0, z * cells.x1 + z - 1, z * cells.y1 + z - 1};
    const int x0 = std::clamp(kept.x0, 0, FRAMEBUFFER_WIDTH), x1 = std::clamp(kept.x1 + 1, x0, FRAMEBUFFER_WIDTH);
    const int y0 = std::clamp(kept.y0, 0, FRAMEBUFFER_HEIGHT), y1 = std::clamp(kept.y1 + 1, y0, FRAMEBUFFER_HEIGHT);
    const size_t row_bytes = sizeof canvas.framebuffer[0];
    for (int y = 0; y < FRAMEBUFFER_HEIGHT; ++y) {
        uint8_t* row = canvas.framebuffer[y][0];
        if (y < y0 || y >= y1) {
            std::memset(row, 0, row_bytes);
            continue;
        }
        std::memset(row, 0, static_cast<size_t>(x0) * 3);
        std::memset(row + static_cast<size_t>(x1) * 3, 0, row_bytes - static_cast<size_t>(x1) * 3);
    }
    grow_changed({0, 0, FRAMEBUFFER_WIDTH - 1, FRAMEBUFFER_HEIGHT - 1});
}

namespace {

// One point of the cells at (x, y), plotted with the given pen; the
// caller grows the changed rectangle. The pen is passed in rather than
// read from the canvas, so that the byte stores of the pixels (which may
// alias it) do not have it read again for every point of a run.
//
// Normal zoom ignores the skip mask; every cell point is a framebuffer
// pixel. Inverting touches only the nibble this zoom shows, so that
// inverting twice also restores a cell that a filled rectangle gave four
// nibbles.
inline void plot_at_normal_zoom(int x, int y, int pen, bool invert) {
    uint16_t& cell = canvas.cells[y][x];
    int colour;
    if (invert) {
        colour = 15 - (cell & 15);
        cell = static_cast<uint16_t>((cell & 0xFFF0) | colour);
    } else {
        colour = pen & 15;
        cell = static_cast<uint16_t>(colour);
    }
    put_pixel(x, y, colour);
}

// At zoom 20 a point is 2 x 2 pixels, one nibble of the cell each; the
// skip mask keeps the sub-points it names as they are.
inline void plot_at_double_zoom(int x, int y, int pen, bool invert) {
    uint16_t& cell = canvas.cells[y][x];
    const int skip = (pen >> 4) & 15;
    const uint16_t keep = KEEP_FOR_SKIP[skip];
    const uint16_t value = invert ? static_cast<uint16_t>(~cell) : static_cast<uint16_t>((pen & 15) * 0x1111);
    const uint16_t updated = static_cast<uint16_t>((cell & keep) | (value & ~keep));
    cell = updated;

    const int px = 2 * x;
    const int py = 2 * y;
    // The framebuffer has an even height, so a block whose top row is
    // inside has its bottom row inside too.
    static_assert(FRAMEBUFFER_HEIGHT % 2 == 0);
    if (py >= FRAMEBUFFER_HEIGHT) return;
    const bool right_inside = px + 1 < FRAMEBUFFER_WIDTH;
    uint8_t* top = canvas.framebuffer[py][px];
    uint8_t* bottom = top + sizeof canvas.framebuffer[0];
    if (!invert && right_inside) {
        // Painting gives every sub-point it does not skip the pen colour.
        const PaletteColour rgb = palette[pen & 15];
        auto put = [rgb](uint8_t* pixel) {
            pixel[0] = rgb.red;
            pixel[1] = rgb.green;
            pixel[2] = rgb.blue;
        };
        if (!(skip & 8)) put(top);
        if (!(skip & 4)) put(top + 3);
        if (!(skip & 2)) put(bottom);
        if (!(skip & 1)) put(bottom + 3);
        return;
    }
    if (!(skip & 8)) put_pixel(px, py, updated >> 12);
    if (!(skip & 4) && right_inside) put_pixel(px + 1, py, (updated >> 8) & 15);
    if (!(skip & 2)) put_pixel(px, py + 1, (updated >> 4) & 15);
    if (!(skip & 1) && right_inside) put_pixel(px + 1, py + 1, updated & 15);
}

// The framebuffer pixels the points of a rectangle (inside the cells)
// show at the current zoom: those plot_point adds to the changed
// rectangle, which at zoom 20 leaves out what lies past the framebuffer.
Rect pixels_of_points(const Rect& points) {
    if (canvas.zoom != 20) return points;
    return Rect{2 * points.x0, 2 * points.y0, std::min(2 * points.x1 + 1, FRAMEBUFFER_WIDTH - 1),
                std::min(2 * points.y1 + 1, FRAMEBUFFER_HEIGHT - 1)};
}

// Every point of a rectangle inside the clip and the cells, each as
// plot_point draws it with the pen as it is.
void plot_each_point(const Rect& points) {
    const int pen = canvas.pen;
    const bool invert = canvas.pen_mode == PEN_INVERT;
    if (canvas.zoom == 20) {
        for (int y = points.y0; y <= points.y1; ++y)
            for (int x = points.x0; x <= points.x1; ++x) plot_at_double_zoom(x, y, pen, invert);
    } else {
        for (int y = points.y0; y <= points.y1; ++y)
            for (int x = points.x0; x <= points.x1; ++x) plot_at_normal_zoom(x, y, pen, invert);
    }
    const Rect pixels = pixels_of_points(points);
    if (!pixels.empty()) grow_changed(pixels);
}

}  // namespace

void plot_point(int x, int y) {
    const Rect& clip = canvas.clip_rect;
    if (!clip.contains(x, y)) return;
    // A widened clip must still not reach past the cells.
    if (static_cast<unsigned>(x) >= static_cast<unsigned>(CANVAS_WIDTH) ||
        static_cast<unsigned>(y) >= static_cast<unsigned>(CANVAS_HEIGHT))
        return;
    const bool invert = canvas.pen_mode == PEN_INVERT;
    if (canvas.zoom != 20) {
        plot_at_normal_zoom(x, y, canvas.pen, invert);
        grow_changed({x, y, x, y});
        return;
    }
    plot_at_double_zoom(x, y, canvas.pen, invert);
    const int px = 2 * x, py = 2 * y;
    if (py < FRAMEBUFFER_HEIGHT) grow_changed({px, py, std::min(px + 1, FRAMEBUFFER_WIDTH - 1), py + 1});
}

uint16_t read_cell(int x, int y) {
    if (x < 0 || x >= CANVAS_WIDTH || y < 0 || y >= CANVAS_HEIGHT) return 0;
    return canvas.cells[y][x];
}

namespace {

// Bresenham along the major axis, from the end with the lesser major
// coordinate; `steep` swaps the axes' roles.
void draw_sloped_line(int major0, int minor0, int major1, int minor1, bool steep) {
    if (major0 > major1) {
        std::swap(major0, major1);
        std::swap(minor0, minor1);
    }
    const int d_major = major1 - major0;
    const int d_minor = minor1 > minor0 ? minor1 - minor0 : minor0 - minor1;
    const int minor_step = minor1 > minor0 ? 1 : -1;
    auto plot = [steep](int major, int minor) {
        steep ? plot_point(minor, major) : plot_point(major, minor);
    };
    int major = major0, minor = minor0;
    int d = 2 * d_minor - d_major;
    plot(major, minor);
    while (major < major1) {
        ++major;
        if (d >= 0) {
            d += 2 * (d_minor - d_major);
            minor += minor_step;
        } else {
            d += 2 * d_minor;
        }
        plot(major, minor);
    }
}

}  // namespace

void plot_rect(Rect r) {
    if (!clip_to_clip_rect(r)) return;
    if (paint_point_rect(r)) return;
    // plot_point drops the points outside the cells.
    const Rect inside{std::max(r.x0, 0), std::max(r.y0, 0), std::min(r.x1, CANVAS_WIDTH - 1),
                      std::min(r.y1, CANVAS_HEIGHT - 1)};
    if (!inside.empty()) plot_each_point(inside);
}

void draw_line(int x0, int y0, int x1, int y1) {
    if (y0 == y1 || x0 == x1) {
        // A horizontal or vertical line: a rectangle one point thick.
        plot_rect({x0, y0, x1, y1});
        return;
    }
    const int dx = x1 > x0 ? x1 - x0 : x0 - x1;
    const int dy = y1 > y0 ? y1 - y0 : y0 - y1;
    if (dy <= dx)
        draw_sloped_line(x0, y0, x1, y1, false);
    else
        draw_sloped_line(y0, x0, y1, x1, true);
}

void fill_rect(Rect r) {
    if (!clip_to_clip_rect(r)) return;
    const Rect cells{std::max(r.x0, 0), std::max(r.y0, 0), std::min(r.x1, CANVAS_WIDTH - 1),
                     std::min(r.y1, CANVAS_HEIGHT - 1)};
    if (cells.empty()) return;

    const int colour = canvas.pen & 15;
    paint_cells(cells, static_cast<uint16_t>(colour * 0x1111), colour);
}

void frame_rect(Rect r) {
    const auto [x0, y0, x1, y1] = ordered(r);
    draw_line(x0, y0, x0, y1);
    draw_line(x1, y0, x1, y1);
    if (x1 - 1 > x0) {
        draw_line(x0 + 1, y0, x1 - 1, y0);
        draw_line(x0 + 1, y1, x1 - 1, y1);
    }
}

void canvas_plain_fill(int colour) {
    colour &= 15;
    std::fill_n(&canvas.cells[0][0], CANVAS_WIDTH * CANVAS_HEIGHT, static_cast<uint16_t>(colour * 0x1111));
    // One row pixel by pixel, then whole-row copies: the least any writer of
    // every pixel can do, which is what makes this the redraw's yardstick.
    const PaletteColour& rgb = palette[colour];
    uint8_t* first_row = canvas.framebuffer[0][0];
    for (int px = 0; px < FRAMEBUFFER_WIDTH; ++px) {
        first_row[3 * px] = rgb.red;
        first_row[3 * px + 1] = rgb.green;
        first_row[3 * px + 2] = rgb.blue;
    }
    for (int py = 1; py < FRAMEBUFFER_HEIGHT; ++py)
        std::memcpy(canvas.framebuffer[py], first_row, sizeof canvas.framebuffer[py]);
    canvas.changed = {0, 0, FRAMEBUFFER_WIDTH - 1, FRAMEBUFFER_HEIGHT - 1};
}

Rect take_changed_rect() {
    Rect taken = canvas.changed;
    canvas.changed = NOTHING_CHANGED;
    return taken;
}

void damage_canvas(Rect pixels) {
    const Rect o = ordered(pixels);
    const Rect inside{std::max(o.x0, 0), std::max(o.y0, 0), std::min(o.x1, FRAMEBUFFER_WIDTH - 1),
                      std::min(o.y1, FRAMEBUFFER_HEIGHT - 1)};
    if (inside.empty()) return;
    grow_changed(inside);
}
