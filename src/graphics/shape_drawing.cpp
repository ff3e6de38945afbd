// Pictures and lists of marks: many points plotted with one clip test.
#include <algorithm>
#include <array>

#include "graphics/canvas.h"
#include "graphics/canvas_pixels.h"

namespace {

using canvas_pixels::PointPlotter;

// How a stored point (column c, row r) of a w x h picture lands in the
// output: X = x_c * c + x_r * r + x_0, and Y likewise; and, indexed by the
// stored point's ink nibble (8 TL, 4 TR, 2 BL, 1 BR), the output's.
struct Placement {
    int x_c, x_r, x_0, y_c, y_r, y_0;
    const uint8_t* nibble;
};

// For each output sub-pixel (TL, TR, BL, BR) the stored sub-pixel it takes.
using SubPixelSources = std::array<int, 4>;

constexpr std::array<uint8_t, 16> nibble_table(SubPixelSources source_of) {
    std::array<uint8_t, 16> table{};
    for (int stored = 0; stored < 16; ++stored) {
        int out = 0;
        for (int k = 0; k < 4; ++k)
            if (stored & (8 >> source_of[k])) out |= 8 >> k;
        table[stored] = static_cast<uint8_t>(out);
    }
    return table;
}

constexpr auto AS_STORED = nibble_table({0, 1, 2, 3});
constexpr auto HALF_TURN = nibble_table({3, 2, 1, 0});
constexpr auto MIRROR_LR = nibble_table({1, 0, 3, 2});
constexpr auto FLIP_TB = nibble_table({2, 3, 0, 1});
constexpr auto QUARTER_CW = nibble_table({2, 0, 3, 1});
constexpr auto QUARTER_CCW = nibble_table({1, 3, 0, 2});

// False for an orientation that does not exist.
bool placement_of(int orientation, int w, int h, Placement& p) {
    switch (orientation) {
        case ORIENT_AS_STORED: p = {1, 0, 0, 0, 1, 0, AS_STORED.data()}; return true;
        case ORIENT_HALF_TURN: p = {-1, 0, w - 1, 0, -1, h - 1, HALF_TURN.data()}; return true;
        case ORIENT_MIRROR_LR: p = {-1, 0, w - 1, 0, 1, 0, MIRROR_LR.data()}; return true;
        case ORIENT_FLIP_TB: p = {1, 0, 0, 0, -1, h - 1, FLIP_TB.data()}; return true;
        case ORIENT_QUARTER_CW: p = {0, -1, h - 1, 1, 0, 0, QUARTER_CW.data()}; return true;
        case ORIENT_QUARTER_CCW: p = {0, 1, 0, -1, 0, w - 1, QUARTER_CCW.data()}; return true;
        default: return false;
    }
}

constexpr int ink_count(int nibble) { return (nibble & 1) + (nibble >> 1 & 1) + (nibble >> 2 & 1) + (nibble >> 3 & 1); }

// Calls plot(x, y, skip) for every point the picture draws at this zoom:
// at the doubled zoom each point with some ink, skipping its blank
// sub-points; at the normal zoom each with enough ink, whole.
template <typename Plot>
void for_each_shape_point(const ShapeBitmap& shape, const Placement& p, int left, int top, int ink_needed,
                          bool doubled, Plot plot) {
    const int w = shape.width;
    for (int row = 0; row < shape.height; ++row) {
        const char* upper = shape.rows + static_cast<long>(2 * row) * 2 * w;
        const char* lower = upper + 2 * w;
        for (int column = 0; column < w; ++column) {
            const int stored = (upper[2 * column] != ' ') << 3 | (upper[2 * column + 1] != ' ') << 2 |
                               (lower[2 * column] != ' ') << 1 | (lower[2 * column + 1] != ' ');
            if (stored == 0) continue;
            const int x = left + p.x_c * column + p.x_r * row + p.x_0;
            const int y = top + p.y_c * column + p.y_r * row + p.y_0;
            if (doubled) {
                plot(x, y, ~p.nibble[stored] & 15);
            } else if (ink_count(stored) >= ink_needed) {
                plot(x, y, 0);
            }
        }
    }
}

}  // namespace

void draw_shape(int x, int y, const ShapeBitmap& shape, int orientation) {
    const int w = shape.width;
    const int h = shape.height;
    if (w <= 0 || h <= 0 || shape.rows == nullptr) return;
    Placement placement;
    if (!placement_of(orientation, w, h, placement)) return;

    const bool turned = orientation == ORIENT_QUARTER_CW || orientation == ORIENT_QUARTER_CCW;
    const int left = x - (turned ? shape.hot_y : shape.hot_x);
    const int top = y - (turned ? shape.hot_x : shape.hot_y);
    const Rect box{left, top, left + (turned ? h : w) - 1, top + (turned ? w : h) - 1};
    // Turned pictures lose more of their strokes at the normal zoom, so they
    // need less ink to show.
    const int ink_needed = turned ? 2 : 3;
    const bool doubled = canvas.zoom == 20;
    const int colour_only = canvas.pen & 0x0F;

    if (PointPlotter::takes(box)) {
        PointPlotter plotter(colour_only);
        for_each_shape_point(shape, placement, left, top, ink_needed, doubled,
                             [&plotter](int px, int py, int skip) { plotter.plot(px, py, skip); });
    } else {
        for_each_shape_point(shape, placement, left, top, ink_needed, doubled, [colour_only](int px, int py, int skip) {
            canvas.pen = colour_only | (skip << 4);
            plot_point(px, py);
        });
    }
    canvas.pen = colour_only;
}

void plot_marks(int x, int y, const PointMark* marks, int count) {
    if (count <= 0) return;
    Rect box{x + marks[0].dx, y + marks[0].dy, x + marks[0].dx, y + marks[0].dy};
    for (int i = 1; i < count; ++i) {
        box.x0 = std::min(box.x0, x + marks[i].dx);
        box.x1 = std::max(box.x1, x + marks[i].dx);
        box.y0 = std::min(box.y0, y + marks[i].dy);
        box.y1 = std::max(box.y1, y + marks[i].dy);
    }
    if (PointPlotter::takes(box)) {
        PointPlotter plotter(canvas.pen & 15);
        for (int i = 0; i < count; ++i) plotter.plot(x + marks[i].dx, y + marks[i].dy, marks[i].skip & 15);
        return;
    }
    const int pen = canvas.pen;
    for (int i = 0; i < count; ++i) {
        set_skip_mask(marks[i].skip);
        plot_point(x + marks[i].dx, y + marks[i].dy);
    }
    canvas.pen = pen;
}
