// Redrawing a rectangle of the board from the model, layer by layer.
#include <algorithm>

#include "board/description_box.h"
#include "board/draw.h"
#include "board/grid.h"
#include "graphics/canvas.h"
#include "graphics/geometry.h"
#include "graphics/palette.h"

namespace {

bool description_meets(const DescriptionHead& d, const Rect& clip) {
    return d.width != 0 && rects_overlap(description_box(d), clip);
}

bool wire_visible(const WireRecord* w, const Rect& clip) {
    const int lx = std::min(w->x1, w->x2), gx = std::max(w->x1, w->x2);
    const int ly = std::min(w->y1, w->y2), gy = std::max(w->y1, w->y2);
    if (rects_overlap({lx - 5, ly - 5, gx + 5, gy + 5}, clip)) return true;
    return description_meets(w->desc, clip);
}

bool component_visible(const ComponentRecord* c, const Rect& clip) {
    if (rects_overlap({c->box_x0, c->box_y0, c->box_x1, c->box_y1}, clip)) return true;
    return description_meets(c->desc, clip);
}

void draw_background(const Rect& r) {
    set_pen_colour(scheme_colour(ROLE_BACKGROUND));
    fill_rect(r);
}

// Every row of holes has its points at the same columns, so one list of
// marks, plotted row by row, draws them: a row at a time is tested against
// the clip, not each point. A mark leaves the sub-points the pen skips.
constexpr int MOST_HOLES_IN_A_ROW = (GRID_COLUMNS + 1) / 2;

PointMark pen_mark(int dx, int dy) {
    return PointMark{static_cast<int16_t>(dx), static_cast<int16_t>(dy), static_cast<uint8_t>((canvas.pen >> 4) & 15)};
}

void draw_hole_dots(const CellRange& range) {
    set_pen_colour(scheme_colour(ROLE_HOLE));
    PointMark row[MOST_HOLES_IN_A_ROW];
    int count = 0;
    for (int c = range.c0; c <= range.c1; c += 2) row[count++] = pen_mark(5 * (c - range.c0), 0);
    for (int r = range.r0; r <= range.r1; r += 2) plot_marks(5 * range.c0, 5 * r, row, count);
}

// Dotted guide lines every five holes: three points left of a hole on
// every fifth row, three above it on every fifth column. The rows of
// each kind have their ticks at the same columns, so each kind is one
// list of marks, in the order the ticks are drawn.
void draw_ticks(const CellRange& range) {
    set_pen_colour(scheme_colour(ROLE_TICK));
    PointMark fifth_row[MOST_HOLES_IN_A_ROW * 6], other_row[MOST_HOLES_IN_A_ROW * 3];
    int fifth_count = 0, other_count = 0;
    for (int c = range.c0; c <= range.c1; c += 2) {
        const int dx = 5 * (c - range.c0);
        for (int d = -6; d <= -4; ++d) fifth_row[fifth_count++] = pen_mark(dx + d, 0);
        if (c % 5 != 0) continue;
        for (int d = -6; d <= -4; ++d) {
            fifth_row[fifth_count++] = pen_mark(dx, d);
            other_row[other_count++] = pen_mark(dx, d);
        }
    }
    for (int r = range.r0; r <= range.r1; r += 2) {
        if (r % 5 == 0)
            plot_marks(5 * range.c0, 5 * r, fifth_row, fifth_count);
        else
            plot_marks(5 * range.c0, 5 * r, other_row, other_count);
    }
}

// First column of a row walk: a strip entering from the left is included,
// also one that begins on the edge column, which strip-end searches from
// inside never find.
int walk_start(const CellRange& range, int r) {
    const int8_t* row = board_grid.cells[r];
    int c = range.c0 - 1;
    while (c >= 0 && row[c] == 0) --c;
    return c >= 0 && c % 2 == 0 ? c : range.c0;
}

// Last column of a strip walk: the hole where a strip leaving to the right
// ends, up to the edge column.
int walk_end(const CellRange& range, int r) {
    const int8_t* row = board_grid.cells[r];
    int c = range.c1 + 1;
    while (c < GRID_COLUMNS && row[c] == 0) ++c;
    return c < GRID_COLUMNS && c % 2 == 0 ? c : range.c1;
}

// Draws each strip segment once, as a line from its left hole. This is the
// picture of draw_strip_through at every marked hole (which draws each
// segment from both ends, with solder points at the ends): inside the clip
// the two differ only within the 3 x 3 squares of the walked holes, and the
// solder layer repaints those whole. The row's ends are searched as
// draw_strip_through searches them.
void draw_strips(const CellRange& range) {
    for (int r = range.r0; r <= range.r1; r += 2) {
        const int8_t* row = board_grid.cells[r];
        const int y = 5 * r;
        const int last = walk_end(range, r);
        for (int c = walk_start(range, r); c <= last; ++c) {
            if (c % 2 != 0 || row[c] == 0) continue;
            const int x = 5 * c;
            // The outermost right hole is never found from inside, so its
            // segment is drawn from it, to the left.
            const int left = c == GRID_COLUMNS - 1 ? strip_left_end(x, y) : x;
            const int right = strip_right_end(x, y);
            if (left == right) continue;  // a cut or the row's end comes first
            set_pen_colour(scheme_colour(ROLE_STRIP));
            draw_line(left, y, right, y);
        }
    }
}

void draw_solder_points(const CellRange& range) {
    for (int r = range.r0; r <= range.r1; r += 2) {
        const int8_t* row = board_grid.cells[r];
        for (int c = walk_start(range, r); c <= range.c1; ++c) {
            if (c % 2 == 0 && row[c] != 0) draw_solder_point(5 * c, 5 * r);
        }
    }
}

// Bridge cells lie on odd rows and even columns; the odd-odd cells between
// four holes mean nothing. A bridge reaches the holes above and below it,
// so the one above the first row of holes crosses a rectangle that starts
// on that row.
void draw_bridges(const CellRange& range) {
    for (int r = std::max(1, range.r0 - 1); r <= range.r1; r += 2) {
        const int8_t* row = board_grid.cells[r];
        for (int c = range.c0; c <= range.c1; c += 2) {
            if (row[c] != 0) draw_bridge(5 * c, 5 * r);
        }
    }
}

void draw_cuts(const CellRange& range) {
    for (int r = range.r0; r <= range.r1; r += 2) {
        const int8_t* row = board_grid.cells[r];
        for (int c = walk_start(range, r); c <= range.c1; ++c) {
            if (c % 2 != 0 && row[c] != 0) draw_cut(5 * c, 5 * r);
        }
    }
}

// The records a redraw's rectangle meets, found once for the two layers
// that draw records. A partial redraw meets few of them, so a short list
// on the stack holds them; a redraw that meets more walks the lists again.
struct VisibleRecords {
    static constexpr int CAPACITY = 256;
    const WireRecord* wires[CAPACITY];
    const ComponentRecord* components[CAPACITY];
    int wire_count = -1;  // -1: not gathered yet, or too many
    int component_count = -1;
    bool gathered = false;
};

// The records near one change, gathered once for the several rectangles
// a single dirty mark redraws, so that each of those redraws looks at
// these instead of walking every record of the board.
struct NearbyRecords {
    static constexpr int CAPACITY = 1024;
    bool active = false;
    Rect area{};
    int wire_count = 0, component_count = 0;
    const WireRecord* wires[CAPACITY];
    const ComponentRecord* components[CAPACITY];
};

NearbyRecords nearby;

// Adds a record that meets the rectangle to a bounded list: false when the
// list is already full, and the caller gives the list up.
template <typename Record, size_t N>
bool keep_if_meets(const Record* (&list)[N], int& count, const Record* record, bool meets) {
    if (!meets) return true;
    if (count == static_cast<int>(N)) return false;
    list[count++] = record;
    return true;
}

bool area_holds(const Rect& outer, const Rect& inner) {
    return inner.x0 >= outer.x0 && inner.y0 >= outer.y0 && inner.x1 <= outer.x1 && inner.y1 <= outer.y1;
}

// A record that meets a rectangle inside the gathered area meets that
// area, so the gathered lists, in list order, hold every one it meets.
bool gather_from_nearby(VisibleRecords& v, const Rect& clip) {
    if (!nearby.active || !area_holds(nearby.area, clip)) return false;
    v.wire_count = 0;
    for (int i = 0; i < nearby.wire_count; ++i) {
        const WireRecord* w = nearby.wires[i];
        if (!keep_if_meets(v.wires, v.wire_count, w, wire_visible(w, clip))) {
            v.wire_count = -1;
            break;
        }
    }
    v.component_count = 0;
    for (int i = 0; i < nearby.component_count; ++i) {
        const ComponentRecord* c = nearby.components[i];
        if (!keep_if_meets(v.components, v.component_count, c, component_visible(c, clip))) {
            v.component_count = -1;
            break;
        }
    }
    return true;
}

void gather_visible(VisibleRecords& v, const Rect& clip) {
    if (v.gathered) return;
    v.gathered = true;
    if (gather_from_nearby(v, clip)) return;
    v.wire_count = 0;
    for (const WireRecord* w = board.wire_list; w != nullptr; w = w->next) {
        if (!keep_if_meets(v.wires, v.wire_count, w, wire_visible(w, clip))) {
            v.wire_count = -1;
            break;
        }
    }
    v.component_count = 0;
    for (const ComponentRecord* c = board.component_list; c != nullptr; c = c->next) {
        if (!keep_if_meets(v.components, v.component_count, c, component_visible(c, clip))) {
            v.component_count = -1;
            break;
        }
    }
}

// Calls draw for every visible wire and then every visible component, in
// list order. The selected one and one being drawn on its own come first
// in each, where they will be once back in their list (at its head): where
// bodies overlap, the picture then stays the same when the selection ends.
template <typename DrawWire, typename DrawComponent>
void for_visible_records(VisibleRecords& v, const Rect& clip, DrawWire draw_wire,
                         DrawComponent draw_component) {
    gather_visible(v, clip);
    const RedrawState& s = redraw_state;
    if (board.selected_wire != nullptr) draw_wire(board.selected_wire);
    if (s.newest_wire != nullptr && wire_visible(s.newest_wire, clip)) draw_wire(s.newest_wire);
    if (v.wire_count >= 0) {
        for (int i = 0; i < v.wire_count; ++i) draw_wire(v.wires[i]);
    } else {
        for (const WireRecord* w = board.wire_list; w != nullptr; w = w->next)
            if (wire_visible(w, clip)) draw_wire(w);
    }
    if (board.selected_component != nullptr) draw_component(board.selected_component);
    if (s.newest_component != nullptr && component_visible(s.newest_component, clip))
        draw_component(s.newest_component);
    if (v.component_count >= 0) {
        for (int i = 0; i < v.component_count; ++i) draw_component(v.components[i]);
    } else {
        for (const ComponentRecord* c = board.component_list; c != nullptr; c = c->next)
            if (component_visible(c, clip)) draw_component(c);
    }
}

void draw_bodies(VisibleRecords& v, const Rect& clip) {
    for_visible_records(
        v, clip, [](const WireRecord* w) { draw_wire_body(w); },
        [](const ComponentRecord* c) { draw_component_body(c); });
}

void draw_descriptions(VisibleRecords& v, const Rect& clip) {
    for_visible_records(
        v, clip, [](const WireRecord* w) { draw_description(w->desc); },
        [](const ComponentRecord* c) { draw_description(c->desc); });
}

// The part of the grid a redraw walks: even cell indices, from the hole at
// or left of/above the rectangle to one hole beyond it.
CellRange cell_range_of(const Rect& r) {
    return CellRange{std::max(0, (r.x0 / 10) * 2), std::max(0, (r.y0 / 10) * 2),
                     std::min(GRID_COLUMNS - 1, (r.x1 / 10 + 1) * 2),
                     std::min(GRID_ROWS - 1, (r.y1 / 10 + 1) * 2)};
}

}  // namespace

