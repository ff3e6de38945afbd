// Straight lines are painted as filled runs of points; they must come out
// exactly as plotting each point of the line would make them.
#include <gtest/gtest.h>

#include <random>

#include "graphics/canvas.h"
#include "graphics/framebuffer_check.h"
#include "graphics/geometry.h"

namespace {

struct Pen {
    int zoom, colour, skip, mode;
    Rect clip;
};

void use(const Pen& pen) {
    canvas.zoom = pen.zoom;
    canvas.pen_mode = pen.mode;
    set_pen_colour(pen.colour);
    set_skip_mask(pen.skip);
    canvas.clip_rect = pen.clip;
}

// The reference: every point of the clipped line through plot_point.
void plot_each_point(int x0, int y0, int x1, int y1) {
    Rect r{x0, y0, x1, y1};
    if (!clip_to_clip_rect(r)) return;
    for (int y = r.y0; y <= r.y1; ++y)
        for (int x = r.x0; x <= r.x1; ++x) plot_point(x, y);
}

// Into buffers kept across rounds: fresh 4 MB buffers would make the test
// mostly page faults.
void copy_canvas_into(CanvasSnapshot& snapshot) {
    snapshot.cells.assign(&canvas.cells[0][0], &canvas.cells[0][0] + CANVAS_WIDTH * CANVAS_HEIGHT);
    snapshot.framebuffer.assign(&canvas.framebuffer[0][0][0],
                                &canvas.framebuffer[0][0][0] + sizeof canvas.framebuffer);
}

TEST(StraightLines, MatchPlottingEveryPointForAnyPenClipAndPosition) {
    std::mt19937 random(13);
    CanvasSnapshot before, expected;
    canvas_reset();
    auto any = [&random](int low, int high) { return low + static_cast<int>(random() % (high - low + 1)); };
    for (int round = 0; round < 80; ++round) {
        // Clips reach past the cells and the framebuffer now and then.
        const Pen pen{round % 2 ? 20 : 10, any(0, 15), any(0, 3) == 0 ? any(0, 15) : 0,
                      any(0, 4) == 0 ? PEN_INVERT : PEN_PAINT,
                      Rect{any(-20, 300), any(-20, 200), any(300, 700), any(200, 520)}};
        const bool horizontal = any(0, 1) == 1;
        const int a = any(-30, 680), b = any(-30, 680), at = any(-30, 520);
        canvas.zoom = pen.zoom;
        canvas.pen_mode = PEN_PAINT;
        canvas.clip_rect = Rect{0, 0, 630, 470};
        for (int i = 0; i < 6; ++i) {  // a picture with several colours under the line
            set_pen_colour(any(0, 15));
            fill_rect({any(0, 630), any(0, 470), any(0, 630), any(0, 470)});
        }
        take_changed_rect();
        copy_canvas_into(before);

        use(pen);
        if (horizontal) {
            plot_each_point(a, at, b, at);
        } else {
            plot_each_point(at, a, at, b);
        }
        copy_canvas_into(expected);
        const Rect expected_changed = take_changed_rect();

        std::memcpy(canvas.cells, before.cells.data(), sizeof canvas.cells);
        std::memcpy(canvas.framebuffer, before.framebuffer.data(), sizeof canvas.framebuffer);
        use(pen);
        if (horizontal) {
            draw_line(a, at, b, at);
        } else {
            draw_line(at, a, at, b);
        }
        const Rect changed = take_changed_rect();
        ASSERT_TRUE(canvas_equals(expected)) << "round " << round;
        ASSERT_EQ(changed.empty(), expected_changed.empty()) << "round " << round;
        if (!changed.empty()) {
            EXPECT_EQ(changed.x0, expected_changed.x0);
            EXPECT_EQ(changed.y0, expected_changed.y0);
            EXPECT_EQ(changed.x1, expected_changed.x1);
            EXPECT_EQ(changed.y1, expected_changed.y1);
        }
    }
    canvas_reset();
}

// Painting with a skip mask at the doubled zoom, and narrow and wide
// rectangles, keep the framebuffer showing the cells' colours.
TEST(StraightLines, MasksAndRectanglesOfEveryWidthKeepThePictureConsistent) {
    std::mt19937 random(7);
    for (int zoom : {10, 20}) {
        canvas_reset();
        canvas.zoom = zoom;
        for (int i = 0; i < 3000; ++i) {
            canvas.pen_mode = i % 5 == 0 ? PEN_INVERT : PEN_PAINT;
            set_pen_colour(static_cast<int>(random() % 16));
            set_skip_mask(static_cast<int>(random() % 16));
            const int x = static_cast<int>(random() % 640), y = static_cast<int>(random() % 410);
            const int w = static_cast<int>(random() % (i % 3 == 0 ? 60 : 8));
            if (i % 2) {
                plot_point(x, y);
            } else {
                clear_skip_mask();
                fill_rect({x, y, x + w, y + static_cast<int>(random() % 12)});
            }
        }
        clear_skip_mask();
        EXPECT_TRUE(framebuffer_mirrors_cells()) << "zoom " << zoom;
    }
    canvas_reset();
}

}  // namespace
