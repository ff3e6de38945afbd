// Region operations: everything inside a rectangle is moved, copied,
// flipped, mirrored or rotated by one integer map, in one deferred redraw.
// Copies are made by writing each object as a board line and reading it
// back, so a copy is built exactly as a loaded object is.
#include "editor/regions.h"

#include <algorithm>
#include <string>

#include "board/draw.h"
#include "board/grid.h"
#include "editor/drags.h"
#include "export/export.h"
#include "fileio/board_file.h"
#include "graphics/canvas.h"
#include "graphics/geometry.h"
#include "shell/input.h"
#include "shell/codes.h"

namespace {

// The cut and bridge cells a region holds. With corners on half-pitch
// points these are the cells strictly after the first edge up to one cell
// past the second; stored boards and region scripts rely on exactly that.
CellRange cell_range(const Rect& r) {
    const Rect o = ordered(r);
    return CellRange{std::max(0, (o.x0 + 5) / 5), std::max(0, (o.y0 + 5) / 5),
                     std::min(o.x1 / 5 + 1, GRID_COLUMNS - 1), std::min(o.y1 / 5 + 1, GRID_ROWS - 1)};
}

bool is_cut_position(int row, int column) { return (row & 1) == 0 && (column & 1) == 1; }
bool is_bridge_position(int row, int column) { return (row & 1) == 1 && (column & 1) == 0; }
bool is_cut_or_bridge_position(int row, int column) {
    return is_cut_position(row, column) || is_bridge_position(row, column);
}

void invalidate_cell(int row, int column, int x, int y) {
    if (is_bridge_position(row, column))
        invalidate_bridge(x, y);
    else
        invalidate_cut(x, y);
}

// A record leaves its holes and is repainted away before the map moves it,
// and takes its new holes and is repainted after.
void lift(ComponentRecord* c) {
    unregister_pins(c);
    invalidate_component(c);
}
void settle(ComponentRecord* c) {
    register_pins(c);
    invalidate_component(c);
}
void lift(WireRecord* w) {
    unregister_wire_ends(w);
    invalidate_wire(w);
}
void settle(WireRecord* w) {
    register_wire_ends(w);
    invalidate_wire(w);
}

// Puts every record of a taken or copied list back at the head of the
// board's list, mapped by `move` between its lift and its settling.
template <typename Record, typename Move>
void place_mapped(Record* list, Record*& board_list, Move move) {
    note_board_change();
    while (list != nullptr) {
        Record* r = list;
        list = list->next;
        lift(r);
        r->next = board_list;
        board_list = r;
        move(r);
        settle(r);
    }
}

void transform_components(const Rect& r, const RegionMap& map) {
    // Plain copies: the browser build's compiler cannot capture bindings in lambdas.
    const int mode = map.mode, a = map.a, d = map.d, tx = map.tx, ty = map.ty;
    ComponentRecord* list = mode == REGION_COPY ? copy_components_in_region(r) : take_components_in_region(r);
    place_mapped(list, board.component_list, [&](ComponentRecord* c) {
        c->desc.x = a * c->desc.x + tx;
        c->desc.y = d * c->desc.y + ty;
        if (entry_is_text(c->entry)) {
            c->ax = c->desc.x;
            c->ay = c->desc.y;
        } else {
            c->ax = snap_to_hole(std::min(a * c->box_x0 + tx, a * c->box_x1 + tx));
            c->ay = snap_to_hole(std::min(d * c->box_y0 + ty, d * c->box_y1 + ty));
        }
        if (mode == REGION_FLIP) c->entry = variant_entry(c->entry, FIELD_FLIP);
        if (mode == REGION_MIRROR) c->entry = variant_entry(c->entry, FIELD_MIRROR);
        if (mode == REGION_ROTATE) c->entry = variant_entry(c->entry, FIELD_ROTATE);
        compute_component_box(c);
    });
}

void transform_wires(const Rect& r, const RegionMap& map) {
    // Plain copies: the browser build's compiler cannot capture bindings in lambdas.
    const int mode = map.mode, a = map.a, d = map.d, tx = map.tx, ty = map.ty;
    WireRecord* list = mode == REGION_COPY ? copy_wires_in_region(r) : take_wires_in_region(r);
    place_mapped(list, board.wire_list, [&](WireRecord* w) {
        w->x1 = a * w->x1 + tx;
        w->y1 = d * w->y1 + ty;
        w->x2 = a * w->x2 + tx;
        w->y2 = d * w->y2 + ty;
        w->desc.x = a * w->desc.x + tx;
        w->desc.y = d * w->desc.y + ty;
    });
}

void transform_cells(const Rect& r, const RegionMap& map) {
    const auto [mode, a, d, tx, ty] = map;
    CellRange range = cell_range(r);
    for (int row = range.r0; row <= range.r1; ++row)
        for (int column = range.c0; column <= range.c1; ++column) {
            if (!is_cut_or_bridge_position(row, column)) continue;
            scratch_set(row, column, cell_get(row, column));
            if (mode != REGION_COPY) cell_set(row, column, 0);
        }
    for (int row = range.r0; row <= range.r1; ++row)
        for (int column = range.c0; column <= range.c1; ++column)
            if (is_cut_or_bridge_position(row, column) && scratch_get(row, column) != 0)
                cell_set((ty + d * 5 * row) / 5, (tx + a * 5 * column) / 5, 1);
    for (int row = range.r0; row <= range.r1; ++row)
        for (int column = range.c0; column <= range.c1; ++column) {
            if (!is_cut_or_bridge_position(row, column) || scratch_get(row, column) == 0) continue;
            invalidate_cell(row, column, 5 * column, 5 * row);
            invalidate_cell(row, column, tx + a * 5 * column, ty + d * 5 * row);
        }
}

// Waits for a left press or a key; returns the key, or -1 for a press.
// The cursor keys move the pointer by a hole and the wait goes on.
int wait_for_press_or_key(bool cursor_keys_move) {
    for (;;) {
        int x, y;
        if (key_available()) {
            if (!cursor_keys_move) return input_state.key_code;
            int key = get_key();
            if (key == KEY_LEFT || key == KEY_RIGHT || key == KEY_DOWN || key == KEY_UP) {
                move_pointer_by_key(key, 10);
                continue;
            }
            push_back_key(key);
            return key;
        }
        if (left_state(&x, &y)) return -1;
        wait_for_message();
    }
}

void draw_region_outline(const Rect& o) {
    PointerHidden hidden;
    canvas.pen_mode = PEN_INVERT;
    frame_rect(o);
    canvas.pen_mode = PEN_PAINT;
}

// Carries the region's outline with the pointer and returns the snapped
// displacement from the press point.
void drag_region(const Rect& o, int& tx, int& ty) {
    int px, py;
    left_state(&px, &py);
    int start_x = snap_to_hole(px), start_y = snap_to_hole(py);
    drag_box(px, py, o, false);
    tx = snap_to_hole(px) - start_x;
    ty = snap_to_hole(py) - start_y;
}

void region_copy(const Rect& o) {
    draw_region_outline(o);
    if (wait_for_press_or_key(false) != -1) {  // a key cancels and stays for the main loop
        draw_region_outline(o);
        return;
    }
    int tx, ty;
    drag_region(o, tx, ty);
    draw_region_outline(o);
    region_transform(o, {REGION_COPY, 1, 1, tx, ty});
}

int fold_upper(int key) { return key >= 'a' && key <= 'z' ? key - 'a' + 'A' : key; }

}  // namespace

