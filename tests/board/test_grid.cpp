// Tests of the cell grid, strips, cuts and bridges.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

#include "board/draw.h"
#include "board/grid.h"
#include "graphics/canvas.h"
#include "graphics/geometry.h"
#include "graphics/palette.h"
#include "support/board_builders.h"

namespace {

class GridTest : public ::testing::Test {
protected:
    void SetUp() override { reset_everything(); }
};

bool strip_pixel(int x, int y) { return read_cell(x, y) == scheme_colour(ROLE_STRIP); }

TEST_F(GridTest, SnapsRoundToHolesAndHalfPoints) {
    EXPECT_EQ(snap_to_hole(14), 10);
    EXPECT_EQ(snap_to_hole(15), 20);
    EXPECT_EQ(snap_to_hole(-6), 0);
    EXPECT_EQ(snap_to_hole(-14), 0);
    EXPECT_EQ(snap_to_half(7), 5);
    EXPECT_EQ(snap_to_half(8), 10);
}

TEST_F(GridTest, CellsOutsideTheGridReadZeroAndIgnoreWrites) {
    cell_set(81, 0, 5);
    cell_set(0, 127, 5);
    cell_set(-1, 3, 5);
    cell_set(3, -1, 5);
    EXPECT_EQ(cell_get(81, 0), 0);
    EXPECT_EQ(cell_get(0, 127), 0);
    EXPECT_EQ(cell_get(-1, 3), 0);
    EXPECT_EQ(cell_get(80, 126), 0);
    cell_set(80, 126, 3);
    EXPECT_EQ(cell_get(80, 126), 3);
    // The scratch grid is separate from the board grid.
    scratch_set(80, 126, 7);
    EXPECT_EQ(scratch_get(80, 126), 7);
    EXPECT_EQ(cell_get(80, 126), 3);
    scratch_set(-1, 0, 1);
    EXPECT_EQ(scratch_get(-1, 0), 0);
}

TEST_F(GridTest, SolderPointsCountLeadsAndIgnorePointsOffTheGrid) {
    add_solder_point(20, 50);
    add_solder_point(20, 50);
    EXPECT_EQ(cell_get(10, 4), 2);
    remove_solder_point(20, 50);
    EXPECT_EQ(cell_get(10, 4), 1);
    add_solder_point(640, 50);
    add_solder_point(20, -10);
    for (int r = 0; r < GRID_ROWS; ++r)
        for (int c = 0; c < GRID_COLUMNS; ++c)
            if (!(r == 10 && c == 4)) {
                ASSERT_EQ(cell_get(r, c), 0) << r << "," << c;
            }
}

TEST_F(GridTest, StripEndsStopAtSolderPointsAndCuts) {
    add_solder_point(20, 50);
    add_solder_point(60, 50);
    EXPECT_EQ(strip_right_end(20, 50), 60);
    EXPECT_EQ(strip_left_end(60, 50), 20);
    EXPECT_EQ(strip_left_end(20, 50), 20);  // nothing to the left
    cell_set(10, 7, 1);                     // cut at (35, 50)
    EXPECT_EQ(strip_right_end(20, 50), 20);
    EXPECT_EQ(strip_left_end(60, 50), 60);
    // From the cut position itself the ends are the holes on either side.
    EXPECT_EQ(strip_left_end(35, 50), 20);
    EXPECT_EQ(strip_right_end(35, 50), 60);
}

TEST_F(GridTest, OuterHolesAreNeverFoundFromInside) {
    add_solder_point(0, 50);
    add_solder_point(10, 50);
    EXPECT_EQ(strip_right_end(0, 50), 10);
    EXPECT_EQ(strip_left_end(10, 50), 10);
    // A search from the cut position next to an outer hole runs off the
    // row and returns its start, whether or not the outer hole is used.
    EXPECT_EQ(strip_left_end(5, 50), 5);
    add_solder_point(620, 50);
    add_solder_point(630, 50);
    EXPECT_EQ(strip_right_end(625, 50), 625);
    EXPECT_EQ(strip_right_end(620, 50), 620);
    EXPECT_EQ(strip_left_end(630, 50), 620);
}

TEST_F(GridTest, StripIsDrawnOnlyBetweenTwoSolderPoints) {
    add_solder_point(0, 50);
    add_solder_point(10, 50);
    draw_strip_through(10, 50);
    EXPECT_FALSE(strip_pixel(5, 50));
    draw_strip_through(0, 50);
    EXPECT_TRUE(strip_pixel(5, 50));
    // The solder points at both ends are drawn with it.
    EXPECT_EQ(read_cell(0, 50), scheme_colour(ROLE_SOLDER));
    EXPECT_EQ(read_cell(11, 51), scheme_colour(ROLE_SOLDER));

    // A cleared cut next to the outer column with only one solder point
    // beyond it shows no strip.
    add_solder_point(40, 100);
    draw_strip_through(5, 100);
    draw_strip_through(40, 100);
    for (int x = 0; x <= 40; ++x) EXPECT_FALSE(strip_pixel(x, 100)) << x;
}

// On every row a strip segment shows between two consecutive marked holes
// exactly when no cut lies between them: checked on random rows.
TEST_F(GridTest, RedrawShowsStripsByTheDisplayRule) {
    std::mt19937 random(12345);
    for (int row = 0; row <= 80; row += 2) {
        for (int c = 0; c <= 126; ++c) {
            const int roll = static_cast<int>(random() % 100);
            if (c % 2 == 0 && roll < 30) cell_set(row, c, 1 + roll % 3);
            if (c % 2 == 1 && roll < 15) cell_set(row, c, 1);
        }
    }
    redraw_rect({0, 0, BOARD_RIGHT, BOARD_BOTTOM});
    for (int row = 0; row <= 80; row += 2) {
        const int y = 5 * row;
        int previous_hole = -1;
        bool cut_since = false;
        for (int c = 0; c <= 126; ++c) {
            if (c % 2 == 1) {
                if (cell_get(row, c) != 0) cut_since = true;
                continue;
            }
            if (cell_get(row, c) == 0) {
                // Two units right of a bare hole: away from every mark.
                const bool inside_segment = previous_hole >= 0 && !cut_since && [&] {
                    for (int k = c + 1; k <= 126; ++k) {
                        if (cell_get(row, k) != 0) return k % 2 == 0;
                    }
                    return false;
                }();
                ASSERT_EQ(strip_pixel(5 * c + 2, y), inside_segment) << "x " << 5 * c + 2 << " y " << y;
                continue;
            }
            if (previous_hole >= 0) {
                const bool expected = !cut_since;
                ASSERT_EQ(strip_pixel(5 * previous_hole + 2, y), expected)
                    << "segment " << 5 * previous_hole << ".." << 5 * c << " y " << y;
            }
            previous_hole = c;
            cut_since = false;
        }
    }
}

TEST_F(GridTest, ToggleCellSetsCutsAndBridgesAndTwiceRestores) {
    add_solder_point(20, 50);
    add_solder_point(60, 50);
    redraw_rect({0, 0, BOARD_RIGHT, BOARD_BOTTOM});
    const CanvasSnapshot before = take_canvas_snapshot();
    ASSERT_TRUE(strip_pixel(42, 50));

    toggle_cell(35, 50);
    EXPECT_EQ(cell_get(10, 7), 1);
    EXPECT_FALSE(strip_pixel(42, 50));  // the whole split strip is redrawn
    EXPECT_FALSE(strip_pixel(22, 50));
    EXPECT_EQ(read_cell(35, 50), scheme_colour(ROLE_CUT));
    toggle_cell(35, 50);
    EXPECT_EQ(cell_get(10, 7), 0);
    EXPECT_TRUE(take_canvas_snapshot() == before);

    toggle_cell(30, 45);
    EXPECT_EQ(cell_get(9, 6), 1);
    EXPECT_EQ(read_cell(30, 45), scheme_colour(ROLE_BRIDGE));
    toggle_cell(30, 45);
    EXPECT_EQ(cell_get(9, 6), 0);
    EXPECT_TRUE(take_canvas_snapshot() == before);

    // Holes and the points between four holes are not toggled.
    toggle_cell(30, 50);
    toggle_cell(35, 45);
    EXPECT_EQ(cell_get(10, 6), 0);
    EXPECT_EQ(cell_get(9, 7), 0);
    EXPECT_TRUE(take_canvas_snapshot() == before);
}

}  // namespace