void redraw_rect(Rect area) {
    const Rect r = ordered(area);
    const Rect saved = canvas.clip_rect;
    const Rect clip{std::max(0, r.x0), std::max(0, r.y0), std::min(BOARD_RIGHT, r.x1),
                    std::min(BOARD_BOTTOM, r.y1)};
    if (clip.empty()) return;  // wholly off the board
    canvas.clip_rect = clip;
    const CellRange range = cell_range_of(r);
    VisibleRecords visible;

    for (int i = ROLE_DRAW_ORDER; i < 20; ++i) {
        const int layer = scheme_colour(i);
        if (layer == LAYER_END) break;
        switch (layer) {
            case LAYER_BACKGROUND: draw_background(r); break;
            case LAYER_HOLES: draw_hole_dots(range); break;
            case LAYER_TICKS: draw_ticks(range); break;
            case LAYER_BODIES: draw_bodies(visible, clip); break;
            case LAYER_STRIPS: draw_strips(range); break;
            case LAYER_SOLDER: draw_solder_points(range); break;
            case LAYER_BRIDGES: draw_bridges(range); break;
            case LAYER_CUTS: draw_cuts(range); break;
            case LAYER_TEXTS: draw_descriptions(visible, clip); break;
            default: break;
        }
    }
    canvas.clip_rect = saved;
}

