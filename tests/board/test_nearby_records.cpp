// Tests that redraws over records gathered in advance paint what a walk of every record paints.
#include <gtest/gtest.h>

#include <random>

#include "board/draw.h"
#include "board/grid.h"
#include "board/objects.h"
#include "graphics/canvas.h"
#include "support/board_builders.h"

namespace {

void blank_board() {
    const Rect saved = canvas.clip_rect;
    canvas.clip_rect = {0, 0, BOARD_RIGHT, BOARD_BOTTOM};
    set_pen_colour(0);
    fill_rect({0, 0, BOARD_RIGHT, BOARD_BOTTOM});
    canvas.clip_rect = saved;
}

Rect random_rect(std::mt19937& rng) {
    std::uniform_int_distribution<int> x(-40, BOARD_RIGHT + 40), y(-40, BOARD_BOTTOM + 40), span(0, 160);
    const int x0 = x(rng), y0 = y(rng);
    return {x0, y0, x0 + span(rng), y0 + span(rng)};  // sometimes off the board
}

}  // namespace

// The gathered area sometimes holds the redrawn rectangle and sometimes not,
// and one spot holds more records than either gathered list keeps, so both
// the gathered lists and the fall-back walks are compared.
TEST(NearbyRecords, RedrawsInsideAGatheredAreaPaintAsAFullWalkDoes) {
    for (int zoom : {10, 20}) {
        reset_everything();
        canvas.zoom = zoom;
        dense_board();
        for (int i = 0; i < 1100; ++i) add_wire("WIRE", 0, 200 + i % 7 * 10, 200, 200 + i % 5 * 10, 260);
        std::mt19937 rng(13 + zoom);
        blank_board();
        const CanvasSnapshot blank = take_canvas_snapshot();
        int painted = 0;
        for (int trial = 0; trial < 60; ++trial) {
            const Rect r = trial % 4 == 0 ? Rect{190, 190, 280, 270} : random_rect(rng);
            Rect area = r;
            if (trial % 3 != 0) area = {r.x0 - 20, r.y0 - 20, r.x1 + 20, r.y1 + 20};
            if (trial % 5 == 1) area = random_rect(rng);
            blank_board();
            redraw_rect(r);
            const CanvasSnapshot walked = take_canvas_snapshot();
            blank_board();
            begin_nearby_records(area);
            redraw_rect(r);
            end_nearby_records();
            EXPECT_TRUE(take_canvas_snapshot() == walked) << "zoom " << zoom << " trial " << trial;
            painted += !(walked == blank);
        }
        EXPECT_GT(painted, 30);  // the comparisons saw pictures, not blank boards
        board_reset();
    }
}
