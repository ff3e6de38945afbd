// The modal drag loops. Each draws its figure inverted, so drawing it a
// second time removes it and the board under it is never redrawn during
// the drag; each polls the input slots and sleeps in the wait.
#include "editor/drags.h"
#include <algorithm>
#include "board/grid.h"
#include "graphics/canvas.h"
#include "shell/input.h"
#include "shell/codes.h"

KeyStep key_direction(int key, int step) {
    switch (key) {
    case KEY_RIGHT: return {step, 0};
    case KEY_LEFT: return {-step, 0};
    case KEY_DOWN: return {0, step};
    case KEY_UP: return {0, -step};
    default: return {0, 0};
    }
}

void move_pointer_by_key(int key, int step) {
    int x = 0, y = 0;
    left_state(&x, &y);
    KeyStep d = key_direction(key, step);
    x += d.dx;
    y += d.dy;
    if (step == 10) {
        x = snap_to_hole(x);
        y = snap_to_hole(y);
    } else {
        x = snap_to_half(x);
        y = snap_to_half(y);
    }
    pointer_warp(x, y);
}

void drain_pointer_keys() {
    while (key_available()) move_pointer_by_key(get_key(), 10);
}

namespace {

// Saves the pen mode and selects invert for the length of one drag.
struct InvertPen {
    int saved = canvas.pen_mode;
    InvertPen() { canvas.pen_mode = PEN_INVERT; }
    ~InvertPen() { canvas.pen_mode = saved; }
};

void invert_line(int x0, int y0, int x1, int y1) {
    PointerHidden hidden;
    canvas.pen_mode = PEN_INVERT;
    draw_line(x0, y0, x1, y1);
}

void invert_frame(const Rect& r) {
    PointerHidden hidden;
    canvas.pen_mode = PEN_INVERT;
    frame_rect(r);
}

// Polls until the left button is let go, handing each pointer position
// to `step`.
template <typename Step>
void while_left_held(Step step) {
    int x = 0, y = 0;
    while (left_state(&x, &y)) {
        drain_pointer_keys();
        step(x, y);
        wait_for_message();
    }
}

}  // namespace

void drag_wire_line(int ax, int ay, int& px, int& py, int& qx, int& qy) {
    InvertPen pen;
    int sx = qx, sy = qy;
    int ex = px, ey = py;
    invert_line(sx, sy, ex, ey);
    while_left_held([&](int x, int y) {
        x = snap_to_hole(x);
        y = snap_to_hole(y);
        if (x != ex || y != ey) {
            invert_line(sx, sy, ex, ey);
            if (y == ay) {
                // In the anchor's row: a horizontal line from the anchor.
                sx = ax;
                sy = ay;
                ex = x;
                ey = ay;
            } else {
                // Elsewhere: vertical in the pointer's column, from the
                // anchor's row; the anchor's column is not kept.
                sx = x;
                sy = ay;
                ex = x;
                ey = y;
            }
            invert_line(sx, sy, ex, ey);
        }
    });
    invert_line(sx, sy, ex, ey);
    px = sx;
    py = sy;
    qx = ex;
    qy = ey;
}

void drag_rubber_band(int sx, int sy, int& ex, int& ey) {
    InvertPen pen;
    int cx = sx, cy = sy;
    invert_frame({sx, sy, cx, cy});
    while_left_held([&](int x, int y) {
        if (x == cx && y == cy) return;
        invert_frame({sx, sy, cx, cy});
        cx = x;
        cy = y;
        invert_frame({sx, sy, cx, cy});
    });
    invert_frame({sx, sy, cx, cy});
    ex = cx;
    ey = cy;
}

namespace {

// The carried rectangle as shown: pushed back onto the board at each edge.
Rect shown_box(int left, int top, int w, int h) {
    Rect b{left, top, left + w, top + h};
    if (b.x0 < 0) b = {0, b.y0, w, b.y1};
    if (b.x1 > BOARD_RIGHT) b = {BOARD_RIGHT - w, b.y0, BOARD_RIGHT, b.y1};
    if (b.y0 < 0) b = {b.x0, 0, b.x1, h};
    if (b.y1 > BOARD_BOTTOM) b = {b.x0, BOARD_BOTTOM - h, b.x1, BOARD_BOTTOM};
    return b;
}

}  // namespace

void drag_box(int& pointer_x, int& pointer_y, const Rect& box, bool until_click) {
    InvertPen pen;
    const int sx = pointer_x, sy = pointer_y;
    const auto [x0, y0, x1, y1] = ordered(box);
    const int w = x1 - x0, h = y1 - y0;
    int carried_left = x0, carried_top = y0;
    Rect shown = shown_box(carried_left, carried_top, w, h);
    invert_frame(shown);

    int last_x = sx, last_y = sy;
    for (;;) {
        int x = 0, y = 0;
        bool held = left_state(&x, &y) != 0;
        // A placement runs while the button is up, a drag while it is held.
        if (held == until_click) break;
        drain_pointer_keys();
        if (x != last_x || y != last_y) {
            invert_frame(shown);
            carried_left += x - last_x;
            carried_top += y - last_y;
            shown = shown_box(carried_left, carried_top, w, h);
            invert_frame(shown);
            last_x = x;
            last_y = y;
        }
        wait_for_message();
    }
    invert_frame(shown);
    // The pointer that matches the rectangle as last shown, so moving an
    // object by (returned - start) never moves it off the board.
    pointer_x = shown.x0 + (sx - x0);
    pointer_y = shown.y0 + (sy - y0);
}