namespace {

// Solder points and bridges are the all-ink pictures 3 x 3 (hot spot 1, 1)
// and 3 x 11 (hot spot 1, 5), the cut its cross picture; drawing them any
// other way must give the same cells and pixels.
TEST_F(GridTest, SolidMarksEqualTheirAllInkPictures) {
    const std::string solder_rows(6 * 6, 'x'), bridge_rows(6 * 22, 'x');
    const ShapeBitmap solder{3, 3, 1, 1, solder_rows.c_str()};
    const ShapeBitmap bridge{3, 11, 1, 5, bridge_rows.c_str()};
    for (int zoom : {10, 20}) {
        for (int x : {100, 0, 630}) {  // the board edges clip both alike
            reset_everything();
            canvas.zoom = zoom;
            canvas_plain_fill(9);
            draw_solder_point(x, 100);
            draw_bridge(x, 205);
            draw_cut(x == 0 ? 0 : x - 5, 300);
            draw_cut(x, 398);
            const CanvasSnapshot drawn = take_canvas_snapshot();
            canvas_plain_fill(9);
            set_pen_colour(scheme_colour(ROLE_SOLDER));
            draw_shape(x, 100, solder, ORIENT_AS_STORED);
            set_pen_colour(scheme_colour(ROLE_BRIDGE));
            draw_shape(x, 205, bridge, ORIENT_AS_STORED);
            set_pen_colour(scheme_colour(ROLE_CUT));
            draw_shape(x == 0 ? 0 : x - 5, 300, cut_shape, ORIENT_AS_STORED);
            draw_shape(x, 398, cut_shape, ORIENT_AS_STORED);
            EXPECT_TRUE(take_canvas_snapshot() == drawn) << "zoom " << zoom << " x " << x;
        }
    }
}

}  // namespace

