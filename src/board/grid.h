#pragma once
// The board's half-pitch cell grid: hole counts, cuts and bridges.
#include <cstdint>
#include "graphics/shape.h"

constexpr int GRID_ROWS = 81;
constexpr int GRID_COLUMNS = 127;
constexpr int BOARD_RIGHT = 630;
constexpr int BOARD_BOTTOM = 400;

struct CellGrid {
    int8_t cells[GRID_ROWS][GRID_COLUMNS];
};

extern CellGrid board_grid;
// Scratch grid of region moves and net exposure.
extern CellGrid scratch_grid;

void grid_reset();  // both grids all zero

// A non-negative model coordinate rounded to the nearest hole (multiple of
// 10) or half-grid point (multiple of 5), halves rounding up.
int snap_to_hole(int v);
int snap_to_half(int v);

// Cells by row and column; outside the grid a get reads 0 and a set is
// ignored. An even row and column is a hole (its value the solder count);
// an even row and odd column a cut, an odd row and even column a bridge.
int cell_get(int row, int column);
void cell_set(int row, int column, int value);
int scratch_get(int row, int column);
void scratch_set(int row, int column, int value);

// One lead more or less in the hole at model point (x, y); off the grid
// nothing. No drawing.
void add_solder_point(int x, int y);
void remove_solder_point(int x, int y);

// Strip-end searches never look beyond these columns (x 10 to 620): an end
// they find lies between them, and a search that finds none returns its
// start.
constexpr int STRIP_SEARCH_FIRST_COLUMN = 2;
constexpr int STRIP_SEARCH_LAST_COLUMN = GRID_COLUMNS - 3;

// Where the strip through (x, y) ends: the x of the nearest hole with a
// solder point to the left (right) along the row, unless a cut comes first;
// then, or when none is found, x rounded down to a half-grid point.
int strip_left_end(int x, int y);
int strip_right_end(int x, int y);

// The strip between the two ends found from (x, y), with their solder
// points; nothing unless both ends are holes apart.
void draw_strip_through(int x, int y);
// The 3 x 3 block, hollow when several leads share the hole.
void draw_solder_point(int x, int y);
void draw_cut(int x, int y);
// A bar 3 wide from the hole above to the hole below.
void draw_bridge(int x, int y);

// The picture of the cut cross that draw_cut draws (hot spot at its centre).
extern const ShapeBitmap cut_shape;

// The cut or bridge click at a half-grid point: sets or clears the cell and
// repaints; on a hole, between four holes or off the grid nothing happens.
void toggle_cell(int x, int y);
