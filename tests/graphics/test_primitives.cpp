// Tests of the drawing primitives.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <set>
#include <string>
#include <utility>

#include "graphics/canvas.h"
#include "graphics/framebuffer_check.h"
#include "graphics/palette.h"
#include "graphics/shape.h"

namespace {

using Point = std::pair<int, int>;
using PointSet = std::set<Point>;

PointSet inked_points() {
    PointSet points;
    for (int y = 0; y < CANVAS_HEIGHT; ++y)
        for (int x = 0; x < CANVAS_WIDTH; ++x)
            if (canvas.cells[y][x] != 0) points.insert({x, y});
    return points;
}

PointSet line_points(int x0, int y0, int x1, int y1) {
    canvas_reset();
    set_pen_colour(15);
    draw_line(x0, y0, x1, y1);
    return inked_points();
}

// A picture whose rows the test builds; ink is any character but a space.
struct TestShape {
    std::string rows;
    ShapeBitmap bitmap;
    TestShape(int width, int height, int hot_x, int hot_y, std::string text)
        : rows(std::move(text)), bitmap{width, height, hot_x, hot_y, nullptr} {
        rows.resize(static_cast<size_t>(4 * width * height), ' ');
        bitmap.rows = rows.c_str();
    }
    void ink(int j, int i) { rows[static_cast<size_t>(i * 2 * bitmap.width + j)] = 'x'; }
};

class Primitives : public ::testing::Test {
protected:
    void SetUp() override { canvas_reset(); }
};

TEST_F(Primitives, LineStepsTheMinorCoordinateOnAZeroDecision) {
    const PointSet descending = {{0, 0}, {1, 1}, {2, 1}, {3, 2}, {4, 2}};
    EXPECT_EQ(line_points(0, 0, 4, 2), descending);
    EXPECT_EQ(line_points(4, 2, 0, 0), descending);

    const PointSet ascending = {{0, 2}, {1, 1}, {2, 1}, {3, 0}, {4, 0}};
    EXPECT_EQ(line_points(0, 2, 4, 0), ascending);
    EXPECT_EQ(line_points(4, 0, 0, 2), ascending);

    const PointSet steep = {{0, 0}, {1, 1}, {1, 2}, {2, 3}, {2, 4}};
    EXPECT_EQ(line_points(0, 0, 2, 4), steep);
    EXPECT_EQ(line_points(2, 4, 0, 0), steep);

    EXPECT_EQ(line_points(3, 3, 3, 3), PointSet({{3, 3}}));
}

TEST_F(Primitives, AnyLineIsConnectedCoversItsEndsAndIgnoresDirection) {
    std::mt19937 random(5);
    for (int trial = 0; trial < 200; ++trial) {
        const int x0 = static_cast<int>(random() % 631), y0 = static_cast<int>(random() % 401);
        const int x1 = static_cast<int>(random() % 631), y1 = static_cast<int>(random() % 401);
        const PointSet points = line_points(x0, y0, x1, y1);
        const int dx = std::abs(x1 - x0), dy = std::abs(y1 - y0);
        ASSERT_EQ(points.size(), static_cast<size_t>(std::max(dx, dy) + 1))
            << x0 << "," << y0 << " " << x1 << "," << y1;
        EXPECT_TRUE(points.count({x0, y0}));
        EXPECT_TRUE(points.count({x1, y1}));
        for (const Point& p : points) {
            if (p == Point{x0, y0} || p == Point{x1, y1}) continue;
            int neighbours = 0;
            for (int ox = -1; ox <= 1; ++ox)
                for (int oy = -1; oy <= 1; ++oy)
                    if ((ox || oy) && points.count({p.first + ox, p.second + oy})) ++neighbours;
            ASSERT_GE(neighbours, 2) << "gap next to " << p.first << "," << p.second;
        }
        EXPECT_EQ(line_points(x1, y1, x0, y0), points);
    }
}

TEST_F(Primitives, LinesAreClippedPointByPoint) {
    PointSet row = line_points(-10, 5, 700, 5);
    EXPECT_EQ(row.size(), 631u);
    EXPECT_EQ(row.begin()->first, 0);
    EXPECT_EQ(row.rbegin()->first, 630);
    EXPECT_TRUE(line_points(5, 401, 5, 900).empty());

    // A slanted line through the clip edge keeps exactly its inside points.
    canvas_reset();
    canvas.clip_rect = {0, 0, CANVAS_WIDTH - 1, CANVAS_HEIGHT - 1};
    set_pen_colour(15);
    draw_line(600, 350, 639, 479);
    PointSet expected;
    for (const Point& p : inked_points())
        if (p.first <= 630 && p.second <= 400) expected.insert(p);
    EXPECT_EQ(line_points(600, 350, 639, 479), expected);
}

TEST_F(Primitives, FillRectTakesCornersInAnyOrderAtBothZooms) {
    for (int zoom : {10, 20}) {
        canvas_reset();
        canvas.zoom = zoom;
        set_pen_colour(13);
        fill_rect({10, 10, 5, 5});
        const PointSet reversed = inked_points();
        const CanvasSnapshot first = snapshot_canvas();
        canvas_reset();
        canvas.zoom = zoom;
        set_pen_colour(13);
        fill_rect({5, 5, 10, 10});
        EXPECT_TRUE(canvas_equals(first));
        EXPECT_EQ(reversed.size(), 36u);
        for (const Point& p : reversed) EXPECT_EQ(read_cell(p.first, p.second), 0xDDDD);
        EXPECT_TRUE(framebuffer_mirrors_cells());
    }
}

TEST_F(Primitives, FillRectAtDoubledZoomPaintsExactlyItsPixels) {
    canvas.zoom = 20;
    set_pen_colour(4);
    fill_rect({3, 2, 5, 4});
    for (int py = 0; py < 14; ++py) {
        for (int px = 0; px < 16; ++px) {
            const bool inside = px >= 6 && px <= 11 && py >= 4 && py <= 9;
            EXPECT_TRUE(pixel_is(px, py, inside ? 4 : 0)) << px << "," << py;
        }
    }
}

TEST_F(Primitives, FillRectPaintsWhateverTheModeAndMask) {
    canvas.zoom = 20;
    canvas.pen_mode = PEN_INVERT;
    set_pen_colour(3);
    set_skip_mask(0xF);
    fill_rect({0, 0, 2, 2});
    EXPECT_EQ(read_cell(1, 1), 0x3333);
    EXPECT_TRUE(framebuffer_mirrors_cells());

    const CanvasSnapshot before = snapshot_canvas();
    fill_rect({631, 0, 700, 50});
    EXPECT_TRUE(canvas_equals(before));
    fill_rect({620, 390, 700, 500});
    EXPECT_EQ(read_cell(630, 400), 0x3333);
    EXPECT_EQ(read_cell(631, 400), 0);
    EXPECT_EQ(read_cell(630, 401), 0);
}

TEST_F(Primitives, InvertedFrameShowsEachOutlinePointOnce) {
    canvas.pen_mode = PEN_INVERT;
    frame_rect({20, 10, 24, 13});
    const PointSet outline = inked_points();
    EXPECT_EQ(outline.size(), 14u);  // 2 * 5 + 2 * 2
    for (const Point& p : outline) {
        EXPECT_TRUE(p.first == 20 || p.first == 24 || p.second == 10 || p.second == 13);
        EXPECT_EQ(read_cell(p.first, p.second), 15) << "inverted more than once";
    }
    frame_rect({24, 13, 20, 10});
    EXPECT_TRUE(inked_points().empty());

    frame_rect({30, 30, 32, 35});  // three wide: every outline point shows
    EXPECT_EQ(inked_points().size(), 14u);
}

TEST_F(Primitives, InvertedFrameOneUnitWideLeavesNoTrace) {
    for (int zoom : {10, 20}) {
        canvas_reset();
        canvas.zoom = zoom;
        set_pen_colour(6);
        fill_rect({0, 0, 100, 100});
        const CanvasSnapshot before = snapshot_canvas();
        canvas.pen_mode = PEN_INVERT;
        frame_rect({40, 40, 40, 60});
        EXPECT_TRUE(canvas_equals(before)) << "zoom " << zoom;
    }
}

TEST_F(Primitives, FullShapeCoversTheNinePointsAroundItsHotSpotInEveryOrientation) {
    TestShape full(3, 3, 1, 1, std::string(36, 'x'));
    for (int zoom : {10, 20}) {
        for (int orientation : {0, 1, 2, 3, 4, 6}) {
            canvas_reset();
            canvas.zoom = zoom;
            set_pen_colour(11);
            draw_shape(50, 60, full.bitmap, orientation);
            PointSet expected;
            for (int y = 59; y <= 61; ++y)
                for (int x = 49; x <= 51; ++x) expected.insert({x, y});
            EXPECT_EQ(inked_points(), expected) << "zoom " << zoom << " orientation " << orientation;
            EXPECT_EQ(read_cell(50, 60), zoom == 20 ? 0xBBBB : 0xB);
            EXPECT_TRUE(framebuffer_mirrors_cells());
        }
    }
}

// Where sub-pixel (j, i) of a W x H sub-pixel picture goes when turned or mirrored.
Point turned_sub_pixel(int orientation, int j, int i, int W, int H) {
    switch (orientation) {
        case ORIENT_QUARTER_CW: return {H - 1 - i, j};
        case ORIENT_HALF_TURN: return {W - 1 - j, H - 1 - i};
        case ORIENT_QUARTER_CCW: return {i, W - 1 - j};
        case ORIENT_MIRROR_LR: return {W - 1 - j, i};
        case ORIENT_FLIP_TB: return {j, H - 1 - i};
        default: return {j, i};
    }
}

TEST_F(Primitives, EachSubPixelLandsWhereTheTurnOrMirrorPutsIt) {
    const int w = 3, h = 2, hot_x = 1, hot_y = 0, x = 100, y = 80;
    for (int orientation : {0, 1, 2, 3, 4, 6}) {
        const bool turned = orientation == 1 || orientation == 3;
        const int origin_x = 2 * (x - (turned ? hot_y : hot_x));
        const int origin_y = 2 * (y - (turned ? hot_x : hot_y));
        for (int i = 0; i < 2 * h; ++i) {
            for (int j = 0; j < 2 * w; ++j) {
                TestShape dot(w, h, hot_x, hot_y, "");
                dot.ink(j, i);
                canvas_reset();
                canvas.zoom = 20;
                set_pen_colour(9);
                draw_shape(x, y, dot.bitmap, orientation);
                const Point target = turned_sub_pixel(orientation, j, i, 2 * w, 2 * h);
                const int sx = origin_x + target.first, sy = origin_y + target.second;
                const PointSet points = inked_points();
                ASSERT_EQ(points.size(), 1u);
                const Point cell = *points.begin();
                ASSERT_EQ(cell, Point(sx / 2, sy / 2)) << "orientation " << orientation << " sub " << j << "," << i;
                const int nibble_shift = 12 - 4 * ((sx & 1) + 2 * (sy & 1));
                EXPECT_EQ(read_cell(cell.first, cell.second), 9 << nibble_shift)
                    << "orientation " << orientation << " sub " << j << "," << i;
                EXPECT_TRUE(pixel_is(sx, sy, 9));
            }
        }
    }
}

TEST_F(Primitives, NormalZoomNeedsThreeInkSubPixelsUnlessTurned) {
    TestShape two(1, 1, 0, 0, "x  x");    // TL and BR
    TestShape three(1, 1, 0, 0, "xx x");  // TL, TR, BR
    TestShape one(1, 1, 0, 0, " x  ");
    for (int orientation : {0, 1, 2, 3, 4, 6}) {
        const bool turned = orientation == 1 || orientation == 3;
        canvas_reset();
        set_pen_colour(1);
        draw_shape(10, 10, two.bitmap, orientation);
        draw_shape(12, 10, three.bitmap, orientation);
        draw_shape(14, 10, one.bitmap, orientation);
        EXPECT_EQ(read_cell(10, 10), turned ? 1 : 0) << "orientation " << orientation;
        EXPECT_EQ(read_cell(12, 10), 1) << "orientation " << orientation;
        EXPECT_EQ(read_cell(14, 10), 0) << "orientation " << orientation;
    }
}

TEST_F(Primitives, BlankSubPixelsKeepWhatLiesBeneath) {
    canvas.zoom = 20;
    set_pen_colour(14);
    fill_rect({0, 0, 10, 10});
    TestShape diagonal(1, 1, 0, 0, "x  x");
    set_pen_colour(0);
    draw_shape(5, 5, diagonal.bitmap, 0);
    EXPECT_EQ(read_cell(5, 5), 0x0EE0);
    EXPECT_EQ(canvas.pen, 0) << "skip mask left set";
    EXPECT_TRUE(framebuffer_mirrors_cells());

    canvas.pen_mode = PEN_INVERT;
    draw_shape(5, 5, diagonal.bitmap, 2);
    EXPECT_EQ(read_cell(5, 5), 0xFEEF);
}

TEST_F(Primitives, ShapesAreClippedAndUnknownOrientationsDrawNothing) {
    TestShape full(4, 4, 0, 0, std::string(64, 'x'));
    for (int zoom : {10, 20}) {
        canvas_reset();
        canvas.zoom = zoom;
        set_pen_colour(7);
        draw_shape(629, 399, full.bitmap, 0);
        EXPECT_EQ(inked_points().size(), 4u);
        draw_shape(-2, -2, full.bitmap, 1);
        EXPECT_EQ(inked_points().size(), 8u);
        EXPECT_TRUE(framebuffer_mirrors_cells());
        const CanvasSnapshot before = snapshot_canvas();
        draw_shape(100, 100, full.bitmap, 5);
        draw_shape(100, 100, full.bitmap, 7);
        EXPECT_TRUE(canvas_equals(before));
    }
}

}  // namespace
