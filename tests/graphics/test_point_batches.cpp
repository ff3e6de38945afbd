// Pictures, mark lists and solid rectangles plot many points with one clip
// test; whatever the pen, clip and place, they must come out exactly as
// plotting each of their points with plot_point.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "graphics/canvas.h"
#include "graphics/framebuffer_check.h"
#include "graphics/geometry.h"
#include "graphics/shape.h"

namespace {

std::mt19937 random_source(2013);

int any(int low, int high) { return low + static_cast<int>(random_source() % (high - low + 1)); }

// A random pen and clip; the clip reaches past the cells and the
// framebuffer now and then, and the canvas under them holds a picture.
void random_canvas_and_pen() {
    canvas.zoom = any(0, 1) ? 20 : 10;
    canvas.pen_mode = PEN_PAINT;
    canvas.clip_rect = Rect{0, 0, 639, 479};
    for (int i = 0; i < 5; ++i) {
        set_pen_colour(any(0, 15));
        fill_rect({any(0, 639), any(0, 479), any(0, 639), any(0, 479)});
    }
    canvas.clip_rect = any(0, 2) == 0 ? Rect{any(-20, 640), any(-20, 480), any(-20, 700), any(-20, 520)}
                                      : Rect{0, 0, 630, 400};
    canvas.pen_mode = any(0, 4) == 0 ? PEN_INVERT : PEN_PAINT;
    set_pen_colour(any(0, 15));
    set_skip_mask(any(0, 3) == 0 ? any(0, 15) : 0);
    take_changed_rect();
}

// A place that is often near an edge of the clip, the cells or the
// framebuffer, where the batch must fall back to testing each point.
int any_place(int edge) {
    switch (any(0, 3)) {
        case 0: return any(edge - 12, edge + 12);
        case 1: return any(-12, 12);
        default: return any(0, edge);
    }
}

// Into buffers kept across rounds: fresh 4 MB buffers would make the test
// mostly page faults.
void copy_canvas_into(CanvasSnapshot& snapshot) {
    snapshot.cells.assign(&canvas.cells[0][0], &canvas.cells[0][0] + CANVAS_WIDTH * CANVAS_HEIGHT);
    snapshot.framebuffer.assign(&canvas.framebuffer[0][0][0],
                                &canvas.framebuffer[0][0][0] + sizeof canvas.framebuffer);
}

// Runs reference and batch on the same canvas and pen; true when they
// agree on the picture, the changed rectangle and the pen left behind.
::testing::AssertionResult same_outcome(const std::function<void()>& reference, const std::function<void()>& batch) {
    static CanvasSnapshot before, expected;
    copy_canvas_into(before);
    const int pen = canvas.pen;
    reference();
    copy_canvas_into(expected);
    const Rect expected_changed = take_changed_rect();
    const int expected_pen = canvas.pen;

    std::memcpy(canvas.cells, before.cells.data(), sizeof canvas.cells);
    std::memcpy(canvas.framebuffer, before.framebuffer.data(), sizeof canvas.framebuffer);
    canvas.pen = pen;
    batch();
    const Rect changed = take_changed_rect();
    if (!canvas_equals(expected)) return ::testing::AssertionFailure() << "the pictures differ";
    if (changed.empty() != expected_changed.empty() || (!changed.empty() && !(changed == expected_changed)))
        return ::testing::AssertionFailure() << "changed (" << changed.x0 << "," << changed.y0 << ")-(" << changed.x1
                                             << "," << changed.y1 << ") instead of (" << expected_changed.x0 << ","
                                             << expected_changed.y0 << ")-(" << expected_changed.x1 << ","
                                             << expected_changed.y1 << ")";
    if (canvas.pen != expected_pen)
        return ::testing::AssertionFailure() << "pen " << canvas.pen << " not " << expected_pen;
    return ::testing::AssertionSuccess();
}

// Where sub-pixel (j, i) of a W x H sub-pixel picture goes when turned or
// mirrored: the picture's definition, independent of the drawing code.
void turned_sub_pixel(int orientation, int j, int i, int W, int H, int& out_j, int& out_i) {
    switch (orientation) {
        case ORIENT_QUARTER_CW: out_j = H - 1 - i; out_i = j; break;
        case ORIENT_HALF_TURN: out_j = W - 1 - j; out_i = H - 1 - i; break;
        case ORIENT_QUARTER_CCW: out_j = i; out_i = W - 1 - j; break;
        case ORIENT_MIRROR_LR: out_j = W - 1 - j; out_i = i; break;
        case ORIENT_FLIP_TB: out_j = j; out_i = H - 1 - i; break;
        default: out_j = j; out_i = i; break;
    }
}

// The reference picture: each inked sub-pixel moved to its place, then
// every output point with ink plotted on its own, leaving its blank
// sub-points alone at the doubled zoom, and plotted whole at the normal
// zoom when enough of it is inked.
void plot_shape_point_by_point(int x, int y, const ShapeBitmap& shape, int orientation) {
    const bool turned = orientation == ORIENT_QUARTER_CW || orientation == ORIENT_QUARTER_CCW;
    const int out_w = turned ? shape.height : shape.width, out_h = turned ? shape.width : shape.height;
    std::vector<int> ink(static_cast<size_t>(out_w * out_h), 0);  // nibble per output point, 8 TL .. 1 BR
    for (int i = 0; i < 2 * shape.height; ++i) {
        for (int j = 0; j < 2 * shape.width; ++j) {
            if (!shape_ink(shape, j, i)) continue;
            int oj, oi;
            turned_sub_pixel(orientation, j, i, 2 * shape.width, 2 * shape.height, oj, oi);
            ink[static_cast<size_t>((oi / 2) * out_w + oj / 2)] |= 8 >> ((oj & 1) + 2 * (oi & 1));
        }
    }
    const int left = x - (turned ? shape.hot_y : shape.hot_x), top = y - (turned ? shape.hot_x : shape.hot_y);
    const int colour = pen_colour();
    for (int Y = 0; Y < out_h; ++Y) {
        for (int X = 0; X < out_w; ++X) {
            const int nibble = ink[static_cast<size_t>(Y * out_w + X)];
            const int count = (nibble & 1) + (nibble >> 1 & 1) + (nibble >> 2 & 1) + (nibble >> 3 & 1);
            if (canvas.zoom == 20 ? count == 0 : count < (turned ? 2 : 3)) continue;
            canvas.pen = colour | (canvas.zoom == 20 ? (~nibble & 15) << 4 : 0);
            plot_point(left + X, top + Y);
        }
    }
    canvas.pen = colour;
}

TEST(PointBatches, PicturesMatchPlottingEachPointInEveryOrientation) {
    canvas_reset();
    const int orientations[] = {ORIENT_AS_STORED, ORIENT_QUARTER_CW, ORIENT_HALF_TURN,
                                ORIENT_QUARTER_CCW, ORIENT_MIRROR_LR, ORIENT_FLIP_TB};
    for (int round = 0; round < 150; ++round) {
        random_canvas_and_pen();
        const int w = any(1, 12), h = any(1, 20);
        std::string rows(static_cast<size_t>(4 * w * h), ' ');
        const int density = any(1, 4);
        for (char& c : rows)
            if (any(0, 4) < density) c = 'x';
        const ShapeBitmap shape{w, h, any(-2, w + 1), any(-2, h + 1), rows.c_str()};
        const int orientation = orientations[round % 6];
        const int x = any_place(canvas.zoom == 20 ? 639 : 640), y = any_place(canvas.zoom == 20 ? 428 : 480);
        ASSERT_TRUE(same_outcome([&] { plot_shape_point_by_point(x, y, shape, orientation); },
                                 [&] { draw_shape(x, y, shape, orientation); }))
            << "round " << round << " zoom " << canvas.zoom << " orientation " << orientation << " at " << x << ","
            << y;
    }
    canvas_reset();
}

TEST(PointBatches, MarkListsAndSolidRectanglesMatchPlottingEachPoint) {
    canvas_reset();
    for (int round = 0; round < 150; ++round) {
        random_canvas_and_pen();
        const int x = any_place(canvas.zoom == 20 ? 639 : 640), y = any_place(canvas.zoom == 20 ? 428 : 480);
        std::vector<PointMark> marks(static_cast<size_t>(any(1, 30)));
        for (PointMark& m : marks)
            m = {static_cast<int16_t>(any(-6, 6)), static_cast<int16_t>(any(-6, 6)), static_cast<uint8_t>(any(0, 15))};
        ASSERT_TRUE(same_outcome(
            [&] {
                const int pen = canvas.pen;
                for (const PointMark& m : marks) {
                    set_skip_mask(m.skip);
                    plot_point(x + m.dx, y + m.dy);
                }
                canvas.pen = pen;
            },
            [&] { plot_marks(x, y, marks.data(), static_cast<int>(marks.size())); }))
            << "marks, round " << round;

        const Rect r{x, y, x + any(-8, 8), y + any(-14, 14)};
        ASSERT_TRUE(same_outcome(
            [&] {
                const Rect o = ordered(r);
                for (int py = o.y0; py <= o.y1; ++py)
                    for (int px = o.x0; px <= o.x1; ++px) plot_point(px, py);
            },
            [&] { plot_rect(r); }))
            << "rectangle, round " << round;
    }
    canvas_reset();
}

}  // namespace
