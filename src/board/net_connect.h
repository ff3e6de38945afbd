#pragma once
// Which grid cells conduct to which: the steps of net exposure (strips
// between cuts, bridges, plain wires) as a graph over all cells.
#include <vector>

#include "board/grid.h"

constexpr int CELL_COUNT = GRID_ROWS * GRID_COLUMNS;

inline int cell_index(int row, int column) { return row * GRID_COLUMNS + column; }
inline int cell_row(int cell) { return cell / GRID_COLUMNS; }
inline int cell_column(int cell) { return cell % GRID_COLUMNS; }
// The cell of a model point, or -1 off the grid (as net exposure divides).
int cell_of_point(int x, int y);

struct CellGraph {
    // For each cell, the cells that plain wires join it to.
    std::vector<std::vector<int>> wire_links;
};

// Reads the plain wires of the current board (lists and selection slots).
CellGraph build_cell_graph();
// The cells one step of net exposure reaches from `cell`.
void cell_neighbours(const CellGraph& graph, int cell, std::vector<int>& out);
// A label for every cell: equal labels for cells of one net.
std::vector<int> label_cell_nets(const CellGraph& graph);
// The shortest chain of cells from any of `sources` to any cell marked in
// `targets`, both ends included; empty when none is reachable.
std::vector<int> cell_route(const CellGraph& graph, const std::vector<int>& sources, const std::vector<char>& targets);
