#pragma once
// Region operations: what lies inside a rectangle, moved, copied, mapped
// or deleted as one.
#include "board/objects.h"
#include "graphics/geometry.h"

enum RegionMode { REGION_MOVE = 0, REGION_FLIP = 1, REGION_MIRROR = 2, REGION_ROTATE = 3, REGION_COPY = 4 };

// Inside means wholly inside (corners in any order, edges included): both
// wire ends; a component's body box; a text's anchor.
bool wire_in_region(const WireRecord* w, const Rect& r);
bool component_in_region(const ComponentRecord* c, const Rect& r);
// Unlink the listed records inside (selection slots are not looked at)
// and return them as a list of their own; both lists come out reversed.
WireRecord* take_wires_in_region(const Rect& r);
ComponentRecord* take_components_in_region(const Rect& r);
// New records made from the board lines of those inside, solder points
// counted, in a list of their own; the originals stay.
WireRecord* copy_wires_in_region(const Rect& r);
ComponentRecord* copy_components_in_region(const Rect& r);

// A region's mapping: x' = a x + tx, y' = d y + ty, and what the mode
// does to components' variants (and whether the originals stay).
struct RegionMap {
    int mode, a, d, tx, ty;
};
// For F, M and R on an ordered rectangle; false for any other key.
bool region_key_map(int key, const Rect& ordered_rect, RegionMap& map);

// Applies the map to everything inside the rectangle, in one deferred redraw.
void region_transform(const Rect& r, const RegionMap& map);
// Deletes the wires, components, cuts and bridges inside, in one deferred redraw.
void delete_region(const Rect& r);
// The interactive handler that follows a region selection.
void region_command(const Rect& region);
// The region gesture of a left press (control held, or centre of four holes).
void region_gesture(int press_x, int press_y);
