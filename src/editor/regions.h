#pragma once
// Region operations: what lies inside a rectangle, moved, copied, mapped
// or deleted as one.
#include "board/objects.h"

struct RegionRect {
    int x0, y0, x1, y1;
};

enum RegionMode { REGION_MOVE = 0, REGION_FLIP = 1, REGION_MIRROR = 2, REGION_ROTATE = 3, REGION_COPY = 4 };

bool wire_in_region(const WireRecord* w, const RegionRect& r);
bool component_in_region(const ComponentRecord* c, const RegionRect& r);
WireRecord* take_wires_in_region(const RegionRect& r);
ComponentRecord* take_components_in_region(const RegionRect& r);
WireRecord* copy_wires_in_region(const RegionRect& r);
ComponentRecord* copy_components_in_region(const RegionRect& r);

// The map a region key applies: x' = a x + tx, y' = d y + ty.
struct RegionMap {
    int mode, a, d, tx, ty;
};
// For F, M and R on an ordered rectangle; false for any other key.
bool region_key_map(int key, const RegionRect& ordered_rect, RegionMap& map);

void region_transform(int x0, int y0, int x1, int y1, int mode, int a, int d, int tx, int ty);
void delete_region(const RegionRect& r);
// The interactive handler that follows a region selection.
void region_command(int x0, int y0, int x1, int y1);
// The region gesture of a left press (control held, or centre of four holes).
void region_gesture(int press_x, int press_y);
