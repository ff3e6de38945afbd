#pragma once
// The modal drag loops; each polls the input slots and sleeps in the wait.
#include "graphics/geometry.h"

struct KeyStep {
    int dx, dy;
};

// The move of a cursor key by step model units; {0, 0} for any other key.
KeyStep key_direction(int key, int step);
// Warps the pointer one step in the key's direction, snapped to a hole
// (step 10) or a half-grid point (any other step).
void move_pointer_by_key(int key, int step);
// Takes every waiting key as a hole-sized pointer move (any other key is
// used up and only snaps the pointer to a hole).
void drain_pointer_keys();
// P and Q are in/out: on entry the start line (Q to P), on exit the new ends.
void drag_wire_line(int ax, int ay, int& px, int& py, int& qx, int& qy);
// Returns the far corner through ex, ey.
void drag_rubber_band(int sx, int sy, int& ex, int& ey);
// pointer in/out; carries the rectangle with the pointer.
void drag_box(int& pointer_x, int& pointer_y, const Rect& box, bool until_click);
