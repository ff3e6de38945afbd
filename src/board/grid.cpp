// The cell grid of strips, cuts, bridges and solder points, and their drawing.
#include "board/grid.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

#include "board/draw.h"
#include "graphics/canvas.h"
#include "graphics/palette.h"

CellGrid board_grid;
CellGrid scratch_grid;

namespace {

// The cut cross, 5 x 5 with hot spot (2, 2).
constexpr char CUT_ROWS[] =
    " x      x "
    "xxx    xxx"
    " xxx  xxx "
    "  xxxxxx  "
    "   xxxx   "
    "   xxxx   "
    "  xxxxxx  "
    " xxx  xxx "
    "xxx    xxx"
    " x      x ";

// The cut taken apart once into the marks each zoom plots: at the doubled
// zoom every point with ink, leaving its blank sub-points alone; at the
// normal zoom the points with three inked sub-points, whole. This is what
// draw_shape draws for it, without reading the rows on every call; the
// cut is drawn hundreds of times per board redraw.
struct CutMarks {
    std::array<PointMark, 25> marks{};
    int count = 0;
};

constexpr CutMarks split_cut_shape(bool doubled) {
    CutMarks cut;
    for (int r = 0; r < 5; ++r) {
        for (int c = 0; c < 5; ++c) {
            const auto ink = [&](int j, int i) { return CUT_ROWS[i * 10 + j] != ' '; };
            const bool tl = ink(2 * c, 2 * r), tr = ink(2 * c + 1, 2 * r);
            const bool bl = ink(2 * c, 2 * r + 1), br = ink(2 * c + 1, 2 * r + 1);
            const int ink_count = tl + tr + bl + br;
            if (doubled ? ink_count == 0 : ink_count < 3) continue;
            const int blank = (tl ? 0 : 8) | (tr ? 0 : 4) | (bl ? 0 : 2) | (br ? 0 : 1);
            cut.marks[cut.count++] = PointMark{static_cast<int16_t>(c - 2), static_cast<int16_t>(r - 2),
                                               static_cast<uint8_t>(doubled ? blank : 0)};
        }
    }
    return cut;
}

constexpr CutMarks cut_marks_doubled = split_cut_shape(true);
constexpr CutMarks cut_marks_normal = split_cut_shape(false);

bool inside_grid(int row, int column) {
    return row >= 0 && row < GRID_ROWS && column >= 0 && column < GRID_COLUMNS;
}

}  // namespace

const ShapeBitmap cut_shape = {5, 5, 2, 2, CUT_ROWS};

void grid_reset() {
    std::memset(&board_grid, 0, sizeof board_grid);
    std::memset(&scratch_grid, 0, sizeof scratch_grid);
}

int snap_to_hole(int v) { return (v + 5) / 10 * 10; }
int snap_to_half(int v) { return (v + 2) / 5 * 5; }

int cell_get(int row, int column) {
    return inside_grid(row, column) ? board_grid.cells[row][column] : 0;
}

void cell_set(int row, int column, int value) {
    if (inside_grid(row, column)) board_grid.cells[row][column] = static_cast<int8_t>(value);
}

int scratch_get(int row, int column) {
    return inside_grid(row, column) ? scratch_grid.cells[row][column] : 0;
}

void scratch_set(int row, int column, int value) {
    if (inside_grid(row, column)) scratch_grid.cells[row][column] = static_cast<int8_t>(value);
}

void add_solder_point(int x, int y) {
    const int row = y / 5, column = x / 5;
    if (inside_grid(row, column)) ++board_grid.cells[row][column];
}

void remove_solder_point(int x, int y) {
    const int row = y / 5, column = x / 5;
    if (inside_grid(row, column)) --board_grid.cells[row][column];
}

// A search that runs off the end of the row returns its start: the outer
// hole (column 0 or 126) is never found from inside, even when the last
// column looked at is that hole's even neighbour-of-a-neighbour. Cells
// outside the grid read as empty, so a search from a point off the board
// begins at the grid's edge, and one in a row outside it finds nothing.
int strip_left_end(int x, int y) {
    const int row = y / 5;
    const int start = x / 5;
    if (row < 0 || row >= GRID_ROWS) return 5 * start;
    const int8_t* cells = board_grid.cells[row];
    int c = std::min(start - 1, GRID_COLUMNS - 1);
    while (c >= STRIP_SEARCH_FIRST_COLUMN && cells[c] == 0) --c;
    if (c >= STRIP_SEARCH_FIRST_COLUMN && c % 2 == 0) return 5 * c;
    return 5 * start;
}

int strip_right_end(int x, int y) {
    const int row = y / 5;
    const int start = x / 5;
    if (row < 0 || row >= GRID_ROWS) return 5 * start;
    const int8_t* cells = board_grid.cells[row];
    int c = std::max(start + 1, 0);
    while (c <= STRIP_SEARCH_LAST_COLUMN && cells[c] == 0) ++c;
    if (c <= STRIP_SEARCH_LAST_COLUMN && c % 2 == 0) return 5 * c;
    return 5 * start;
}

void draw_strip_through(int x, int y) {
    const int left = strip_left_end(x, y);
    const int right = strip_right_end(x, y);
    if (left == right || left % 10 != 0 || right % 10 != 0) return;
    set_pen_colour(scheme_colour(ROLE_STRIP));
    draw_line(left, y, right, y);
    draw_solder_point(left, y);
    draw_solder_point(right, y);
}

void draw_solder_point(int x, int y) {
    // The 3 x 3 block centred on the hole.
    set_pen_colour(scheme_colour(ROLE_SOLDER));
    plot_rect({x - 1, y - 1, x + 1, y + 1});
    if (cell_get(y / 5, x / 5) > 1) {
        // Several leads in one hole: a board-coloured centre tells them apart.
        set_pen_colour(scheme_colour(ROLE_BACKGROUND));
        plot_point(x, y);
    }
}

void draw_cut(int x, int y) {
    set_pen_colour(scheme_colour(ROLE_CUT));
    const CutMarks& cut = canvas.zoom == 20 ? cut_marks_doubled : cut_marks_normal;
    plot_marks(x, y, cut.marks.data(), cut.count);
    if (canvas.zoom == 20) clear_skip_mask();
}

void draw_bridge(int x, int y) {
    // A bar 3 wide and 11 high, covering the gap from the hole above to the
    // hole below.
    set_pen_colour(scheme_colour(ROLE_BRIDGE));
    plot_rect({x - 1, y - 5, x + 1, y + 5});
}

void toggle_cell(int x, int y) {
    const int row = y / 5;
    const int column = x / 5;
    if (!inside_grid(row, column)) return;
    const bool row_even = row % 2 == 0;
    const bool column_even = column % 2 == 0;
    if (row_even == column_even) return;  // a hole, or between four holes
    const bool cut_position = !column_even;

    if (cell_get(row, column) == 0) {
        cell_set(row, column, 1);
        // A new bridge is redrawn in layer order too: cuts and texts lie
        // above it.
        if (cut_position) {
            invalidate_cut(x, y);
        } else {
            invalidate_bridge(x, y);
        }
    } else {
        cell_set(row, column, 0);
        if (cut_position) {
            // The repaint spans the joined strip and draws it under the
            // bodies that cross it.
            invalidate_cut(x, y);
        } else {
            invalidate_bridge(x, y);
        }
    }
}