bool wire_in_region(const WireRecord* w, const Rect& r) {
    Rect o = ordered(r);
    return std::min(w->x1, w->x2) >= o.x0 && std::max(w->x1, w->x2) <= o.x1 &&
           std::min(w->y1, w->y2) >= o.y0 && std::max(w->y1, w->y2) <= o.y1;
}

bool component_in_region(const ComponentRecord* c, const Rect& r) {
    Rect o = ordered(r);
    if (entry_is_text(c->entry)) return o.contains(c->ax, c->ay);
    return o.contains(c->box_x0, c->box_y0) && o.contains(c->box_x1, c->box_y1);
}

namespace {

// Unlinks every member of a list; the rest stay, in reverse walk order.
template <typename Record, typename Member>
Record* take_members(Record*& list, Member is_member) {
    note_board_change();  // the kept ones come back in another order
    Record* taken = nullptr;
    Record* kept = nullptr;
    Record* r = list;
    while (r != nullptr) {
        Record* next = r->next;
        Record*& into = is_member(r) ? taken : kept;
        r->next = into;
        into = r;
        r = next;
    }
    list = kept;
    return taken;
}

// Copies every member through its board line: the reader builds the copy
// at the head of the list, from where it moves to the returned list.
template <typename Record, typename Member>
Record* copy_members(Record*& list, Member is_member, std::string (*whole_line)(const Record*)) {
    Record* copies = nullptr;
    float version = 0.0f;
    for (Record* r = list; r != nullptr; r = r->next) {
        if (!is_member(r)) continue;
        std::string line = whole_line(r);  // whole, so no description is cut
        Record* head = list;
        parse_board_line(line.c_str(), &version);
        if (list == head) continue;  // the line was refused
        Record* copy = list;
        list = copy->next;
        copy->next = copies;
        copies = copy;
    }
    return copies;
}

// Hands every record of a taken list, unlinked, to `erase`.
template <typename Record, typename Erase>
void delete_each(Record* list, Erase erase) {
    while (list != nullptr) {
        Record* next = list->next;
        list->next = nullptr;
        erase(list);
        list = next;
    }
}

}  // namespace

