// The bodies of the Gerber and Excellon layer files.
#include <algorithm>
#include <memory>

#include "board/draw.h"
#include "board/grid.h"
#include "board/objects.h"
#include "export/writers.h"
#include "fileio/board_file.h"
#include "graphics/canvas.h"
#include "graphics/geometry.h"
#include "graphics/palette.h"

namespace {

// The cells of the grid inside the print rectangle. The last hole row and
// column lie on the board's edge; a rectangle that reaches the edge (a
// whole-board print is clamped there) must take them in, or the holes
// along it would lose their pads and drills.
CellRange cell_range(const Rect& area) {
    const auto [x0, y0, x1, y1] = area;
    return {(x0 + 4) / 5, (y0 + 4) / 5, x1 >= BOARD_RIGHT ? GRID_COLUMNS - 1 : (x1 - 4) / 5,
            y1 >= BOARD_BOTTOM ? GRID_ROWS - 1 : (y1 - 4) / 5};
}

// Every marked hole of the rectangle, rows outer, columns inner.
template <typename Visit>
void for_each_hole(const Rect& area, Visit visit) {
    CellRange range = cell_range(area);
    for (int row = std::max(range.r0 & ~1, 0); row <= std::min(range.r1, GRID_ROWS - 1); row += 2) {
        for (int column = std::max(range.c0 & ~1, 0); column <= std::min(range.c1, GRID_COLUMNS - 1);
             column += 2) {
            if (cell_get(row, column) != 0) visit(5 * column, 5 * row);
        }
    }
}

void write_pads(PrintFile* file, const Rect& area, bool drill) {
    const GerberOffsets offsets = {area.x0, area.y1};
    for_each_hole(area, [&](int x, int y) { gerber_pad(file, x, y, offsets, drill); });
}

void put(PrintFile* file, const char* text) {
    if (file) print_text(*file, text);
}

// The canvas scheme of the silk screen drawing: only outlines, symbols and
// texts get colour 15, everything else is 0.
DisplayScheme silk_scheme() {
    DisplayScheme scheme = {};
    scheme.entry[ROLE_OBJECT] = 15;
    scheme.entry[ROLE_TEXT] = 15;
    return scheme;
}

bool is_plain(const WireRecord* w) { return w->entry == board.plain_wire_type; }

// Draws what the silk screen carries into the canvas at zoom 10, where a
// plotted point of colour 15 is a cell of value 15 exactly and a filled
// background is 0, so that the scan of stored values finds it.
void draw_silk_picture(const Rect& area) {
    const auto [x0, y0, x1, y1] = area;
    const DisplayScheme scheme = silk_scheme();
    const DisplayScheme* screen = display_scheme;
    display_scheme = &scheme;
    canvas.zoom = 10;
    canvas.pen_mode = PEN_PAINT;
    canvas.clip_rect = {std::max(x0, 0), std::max(y0, 0), std::min(x1, BOARD_RIGHT),
                        std::min(y1, BOARD_BOTTOM)};
    clear_skip_mask();
    set_pen_colour(0);
    fill_rect(area);

    // Plain wires are copper (top layer), not print.
    for (const WireRecord* w = board.wire_list; w; w = w->next) {
        if (!is_plain(w)) draw_wire_body(w);
    }
    if (board.selected_wire && !is_plain(board.selected_wire)) draw_wire_body(board.selected_wire);
    for (const ComponentRecord* c = board.component_list; c; c = c->next) draw_component_body(c);
    if (board.selected_component) draw_component_body(board.selected_component);

    for (const WireRecord* w = board.wire_list; w; w = w->next) draw_description(w->desc);
    if (board.selected_wire) draw_description(board.selected_wire->desc);
    for (const ComponentRecord* c = board.component_list; c; c = c->next) draw_description(c->desc);
    if (board.selected_component) draw_description(board.selected_component->desc);

    display_scheme = screen;
}

void scan_silk_runs(PrintFile& file, const Rect& area) {
    const auto [x0, y0, x1, y1] = area;
    for (int y = y0; y <= y1; ++y) {
        int x = x0;
        while (x < x1) {
            if (read_cell(x, y) != 15) {
                ++x;
                continue;
            }
            print_format(file, "X%dY%dD02*\n", x - x0, y1 - y);
            int last = x;
            while (last + 1 <= x1 && read_cell(last + 1, y) == 15) ++last;
            print_format(file, "X%dD01*\n", last - x0);
            x = last + 1;
        }
    }
}

// Aperture 10 draws: a thin line for outlines, a copper track width for
// tracks; aperture 11 is the square pad with its drill hole.
constexpr const char* LINE_APERTURE = "%ADD10R,0.01X0.01*%\n";
constexpr const char* COPPER_APERTURES = "%ADD10R,0.04X0.04*%\n%ADD11R,0.07X0.07X0.04*%\n";
constexpr const char* SELECT_DRAWING = "G54D10*\n";
constexpr const char* SELECT_PADS = "G54D11*\n";

// Each layer starts with a comment; it ends with "*" like every other
// command, or readers take the unit and format statements after it for
// part of the comment. Then inches, the 2.2 number format, the layer's
// apertures and the one it draws with first.
void put_layer_header(PrintFile* file, const char* layer, const char* apertures, const char* first) {
    if (file == nullptr) return;
    print_format(*file, "G04 %s layer*\n%%MOIN*%%\n%%FSLAX22Y22*%%\n", layer);
    print_text(*file, apertures);
    print_text(*file, first);
}

}  // namespace

