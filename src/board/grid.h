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

int snap_to_hole(int v);
int snap_to_half(int v);

int cell_get(int row, int column);
void cell_set(int row, int column, int value);
int scratch_get(int row, int column);
void scratch_set(int row, int column, int value);

void add_solder_point(int x, int y);
void remove_solder_point(int x, int y);

// Strip-end searches never look beyond these columns (x 10 to 620): an end
// they find lies between them, and a search that finds none returns its
// start.
constexpr int STRIP_SEARCH_FIRST_COLUMN = 2;
constexpr int STRIP_SEARCH_LAST_COLUMN = GRID_COLUMNS - 3;

int strip_left_end(int x, int y);
int strip_right_end(int x, int y);

void draw_strip_through(int x, int y);
void draw_solder_point(int x, int y);
void draw_cut(int x, int y);
void draw_bridge(int x, int y);

// The picture of the cut cross that draw_cut draws (hot spot at its centre).
extern const ShapeBitmap cut_shape;

// The cut or bridge click at a half-grid point.
void toggle_cell(int x, int y);
