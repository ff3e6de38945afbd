// Single-object commands on the selection: the selected wire or
// component is changed in place and its highlight kept.
#include "editor/selection.h"

#include <utility>

#include "board/draw.h"
#include "editor/drags.h"
#include "graphics/canvas.h"
#include "shell/input.h"

namespace {

void redraw_wire_middle(const WireRecord* w) {
    int cx = (w->x1 + w->x2) / 2, cy = (w->y1 + w->y2) / 2;
    redraw_rect({cx - 5, cy - 5, cx + 5, cy + 5});
}

void erase_or_draw_highlight() {
    if (board.selected_wire != nullptr)
        highlight_wire(board.selected_wire, board.selection_marker_x, board.selection_marker_y);
    if (board.selected_component != nullptr)
        highlight_component(board.selected_component, board.selection_marker_x, board.selection_marker_y);
}

// Gives the selected component another variant, redrawing it in place.
void change_selected_component_variant(VariantField field) {
    ComponentRecord* c = board.selected_component;
    PointerHidden hidden;
    highlight_component(c, board.selection_marker_x, board.selection_marker_y);
    board.selected_component = nullptr;
    unregister_pins(c);
    invalidate_component(c);
    note_board_change();
    c->entry = variant_entry(c->entry, field);
    compute_component_box(c);
    register_pins(c);
    draw_component(c);
    board.selected_component = c;
    highlight_component(c, board.selection_marker_x, board.selection_marker_y);
}

void swap_wire_ends(bool vertical) {
    WireRecord* w = board.selected_wire;
    PointerHidden hidden;
    highlight_wire(w, board.selection_marker_x, board.selection_marker_y);
    note_board_change();
    if (vertical)
        std::swap(w->y1, w->y2);
    else
        std::swap(w->x1, w->x2);
    redraw_wire_middle(w);
    highlight_wire(w, board.selection_marker_x, board.selection_marker_y);
}

}  // namespace

void set_wire_type(int type) {
    WireRecord* w = board.selected_wire;
    if (w == nullptr) return;
    note_board_change();
    w->entry = type;
    PointerHidden hidden;
    highlight_wire(w, board.selection_marker_x, board.selection_marker_y);
    redraw_wire_middle(w);
    highlight_wire(w, board.selection_marker_x, board.selection_marker_y);
}

bool delete_selection() {
    bool acted = false;
    PointerHidden hidden;
    if (WireRecord* w = board.selected_wire) {
        board.selected_wire = nullptr;
        highlight_wire(w, board.selection_marker_x, board.selection_marker_y);
        // Uncounted first: the repaint must not find the ends' solder
        // points and strips any more.
        unregister_wire_ends(w);
        invalidate_wire(w);
        discard_wire(w);
        acted = true;
    }
    if (ComponentRecord* c = board.selected_component) {
        board.selected_component = nullptr;
        highlight_component(c, board.selection_marker_x, board.selection_marker_y);
        unregister_pins(c);
        invalidate_component(c);
        discard_component(c);
        acted = true;
    }
    return acted;
}

bool flip_selection() {
    if (board.selected_wire != nullptr && wire_is_vertical(*board.selected_wire)) {
        swap_wire_ends(true);
        return true;
    }
    if (board.selected_component == nullptr) return false;
    change_selected_component_variant(FIELD_FLIP);
    return true;
}

bool mirror_selection() {
    if (board.selected_wire != nullptr && board.selected_wire->y1 == board.selected_wire->y2) {
        swap_wire_ends(false);
        return true;
    }
    if (board.selected_component == nullptr) return false;
    change_selected_component_variant(FIELD_MIRROR);
    return true;
}

bool cycle_selection_variant(bool forward) {
    VariantField field = forward ? FIELD_NEXT : FIELD_PREV;
    if (WireRecord* w = board.selected_wire) {
        PointerHidden hidden;
        highlight_wire(w, board.selection_marker_x, board.selection_marker_y);
        note_board_change();
        w->entry = variant_entry(w->entry, field);
        invalidate_wire(w);
        highlight_wire(w, board.selection_marker_x, board.selection_marker_y);
        return true;
    }
    if (board.selected_component == nullptr) return false;
    change_selected_component_variant(field);
    return true;
}

bool nudge_selection_description(int key) {
    DescriptionHead* d = nullptr;
    if (board.selected_wire != nullptr)
        d = &board.selected_wire->desc;
    else if (board.selected_component != nullptr)
        d = &board.selected_component->desc;
    if (d == nullptr) return false;
    PointerHidden hidden;
    erase_or_draw_highlight();
    int old_x = d->x, old_y = d->y;
    nudge_description(*d, key);
    redraw_description_area(old_x, old_y, d->width);
    draw_description(*d);
    erase_or_draw_highlight();
    return true;
}
