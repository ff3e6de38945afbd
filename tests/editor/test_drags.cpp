// Tests of the interactive drags.
#include "editor/drags.h"
#include "session_fixture.h"

namespace {

using DragTest = SessionTest;

TEST(KeyDirection, CursorCodesStepAndOthersStayPut) {
    EXPECT_EQ(key_direction(6, 10).dx, 10);
    EXPECT_EQ(key_direction(6, 10).dy, 0);
    EXPECT_EQ(key_direction(2, 5).dx, -5);
    EXPECT_EQ(key_direction(14, 10).dy, 10);
    EXPECT_EQ(key_direction(14, 10).dx, 0);
    EXPECT_EQ(key_direction(16, 5).dy, -5);
    for (int other : {0, 1, 3, 8, int('F'), int('N'), 255}) {
        EXPECT_EQ(key_direction(other, 10).dx, 0) << other;
        EXPECT_EQ(key_direction(other, 10).dy, 0) << other;
    }
}

TEST_F(DragTest, PointerKeysSnapToHalfPitchOrToHoles) {
    pointer_at(101, 99);
    move_pointer_by_key(6, 5);  // (106, 99) to the half-grid
    EXPECT_TRUE(headless_state.warp_pending);
    EXPECT_EQ(headless_state.warp_x, 105);
    EXPECT_EQ(headless_state.warp_y, 100);

    move_pointer_by_key(14, 10);  // (101, 109) to the nearest hole
    EXPECT_EQ(headless_state.warp_x, 100);
    EXPECT_EQ(headless_state.warp_y, 110);

    // A key that is not a cursor key only snaps.
    move_pointer_by_key('X', 10);
    EXPECT_EQ(headless_state.warp_x, 100);
    EXPECT_EQ(headless_state.warp_y, 100);

    // At zoom 20 the warp is in window pixels, twice the model point.
    canvas.zoom = 20;
    pointer_at(101, 99);
    move_pointer_by_key(16, 10);
    EXPECT_EQ(headless_state.warp_x, 200);
    EXPECT_EQ(headless_state.warp_y, 180);
}

TEST_F(DragTest, WireLineFollowsThePointersColumnFromTheAnchorRow) {
    pointer_at(100, 100);
    input_state.left_button = 1;
    script("move 137 162\nup left\n");
    CanvasSnapshot before = take_canvas_snapshot();
    int px = 100, py = 100, qx = 100, qy = 100;
    drag_wire_line(100, 100, px, py, qx, qy);
    EXPECT_EQ(px, 140);
    EXPECT_EQ(py, 100);
    EXPECT_EQ(qx, 140);
    EXPECT_EQ(qy, 160);
    // The rubber band is gone and the pen is back.
    EXPECT_TRUE(take_canvas_snapshot() == before);
    EXPECT_EQ(canvas.pen_mode, PEN_PAINT);
}

TEST_F(DragTest, WireLineInTheAnchorRowIsHorizontalAndBackAtTheAnchorIsEmpty) {
    pointer_at(100, 100);
    input_state.left_button = 1;
    script("move 163 102\nup left\n");
    int px = 100, py = 100, qx = 100, qy = 100;
    drag_wire_line(100, 100, px, py, qx, qy);
    EXPECT_EQ(px, 100);
    EXPECT_EQ(py, 100);
    EXPECT_EQ(qx, 160);
    EXPECT_EQ(qy, 100);

    pointer_at(100, 100);
    input_state.left_button = 1;
    script("move 163 102\nmove 250 300\nmove 98 101\nup left\n");
    px = py = qx = qy = 100;
    drag_wire_line(100, 100, px, py, qx, qy);
    EXPECT_EQ(px, 100);
    EXPECT_EQ(qx, 100);
    EXPECT_EQ(py, 100);
    EXPECT_EQ(qy, 100);
}

TEST_F(DragTest, CursorKeysDuringAWireDragMoveByWholeHoles) {
    pointer_at(200, 100);
    input_state.left_shift = 1;
    script("key ^N\nkey ^N\nkey ^N\nkey ^N\nshift left up\n");
    int px = 200, py = 100, qx = 200, qy = 100;
    drag_wire_line(200, 100, px, py, qx, qy);
    EXPECT_EQ(px, 200);
    EXPECT_EQ(py, 100);
    EXPECT_EQ(qx, 200);
    EXPECT_EQ(qy, 140);
}

TEST_F(DragTest, BoxIsKeptOnTheBoardAndTheReturnedPointerMatchesIt) {
    // A 20-wide box carried 40 to the right from x 600 stops at 630.
    pointer_at(610, 110);
    input_state.left_button = 1;
    script("move 650 110\nup left\n");
    CanvasSnapshot before = take_canvas_snapshot();
    int x = 610, y = 110;
    drag_box(x, y, {620, 120, 600, 100}, false);  // corners in any order
    EXPECT_EQ(x, 620);
    EXPECT_EQ(y, 110);
    EXPECT_TRUE(take_canvas_snapshot() == before);

    // Past the top and the left edge at once.
    pointer_at(50, 50);
    input_state.left_button = 1;
    script("move -40 -70\nup left\n");
    x = 50;
    y = 50;
    drag_box(x, y, {40, 40, 60, 60}, false);
    EXPECT_EQ(x, 10);
    EXPECT_EQ(y, 10);

    // Past the bottom: shown with its bottom at 400.
    pointer_at(300, 300);
    input_state.left_button = 1;
    script("move 303 500\nup left\n");
    x = 300;
    y = 300;
    drag_box(x, y, {290, 290, 310, 310}, false);
    EXPECT_EQ(x, 303);
    EXPECT_EQ(y, 390);
}

TEST_F(DragTest, PlacementBoxRunsUntilThePressAndKeysMoveIt) {
    pointer_at(100, 100);
    script("move 120 130\nkey ^F\ndown left\n");
    int saved_mode = canvas.pen_mode = PEN_INVERT;
    int x = 100, y = 100;
    drag_box(x, y, {95, 95, 105, 105}, true);
    EXPECT_EQ(x, 130);  // (120, 130), then one hole right
    EXPECT_EQ(y, 130);
    EXPECT_EQ(input_state.left_button, 1);
    EXPECT_EQ(canvas.pen_mode, saved_mode);
}

TEST_F(DragTest, RubberBandReturnsTheUnsnappedCornerAndErasesItself) {
    pointer_at(95, 95);
    input_state.left_button = 1;
    script("move 150 150\nmove 173 151\nup left\n");
    CanvasSnapshot before = take_canvas_snapshot();
    int ex = 0, ey = 0;
    drag_rubber_band(95, 95, ex, ey);
    EXPECT_EQ(ex, 173);
    EXPECT_EQ(ey, 151);
    EXPECT_TRUE(take_canvas_snapshot() == before);

    // Released where it was pressed: the corner is the start.
    pointer_at(95, 95);
    input_state.left_button = 1;
    script("up left\n");
    drag_rubber_band(95, 95, ex, ey);
    EXPECT_EQ(ex, 95);
    EXPECT_EQ(ey, 95);
}

}  // namespace
