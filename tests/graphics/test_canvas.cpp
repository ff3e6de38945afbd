// Tests of the canvas and the changed rectangle.
#include <gtest/gtest.h>

#include <random>

#include "graphics/canvas.h"
#include "graphics/framebuffer_check.h"
#include "graphics/geometry.h"
#include "graphics/palette.h"

namespace {

class CanvasTest : public ::testing::Test {
protected:
    void SetUp() override {
        canvas_reset();
        take_changed_rect();
    }
};

void paint_block(int x0, int y0, int x1, int y1, int colour) {
    canvas.pen_mode = PEN_PAINT;
    set_pen_colour(colour);
    fill_rect({x0, y0, x1, y1});
}

// Random points in either mode, with random skip masks at zoom 20.
void scribble(std::mt19937& random, int count) {
    for (int i = 0; i < count; ++i) {
        canvas.pen_mode = random() % 2 ? PEN_INVERT : PEN_PAINT;
        set_pen_colour(static_cast<int>(random() % 16));
        set_skip_mask(static_cast<int>(random() % 16));
        plot_point(static_cast<int>(random() % 640), static_cast<int>(random() % 480));
    }
    clear_skip_mask();
}

TEST_F(CanvasTest, StartsBlankAtNormalZoomWithTheBoardClip) {
    EXPECT_EQ(canvas.zoom, 10);
    EXPECT_EQ(canvas.clip_rect.x0, 0);
    EXPECT_EQ(canvas.clip_rect.y0, 0);
    EXPECT_EQ(canvas.clip_rect.x1, 630);
    EXPECT_EQ(canvas.clip_rect.y1, 400);
    EXPECT_EQ(canvas.pen, 0);
    EXPECT_EQ(canvas.pen_mode, PEN_PAINT);
    for (int y = 0; y < CANVAS_HEIGHT; ++y)
        for (int x = 0; x < CANVAS_WIDTH; ++x) ASSERT_EQ(read_cell(x, y), 0);
    EXPECT_TRUE(framebuffer_mirrors_cells());
}

TEST_F(CanvasTest, PointsOutsideTheClipOrTheCanvasChangeNothing) {
    set_pen_colour(9);
    const CanvasSnapshot before = snapshot_canvas();
    plot_point(631, 10);
    plot_point(10, 401);
    plot_point(-1, 0);
    EXPECT_TRUE(canvas_equals(before));
    EXPECT_EQ(read_cell(631, 10), 0);
    EXPECT_TRUE(take_changed_rect().empty());

    canvas.cells[0][639] = 0x1234;
    EXPECT_EQ(read_cell(640, 0), 0);
    EXPECT_EQ(read_cell(639, 0), 0x1234);
    EXPECT_EQ(read_cell(0, 480), 0);
    EXPECT_EQ(read_cell(-1, -1), 0);
}

TEST_F(CanvasTest, PaintAtNormalZoomStoresTheColourAloneAndIgnoresTheSkipMask) {
    paint_block(5, 5, 5, 5, 14);
    set_pen_colour(3);
    set_skip_mask(0xF);
    plot_point(5, 5);
    EXPECT_EQ(read_cell(5, 5), 3);
    EXPECT_TRUE(pixel_is(5, 5, 3));
    EXPECT_TRUE(framebuffer_mirrors_cells());
}

TEST_F(CanvasTest, PaintAtDoubledZoomLeavesSkippedSubPixels) {
    canvas.zoom = 20;
    paint_block(7, 7, 7, 7, 14);
    set_pen_colour(12);
    set_skip_mask(0x9);  // pen bits 7 (TL) and 4 (BR)
    plot_point(7, 7);
    EXPECT_EQ(read_cell(7, 7), 0xECCE);
    EXPECT_TRUE(pixel_is(14, 14, 14));
    EXPECT_TRUE(pixel_is(15, 14, 12));
    EXPECT_TRUE(pixel_is(14, 15, 12));
    EXPECT_TRUE(pixel_is(15, 15, 14));
    EXPECT_TRUE(framebuffer_mirrors_cells());
}

TEST_F(CanvasTest, InvertComplementsTheCellAtBothZooms) {
    canvas.pen_mode = PEN_INVERT;
    canvas.cells[3][3] = 14;
    plot_point(3, 3);
    EXPECT_EQ(read_cell(3, 3), 1);
    EXPECT_TRUE(pixel_is(3, 3, 1));
    // A filled cell keeps its hidden nibbles, so a second inversion restores it.
    canvas.cells[3][4] = 0xEEEE;
    plot_point(4, 3);
    EXPECT_EQ(read_cell(4, 3) & 15, 1);
    plot_point(4, 3);
    EXPECT_EQ(read_cell(4, 3), 0xEEEE);

    canvas.zoom = 20;
    canvas.cells[4][4] = 0xE0E0;
    plot_point(4, 4);
    EXPECT_EQ(read_cell(4, 4), 0x1F1F);
    EXPECT_TRUE(pixel_is(8, 8, 1));
    EXPECT_TRUE(pixel_is(9, 8, 15));
    EXPECT_TRUE(pixel_is(8, 9, 1));
    EXPECT_TRUE(pixel_is(9, 9, 15));

    set_skip_mask(0x3);  // keep the bottom row
    plot_point(4, 4);
    EXPECT_EQ(read_cell(4, 4), 0xE01F);
}

TEST_F(CanvasTest, InvertingTwiceRestoresCellsAndFramebuffer) {
    std::mt19937 random(7);
    for (int zoom : {10, 20}) {
        canvas_reset();
        canvas.zoom = zoom;
        paint_block(0, 150, 630, 250, 14);
        scribble(random, 3000);
        const CanvasSnapshot before = snapshot_canvas();
        canvas.pen_mode = PEN_INVERT;
        for (int pass = 0; pass < 2; ++pass) {
            for (int mask : {0x0, 0x6, 0x9}) {
                set_skip_mask(mask);
                for (int y = 190; y < 210; ++y)
                    for (int x = 0; x <= 630; x += 3) plot_point(x, y);
            }
        }
        clear_skip_mask();
        EXPECT_TRUE(canvas_equals(before)) << "zoom " << zoom;
    }
}

TEST_F(CanvasTest, FramebufferAlwaysShowsThePaletteOfTheCells) {
    std::mt19937 random(11);
    for (int zoom : {10, 20}) {
        canvas_reset();
        canvas.zoom = zoom;
        for (int round = 0; round < 20; ++round) {
            paint_block(static_cast<int>(random() % 700) - 30, static_cast<int>(random() % 450) - 20,
                        static_cast<int>(random() % 700) - 30, static_cast<int>(random() % 450) - 20,
                        static_cast<int>(random() % 16));
            scribble(random, 500);
        }
        EXPECT_TRUE(framebuffer_mirrors_cells()) << "zoom " << zoom;
    }
}

TEST_F(CanvasTest, ChangedRectangleCoversEveryChangedPixel) {
    std::mt19937 random(3);
    for (int zoom : {10, 20}) {
        canvas_reset();
        canvas.zoom = zoom;
        const Rect whole = take_changed_rect();
        EXPECT_EQ(whole.x0, 0);
        EXPECT_EQ(whole.x1, FRAMEBUFFER_WIDTH - 1);
        EXPECT_EQ(whole.y1, FRAMEBUFFER_HEIGHT - 1);
        EXPECT_TRUE(take_changed_rect().empty()) << "taking it must reset it";
        for (int round = 0; round < 5; ++round) {
            const CanvasSnapshot before = snapshot_canvas();
            const int x = static_cast<int>(random() % 600);
            const int y = static_cast<int>(random() % 380);
            paint_block(x, y, x + static_cast<int>(random() % 30), y + static_cast<int>(random() % 20), round + 1);
            scribble(random, 20);
            const Rect rect = take_changed_rect();
            EXPECT_TRUE(changes_inside(before, rect)) << "zoom " << zoom << " round " << round;
            EXPECT_GE(rect.x0, 0);
            EXPECT_LT(rect.x1, FRAMEBUFFER_WIDTH);
            EXPECT_LT(rect.y1, FRAMEBUFFER_HEIGHT);
        }
    }
}

TEST_F(CanvasTest, ChangedRectangleOfAPointIsItsPixels) {
    canvas.zoom = 20;
    set_pen_colour(2);
    plot_point(10, 12);
    const Rect rect = take_changed_rect();
    EXPECT_EQ(rect.x0, 20);
    EXPECT_EQ(rect.y0, 24);
    EXPECT_EQ(rect.x1, 21);
    EXPECT_EQ(rect.y1, 25);

    damage_canvas({2000, 900, -5, 850});
    const Rect marked = take_changed_rect();
    EXPECT_EQ(marked.x0, 0);
    EXPECT_EQ(marked.y0, 850);
    EXPECT_EQ(marked.x1, FRAMEBUFFER_WIDTH - 1);
    EXPECT_EQ(marked.y1, FRAMEBUFFER_HEIGHT - 1);
    damage_canvas({-10, -10, -1, -1});
    EXPECT_TRUE(take_changed_rect().empty());
}

TEST_F(CanvasTest, AWideClipStillStaysInsideCellsAndFramebuffer) {
    canvas.clip_rect = {-100, -100, 1000, 1000};
    for (int zoom : {10, 20}) {
        canvas.zoom = zoom;
        set_pen_colour(5);
        fill_rect({-50, -50, 2000, 2000});
        EXPECT_EQ(read_cell(0, 0), 0x5555);
        EXPECT_EQ(read_cell(639, 479), 0x5555);
        set_pen_colour(6);
        plot_point(639, 479);
        plot_point(700, 10);
        EXPECT_EQ(read_cell(639, 479), zoom == 20 ? 0x6666 : 6);
        if (zoom == 20) {
            // The point's pixels lie below the framebuffer; the fill reached its last row.
            EXPECT_TRUE(pixel_is(FRAMEBUFFER_WIDTH - 1, FRAMEBUFFER_HEIGHT - 1, 5));
        } else {
            EXPECT_TRUE(pixel_is(639, 479, 6));
        }
    }
}

TEST_F(CanvasTest, PlainFillCoversEverythingRegardlessOfTheClip) {
    canvas.clip_rect = {10, 10, 20, 20};
    canvas_plain_fill(9);
    EXPECT_EQ(read_cell(0, 0), 0x9999);
    EXPECT_EQ(read_cell(639, 479), 0x9999);
    EXPECT_TRUE(pixel_is(0, 0, 9));
    EXPECT_TRUE(pixel_is(FRAMEBUFFER_WIDTH - 1, FRAMEBUFFER_HEIGHT - 1, 9));
    EXPECT_FALSE(take_changed_rect().empty());
}

TEST(Geometry, OrderPairAndRangeOverlapWithCornersInAnyOrder) {
    int a = 9, b = 2;
    order_pair(a, b);
    EXPECT_EQ(a, 2);
    EXPECT_EQ(b, 9);
    EXPECT_TRUE(ranges_overlap(0, 5, 5, 9));  // edges inclusive
    EXPECT_TRUE(ranges_overlap(5, 0, 9, 5));
    EXPECT_FALSE(ranges_overlap(0, 4, 5, 9));
    EXPECT_TRUE(ranges_overlap(3, 3, 0, 10));
    EXPECT_TRUE(rects_overlap({0, 0, 10, 10}, {10, 10, 20, 20}));
    EXPECT_TRUE(rects_overlap({10, 10, 0, 0}, {20, 20, 10, 10}));
    EXPECT_FALSE(rects_overlap({0, 0, 10, 10}, {11, 0, 20, 10}));
    EXPECT_FALSE(rects_overlap({0, 0, 10, 10}, {0, 11, 10, 20}));
}

TEST(Geometry, ClipToClipRectOrdersClampsOrRefuses) {
    canvas_reset();
    Rect r{700, 50, -20, 30};
    EXPECT_TRUE(clip_to_clip_rect(r));
    EXPECT_EQ(r, (Rect{0, 30, 630, 50}));

    r = {631, 0, 700, 10};
    EXPECT_FALSE(clip_to_clip_rect(r));
    r = {0, -5, 10, -1};
    EXPECT_FALSE(clip_to_clip_rect(r));

    canvas.clip_rect = {20, 20, 10, 10};  // an empty clip lets nothing through
    r = {0, 0, 100, 100};
    EXPECT_FALSE(clip_to_clip_rect(r));
    canvas_reset();
}

TEST(Scheme, RedrawOrderRunsEveryLayerOnceThenEnds) {
    bool seen[10] = {};
    int index = ROLE_DRAW_ORDER;
    for (; index < 20 && display_scheme->entry[index] != LAYER_END; ++index) {
        const int layer = display_scheme->entry[index];
        ASSERT_GE(layer, 1);
        ASSERT_LE(layer, 9);
        EXPECT_FALSE(seen[layer]) << "layer " << layer << " twice";
        seen[layer] = true;
    }
    EXPECT_EQ(index, 19);
    for (int layer = 1; layer <= 9; ++layer) EXPECT_TRUE(seen[layer]) << "layer " << layer;
    for (int role = 0; role < ROLE_DRAW_ORDER; ++role) {
        EXPECT_GE(scheme_colour(role), 0);
        EXPECT_LE(scheme_colour(role), 15);
    }
}

}  // namespace