// The drill header says its number format (two integer and two decimal
// digits), which Excellon readers otherwise guess.

void write_gerber_contour(PrintFile* file, const Rect& area) {
    const auto [x0, y0, x1, y1] = area;
    if (file == nullptr) return;
    put_layer_header(file, "Contour", LINE_APERTURE, SELECT_DRAWING);
    const int w = x1 - x0;
    const int h = y1 - y0;
    const int corners[5][2] = {{0, h}, {0, 0}, {w, 0}, {w, h}, {0, h}};
    for (int edge = 0; edge < 4; ++edge) {
        print_format(*file, "X%dY%dD02*\nX%dY%dD01*\n", corners[edge][0], corners[edge][1],
                     corners[edge + 1][0], corners[edge + 1][1]);
    }
    print_text(*file, "M02*\n");
}

void write_gerber_solder_mask(PrintFile* file, const Rect& area) {
    put_layer_header(file, "Solder mask", COPPER_APERTURES, SELECT_PADS);
    write_pads(file, area, false);
    put(file, "M02*\n");
}

void write_gerber_silk_screen(PrintFile* file, const Rect& area) {
    if (file == nullptr) return;
    put_layer_header(file, "Silk screen", LINE_APERTURE, SELECT_DRAWING);
    // The picture is drawn over the preview and taken back at once; no
    // dialog runs in between, so the screen never shows it.
    auto preview = std::make_unique<Canvas>(canvas);
    draw_silk_picture(area);
    scan_silk_runs(*file, area);
    canvas = *preview;
    print_text(*file, "M02*\n");
}

void write_gerber_bottom_copper(PrintFile* file, const Rect& area) {
    const auto [x0, y0, x1, y1] = area;
    GerberOffsets offsets = {x0, y1};
    CellRange range = cell_range(area);
    put_layer_header(file, "Bottom copper", COPPER_APERTURES, SELECT_DRAWING);

    // Strips as shown: runs of marked holes up to a cut; a lone hole gives
    // a track of no length under its pad.
    for (int row = std::max((range.r0 + 1) & ~1, 0); row <= std::min(range.r1, GRID_ROWS - 1);
         row += 2) {
        int column = 0;
        while (column <= GRID_COLUMNS - 1) {
            int s = next_marked_hole(row, column);
            if (s == -1) break;
            int e = s;
            for (;;) {
                int n = next_marked_cell(row, e + 1);
                if (n == -1 || n % 2 != 0) break;
                e = n;
            }
            gerber_track(file, 5 * s, 5 * row, 5 * e, 5 * row, offsets);
            column = e + 1;
        }
    }
    // Bridges join the strips above and below.
    for (int row = std::max((range.r0 & ~1) + 1, 1); row <= std::min(range.r1, GRID_ROWS - 1);
         row += 2) {
        for (int column = std::max(range.c0, 0); column <= std::min(range.c1, GRID_COLUMNS - 1);
             ++column) {
            if (cell_get(row, column) != 0) {
                gerber_track(file, 5 * column, 5 * (row - 1), 5 * column, 5 * (row + 1), offsets);
            }
        }
    }
    put(file, SELECT_PADS);
    write_pads(file, area, false);
    put(file, "M02*\n");
}

// A plain wire is a track on the top side, one unit beyond each end.
static void plain_wire_track(PrintFile* file, const WireRecord* w, GerberOffsets offsets) {
    int xa = w->x1, xb = w->x2, ya = w->y1, yb = w->y2;
    order_pair(xa, xb);
    order_pair(ya, yb);
    if (!rects_overlap({xa - 5, ya - 5, xb + 5, yb + 5}, {0, 0, BOARD_RIGHT, BOARD_BOTTOM})) return;
    if (wire_is_vertical(*w)) {
        gerber_track(file, xa, ya - 1, xb, yb + 1, offsets);
    } else {
        gerber_track(file, xa - 1, ya, xb + 1, yb, offsets);
    }
}

void write_gerber_top_copper(PrintFile* file, const Rect& area) {
    const auto [x0, y0, x1, y1] = area;
    GerberOffsets offsets = {x0, y1};
    put_layer_header(file, "Top copper", COPPER_APERTURES, SELECT_DRAWING);
    for (const WireRecord* w = board.wire_list; w; w = w->next) {
        if (is_plain(w)) plain_wire_track(file, w, offsets);
    }
    // A selected wire is out of the list but still on the board.
    if (board.selected_wire && is_plain(board.selected_wire)) {
        plain_wire_track(file, board.selected_wire, offsets);
    }
    put(file, SELECT_PADS);
    write_pads(file, area, false);
    put(file, "M02*\n");
}

void write_excellon_drill(PrintFile* file, const Rect& area) {
    put(file, "M48 Drill file\nINCH,TZ\n;FILE_FORMAT=2:2\nT01C0.04\n%\nT01\n");
    write_pads(file, area, true);
    put(file, "M30\n");
}