void begin_nearby_records(Rect area) {
    nearby.active = false;
    const Rect r = ordered(area);
    nearby.wire_count = 0;
    for (const WireRecord* w = board.wire_list; w != nullptr; w = w->next)
        if (!keep_if_meets(nearby.wires, nearby.wire_count, w, wire_visible(w, r))) return;
    nearby.component_count = 0;
    for (const ComponentRecord* c = board.component_list; c != nullptr; c = c->next)
        if (!keep_if_meets(nearby.components, nearby.component_count, c, component_visible(c, r))) return;
    nearby.area = r;
    nearby.active = true;
}

namespace {

// Both ordered.
bool reach_meets(const Rect& reach, const Rect& r) {
    return reach.x0 <= r.x1 && reach.x1 >= r.x0 && reach.y0 <= r.y1 && reach.y1 >= r.y0;
}

}  // namespace

Rect wire_reach(const WireRecord* w) {
    const Rect body = ordered({w->x1, w->y1, w->x2, w->y2});
    Rect reach{body.x0 - 5, body.y0 - 5, body.x1 + 5, body.y1 + 5};
    grow_by_description(reach, w->desc);
    return reach;
}

Rect component_reach(const ComponentRecord* c) {
    Rect reach = ordered({c->box_x0, c->box_y0, c->box_x1, c->box_y1});
    grow_by_description(reach, c->desc);
    return reach;
}

