// The pointer gestures: what a right press and a left press do, by the
// selection and by where the press lies on the half-pitch grid.
#include "editor/gestures.h"
#include <cctype>
#include "board/catalog.h"
#include "board/draw.h"
#include "board/grid.h"
#include "board/objects.h"
#include "core/format.h"
#include "editor/drags.h"
#include "editor/editor_state.h"
#include "editor/regions.h"
#include "shell/dialogs.h"
#include "shell/input.h"

bool component_name_known(const char* name) {
    CatalogMatch match = catalog_lookup(name, -1);
    // Wire types, texts and file keywords are in the catalog too, but
    // only a component can be placed.
    if (match.entry >= 0 && shape_catalog[match.entry].kind == KIND_COMPONENT) return true;
    format_into(editor_state.message, sizeof editor_state.message, "%s is an unknown component",
                name);
    message_box("Error", editor_state.message, false);
    return false;
}

bool ask_component_name() {
    if (ask_prompt("component name: ", "", editor_state.answer, sizeof editor_state.answer) !=
        DIALOG_OK)
        return false;
    for (char* p = editor_state.answer; *p != '\0'; ++p)
        *p = static_cast<char>(std::toupper(static_cast<unsigned char>(*p)));
    return true;
}

void wait_for_left_release() {
    int x = 0, y = 0;
    while (left_state(&x, &y)) wait_for_message();
}

void wait_for_right_release() {
    int x = 0, y = 0;
    while (right_state(&x, &y)) wait_for_message();
}

void right_press_gesture(int x, int y) {
    deselect_all();
    wait_for_right_release();
    if (!ask_component_name()) return;
    deselect_all();
    const int hx = snap_to_hole(x), hy = snap_to_hole(y);
    if (!component_name_known(editor_state.answer)) return;
    ComponentRecord* c = create_component(editor_state.answer, -1, hx, hy);
    if (c == nullptr) return;
    PointerHidden hidden;
    register_pins(c);
    draw_component(c);
    select_component(c, hx, hy);
    editor_state.modified = true;
}

namespace {

// Carries a description's box with the pointer and moves the description
// by the displacement, unsnapped; a free text's anchor follows its text.
// The highlight is off on entry and on again on return.
void drag_description(DescriptionHead& d, int x, int y, ComponentRecord* text) {
    const int old_x = d.x, old_y = d.y;
    int px = x, py = y;
    drag_box(px, py, {d.x - 2, d.y + 2, d.x + d.width, d.y - 6}, false);
    PointerHidden hidden;
    note_board_change();
    d.x += px - x;
    d.y += py - y;
    if (text != nullptr) {
        text->ax = d.x;
        text->ay = d.y;
        compute_component_box(text);
    }
    redraw_description_area(old_x, old_y, d.width);
    draw_description(d);
    highlight_description(d);
    editor_state.modified = true;
}

void erase_description_highlight(const DescriptionHead& d) {
    PointerHidden hidden;
    highlight_description(d);
}

// A press on a hole without solder points draws a new plain wire.
void new_wire_gesture(int hx, int hy) {
    int px = hx, py = hy, qx = hx, qy = hy;
    drag_wire_line(hx, hy, px, py, qx, qy);
    PointerHidden hidden;
    WireRecord* w = create_wire(board.plain_wire_type, px, py, qx, qy);
    draw_wire(w);
    select_wire(w, qx, qy);
    editor_state.modified = true;
}

// A press on a wire's end drags that end; the other end is the anchor.
void wire_end_gesture(WireRecord* w, int hx, int hy) {
    const bool first_end = w->x1 == hx && w->y1 == hy;
    const int ax = first_end ? w->x2 : w->x1;
    const int ay = first_end ? w->y2 : w->y1;
    int px = hx, py = hy, qx = ax, qy = ay;
    drag_wire_line(ax, ay, px, py, qx, qy);
    PointerHidden hidden;
    unregister_wire_ends(w);
    invalidate_wire(w);
    move_wire_end(w, hx, hy, qx, qy);
    draw_wire(w);
    select_wire(w, qx, qy);
}

// A press on a component's pin carries its box; release on another hole
// moves it there, its description staying where it was.
void component_move_gesture(ComponentRecord* c, int x, int y, int hx, int hy) {
    {
        PointerHidden hidden;
        draw_selection_marker(hx, hy);
    }
    int px = x, py = y;
    drag_box(px, py, {c->box_x0, c->box_y0, c->box_x1, c->box_y1}, false);
    const int tx = snap_to_hole(px), ty = snap_to_hole(py);
    PointerHidden hidden;
    if (tx != hx || ty != hy) {
        unregister_pins(c);
        invalidate_component(c);
        translate_component(c, tx - hx, ty - hy, false);
        register_pins(c);
    }
    draw_component(c);
    select_component(c, tx, ty);
}

void hole_gesture(int x, int y, int hx, int hy) {
    {
        PointerHidden hidden;
        draw_selection_marker(hx, hy);
    }
    if (WireRecord* w = take_wire_at(hx, hy)) {
        wire_end_gesture(w, hx, hy);
        return;
    }
    if (ComponentRecord* c = take_component_at(hx, hy)) {
        component_move_gesture(c, x, y, hx, hy);
        return;
    }
    // Nothing to take: the marker stays until the next redraw there.
}

}  // namespace

void left_press_gesture(int x, int y) {
    if (input_state.control) {
        region_gesture(x, y);
        return;
    }
    if (WireRecord* w = board.selected_wire; w != nullptr && description_hit(w->desc, x, y)) {
        erase_description_highlight(w->desc);
        drag_description(w->desc, x, y, nullptr);
        return;
    }
    if (ComponentRecord* c = board.selected_component;
        c != nullptr && !entry_is_text(c->entry) && description_hit(c->desc, x, y)) {
        erase_description_highlight(c->desc);
        drag_description(c->desc, x, y, nullptr);
        return;
    }
    deselect_all();

    if (ComponentRecord* t = take_text_at(x, y)) {
        // Selected without drawing its highlight, which the drag would
        // erase first anyway.
        t->next = nullptr;
        note_board_change();
        board.selected_component = t;
        drag_description(t->desc, x, y, t);
        return;
    }

    const int sx = snap_to_half(x), sy = snap_to_half(y);
    const int column = sx / 5, row = sy / 5;
    const int position_class = 2 * (row & 1) + (column & 1);
    switch (position_class) {
    case 3:
        region_gesture(x, y);
        editor_state.no_checkpoint = true;
        return;
    case 1:
    case 2: {
        {
            PointerHidden hidden;
            toggle_cell(sx, sy);
        }
        wait_for_left_release();
        editor_state.modified = true;
        return;
    }
    default:
        if (cell_get(row, column) == 0)
            new_wire_gesture(sx, sy);
        else
            hole_gesture(x, y, sx, sy);
        return;
    }
}