namespace {

// The redraw of a board without objects, layer by layer in the plainest
// form: every marked hole draws the strip through it. The real redraw
// draws each segment once; the pictures must agree for any rectangle.
void reference_redraw(int x0, int y0, int x1, int y1) {
    const Rect saved = canvas.clip_rect;
    canvas.clip_rect = Rect{std::max(0, x0), std::max(0, y0), std::min(630, x1), std::min(400, y1)};
    const int c0 = std::max(0, x0 / 10 * 2), r0 = std::max(0, y0 / 10 * 2);
    const int c1 = std::min(126, (x1 / 10 + 1) * 2), r1 = std::min(80, (y1 / 10 + 1) * 2);
    set_pen_colour(scheme_colour(ROLE_BACKGROUND));
    fill_rect({x0, y0, x1, y1});
    for (int r = r0; r <= r1; r += 2)
        for (int c = c0; c <= c1; c += 2) {
            set_pen_colour(scheme_colour(ROLE_HOLE));
            plot_point(5 * c, 5 * r);
        }
    set_pen_colour(scheme_colour(ROLE_TICK));
    for (int r = r0; r <= r1; r += 2)
        for (int c = c0; c <= c1; c += 2) {
            if (r % 5 == 0) draw_line(5 * c - 6, 5 * r, 5 * c - 4, 5 * r);
            if (c % 5 == 0) draw_line(5 * c, 5 * r - 6, 5 * c, 5 * r - 4);
        }
    // Whole rows, clipped: every strip that crosses the rectangle, also one
    // ending on an edge column.
    auto walk = [&](auto&& visit) {
        for (int r = r0; r <= r1; r += 2)
            for (int c = 0; c <= 126; ++c) visit(r, c);
    };
    walk([](int r, int c) { if (c % 2 == 0 && cell_get(r, c) != 0) draw_strip_through(5 * c, 5 * r); });
    walk([](int r, int c) { if (c % 2 == 0 && cell_get(r, c) != 0) draw_solder_point(5 * c, 5 * r); });
    // Bridges reach a hole row beyond their own, so the one above counts.
    for (int r = std::max(1, r0 - 1); r <= r1; r += 2)
        for (int c = c0; c <= c1; c += 2)
            if (cell_get(r, c) != 0) draw_bridge(5 * c, 5 * r);
    walk([](int r, int c) { if (c % 2 == 1 && cell_get(r, c) != 0) draw_cut(5 * c, 5 * r); });
    canvas.clip_rect = saved;
}

TEST_F(GridTest, RedrawOfAnyRectangleMatchesTheLayerByLayerPicture) {
    std::mt19937 random(777);
    auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    for (int trial = 0; trial < 24; ++trial) {
        reset_everything();
        canvas.zoom = trial % 2 ? 20 : 10;
        for (int r = 0; r <= 80; ++r)
            for (int c = 0; c <= 126; ++c) {
                const int roll = pick(100);
                if (r % 2 == 0 && c % 2 == 0 && roll < 35) cell_set(r, c, 1 + roll % 2);
                if (r % 2 == 0 && c % 2 == 1 && roll < 8) cell_set(r, c, 1);
                if (r % 2 == 1 && c % 2 == 0 && roll < 5) cell_set(r, c, 1);
            }
        // Whole board, the edges, and rectangles starting and ending anywhere.
        int x0 = pick(660) - 20, y0 = pick(430) - 20, x1 = pick(660) - 20, y1 = pick(430) - 20;
        if (trial < 2) x0 = 0, y0 = 0, x1 = 630, y1 = 400;
        if (trial == 2 || trial == 3) x0 = 600, y0 = 0, x1 = 640, y1 = 400;
        if (trial == 4 || trial == 5) x0 = -10, y0 = 100, x1 = 19, y1 = 139;
        canvas_plain_fill(3);
        redraw_rect({x0, y0, x1, y1});
        const CanvasSnapshot drawn = take_canvas_snapshot();
        canvas_plain_fill(3);
        order_pair(x0, x1);
        order_pair(y0, y1);
        reference_redraw(x0, y0, x1, y1);
        ASSERT_TRUE(take_canvas_snapshot() == drawn)
            << "trial " << trial << " rect " << x0 << "," << y0 << " " << x1 << "," << y1;
    }
}

}  // namespace