void begin_nearby_records_reversed(Rect area, WireRecord* const* wires, const Rect* wire_reaches, size_t wire_count,
                                   ComponentRecord* const* components, const Rect* component_reaches,
                                   size_t component_count) {
    nearby.active = false;
    const Rect r = ordered(area);
    nearby.wire_count = 0;
    for (size_t i = wire_count; i-- > 0;) {
        if (!reach_meets(wire_reaches[i], r)) continue;
        if (!keep_if_meets(nearby.wires, nearby.wire_count, wires[i], wire_visible(wires[i], r))) return;
    }
    nearby.component_count = 0;
    for (size_t i = component_count; i-- > 0;) {
        if (!reach_meets(component_reaches[i], r)) continue;
        const ComponentRecord* c = components[i];
        if (!keep_if_meets(nearby.components, nearby.component_count, c, component_visible(c, r))) return;
    }
    nearby.area = r;
    nearby.active = true;
}

void end_nearby_records() { nearby.active = false; }

void draw_board_frame() {
    const Rect saved = canvas.clip_rect;
    const Rect board_area{0, 0, BOARD_RIGHT, BOARD_BOTTOM};
    canvas.clip_rect = board_area;
    const CellRange range = cell_range_of(board_area);
    draw_background(board_area);
    draw_hole_dots(range);
    draw_ticks(range);
    canvas.clip_rect = saved;
}

void redraw_description_area(int x, int y, int width) { redraw_rect({x - 2, y - 6, x + width, y + 2}); }