WireRecord* take_wires_in_region(const Rect& r) {
    return take_members(board.wire_list, [&](const WireRecord* w) { return wire_in_region(w, r); });
}

ComponentRecord* take_components_in_region(const Rect& r) {
    return take_members(board.component_list, [&](const ComponentRecord* c) { return component_in_region(c, r); });
}

WireRecord* copy_wires_in_region(const Rect& r) {
    return copy_members(board.wire_list, [&](const WireRecord* w) { return wire_in_region(w, r); }, wire_line);
}

ComponentRecord* copy_components_in_region(const Rect& r) {
    return copy_members(board.component_list, [&](const ComponentRecord* c) { return component_in_region(c, r); },
                        component_line);
}

bool region_key_map(int key, const Rect& o, RegionMap& m) {
    // Reflections about the rectangle's centre line, brought to the hole
    // grid, so holes stay on holes and cut positions on cut positions.
    switch (key) {
    case 'F': m = {REGION_FLIP, 1, -1, 0, snap_to_hole(o.y0 + o.y1)}; return true;
    case 'M': m = {REGION_MIRROR, -1, 1, snap_to_hole(o.x0 + o.x1), 0}; return true;
    case 'R': m = {REGION_ROTATE, -1, -1, snap_to_hole(o.x0 + o.x1), snap_to_hole(o.y0 + o.y1)}; return true;
    default: return false;
    }
}

void region_transform(const Rect& r, const RegionMap& map) {
    if (map.tx == 0 && map.ty == 0 && map.mode != REGION_COPY) return;
    DeferredRedraw bulk;
    reset_dirty_rect();
    transform_components(r, map);
    transform_wires(r, map);
    transform_cells(r, map);
}

void delete_region(const Rect& r) {
    DeferredRedraw bulk;
    reset_dirty_rect();
    delete_each(take_wires_in_region(r), [](WireRecord* w) {
        invalidate_wire(w);
        delete_wire(w);
    });
    delete_each(take_components_in_region(r), [](ComponentRecord* c) {
        invalidate_component(c);
        delete_component(c);
    });
    CellRange range = cell_range(r);
    for (int row = range.r0; row <= range.r1; ++row)
        for (int column = range.c0; column <= range.c1; ++column) {
            if (!is_cut_or_bridge_position(row, column) || cell_get(row, column) == 0) continue;
            cell_set(row, column, 0);
            invalidate_cell(row, column, 5 * column, 5 * row);
        }
}

void region_command(const Rect& region) {
    const Rect o = ordered(region);
    draw_region_outline(o);
    int key = wait_for_press_or_key(true);
    draw_region_outline(o);  // erases it
    if (key == -1) {
        int tx, ty;
        drag_region(o, tx, ty);
        region_transform(o, {REGION_MOVE, 1, 1, tx, ty});
    } else {
        key = fold_upper(get_key());
        switch (key) {
        case KEY_DELETE_MENU:
        case KEY_BACKSPACE:
            delete_region(o);
            break;
        case 'C':
            region_copy(o);
            break;
        case 'F':
        case 'M':
        case 'R': {
            RegionMap m;
            region_key_map(key, o, m);
            region_transform(o, m);
            break;
        }
        case 'P':
            export_region(o);
            break;
        default:
            break;  // the region is dropped
        }
    }
    canvas.pen_mode = PEN_PAINT;
}

void region_gesture(int press_x, int press_y) {
    deselect_all();
    int sx = snap_to_half(press_x), sy = snap_to_half(press_y);
    int ex, ey;
    drag_rubber_band(sx, sy, ex, ey);
    region_command({sx, sy, ex, ey});
}
