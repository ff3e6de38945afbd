#pragma once
// The modal drag loops; each polls the input slots and sleeps in the wait.
#include "graphics/geometry.h"

struct KeyStep {
    int dx, dy;
};

KeyStep key_direction(int key, int step);
void move_pointer_by_key(int key, int step);
void drain_pointer_keys();
// P and Q are in/out: on entry the start line (Q to P), on exit the new ends.
void drag_wire_line(int ax, int ay, int& px, int& py, int& qx, int& qy);
// Returns the far corner through ex, ey.
void drag_rubber_band(int sx, int sy, int& ex, int& ey);
// pointer in/out; carries the rectangle with the pointer.
void drag_box(int& pointer_x, int& pointer_y, const Rect& box, bool until_click);
