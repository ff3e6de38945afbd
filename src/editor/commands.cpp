// The command table: every key code and menu id, by the selection state,
// with what it does to the modified and no-checkpoint marks.
#include "editor/commands.h"
#include <algorithm>
#include <cstring>
#include "board/catalog.h"
#include "board/draw.h"
#include "board/grid.h"
#include "board/net.h"
#include "board/objects.h"
#include "core/arena.h"
#include "core/format.h"
#include "editor/command_steps.h"
#include "editor/drags.h"
#include "editor/editor_state.h"
#include "editor/gestures.h"
#include "editor/journal.h"
#include "editor/regions.h"
#include "editor/selection.h"
#include "export/export.h"
#include "shell/dialogs.h"
#include "shell/input.h"
#include "shell/codes.h"

namespace {

void no_checkpoint() { editor_state.no_checkpoint = true; }

void pointer_position(int* x, int* y) { left_state(x, y); }

// Places a new component: the outline follows the pointer until a press.
void component_placement() {
    deselect_all();
    if (!ask_component_name()) return;
    deselect_all();
    int px = 0, py = 0;
    pointer_position(&px, &py);
    const int hx = snap_to_hole(px), hy = snap_to_hole(py);
    if (!component_name_known(editor_state.answer)) return;
    ComponentRecord* c = create_component(editor_state.answer, -1, hx, hy);
    if (c == nullptr) return;
    drag_box(px, py, {c->box_x0, c->box_y0, c->box_x1, c->box_y1}, true);
    wait_for_left_release();
    const int tx = snap_to_hole(px), ty = snap_to_hole(py);
    PointerHidden hidden;
    translate_component(c, tx - hx, ty - hy, true);
    register_pins(c);
    draw_component(c);
    select_component(c, tx, ty);
    editor_state.modified = true;
}

void toggle_highlight(ComponentRecord* c) {
    highlight_component(c, board.selection_marker_x, board.selection_marker_y);
}
void toggle_highlight(WireRecord* w) {
    highlight_wire(w, board.selection_marker_x, board.selection_marker_y);
}

// Asks for a selected object's new description and shows it; `repaint`
// gets the object and the old description's place and width.
template <typename Record, typename Repaint>
void edit_description(Record* r, const char* label, Repaint repaint) {
    const int old_width = r->desc.width;
    const int old_x = r->desc.x, old_y = r->desc.y;
    if (ask_prompt(label, r->desc.text, editor_state.answer, sizeof editor_state.answer) != DIALOG_OK) return;
    PointerHidden hidden;
    // The whole highlight goes first: the repaint may cross the marker too.
    toggle_highlight(r);
    set_description(r->desc, editor_state.answer);
    repaint(r, old_x, old_y, old_width);
    toggle_highlight(r);
    deselect_all();
    editor_state.modified = true;
}

void edit_component_description(ComponentRecord* c) {
    edit_description(c, "Component description: ", [](ComponentRecord* c, int, int, int old_width) {
        redraw_rect({c->desc.x, c->desc.y, c->desc.x + std::max(old_width, c->desc.width), c->desc.y - 5});
    });
}

void edit_wire_description(WireRecord* w) {
    edit_description(w, "Wire description: ", [](WireRecord* w, int old_x, int old_y, int old_width) {
        // A horizontal wire's description keeps its centre.
        note_board_change();
        if (w->x1 != w->x2) w->desc.x += (old_width - w->desc.width) / 2;
        // The old text is cleared after the change, so no part of it stays
        // on the screen under a shorter or shifted new one.
        redraw_rect({old_x, old_y, old_x + old_width, old_y - 5});
        draw_description(w->desc);
    });
}

void place_text() {
    if (ask_prompt("text: ", "", editor_state.answer, sizeof editor_state.answer) != DIALOG_OK) return;
    deselect_all();
    int px = 0, py = 0;
    pointer_position(&px, &py);
    ComponentRecord* t = create_component("TEXT", 0, px, py);
    if (t == nullptr) return;
    const int length = static_cast<int>(std::strlen(editor_state.answer));
    const int start_x = px, start_y = py;
    drag_box(px, py, {t->ax, t->ay, t->ax + 4 * length, t->ay - 10}, true);
    PointerHidden hidden;
    translate_component(t, px - start_x, py - start_y, true);
    set_description(t->desc, editor_state.answer);
    draw_description(t->desc);
    wait_for_left_release();
    select_component(t, t->ax, t->ay);
    deselect_all();
    editor_state.modified = true;
}

void text_command() {
    if (board.selected_component != nullptr)
        edit_component_description(board.selected_component);
    else if (board.selected_wire != nullptr)
        edit_wire_description(board.selected_wire);
    else
        place_text();
}

void wire_type_command(const char* name) {
    CatalogMatch match = catalog_lookup(name, -1);
    if (match.entry < 0) return;
    set_wire_type(match.entry);
    editor_state.modified = true;
}

void quit_command() {
    no_checkpoint();
    if (!unsaved_changes_may_go()) return;
    editor_state.quit = true;
}

void garbage_collection_command() {
    no_checkpoint();
    format_into(editor_state.message, sizeof editor_state.message,
                "Temporary memory usage is %d bytes\nContinue with GC? Undo history will be lost.",
                static_cast<int>(temp_usage()));
    if (message_box("Message", editor_state.message, true) != DIALOG_OK) return;
    int32_t left = journal_collect();
    format_into(editor_state.message, sizeof editor_state.message,
                "GC reduced temporary memory to %d bytes", static_cast<int>(left));
    message_box("Message", editor_state.message, false);
}

void expose_command(bool any_wire) {
    no_checkpoint();
    deselect_all();
    int x = 0, y = 0;
    pointer_position(&x, &y);
    PointerHidden hidden;
    expose_net(snap_to_hole(x) / 5, snap_to_hole(y) / 5, any_wire);
}

void undo_redo_command(bool redo) {
    no_checkpoint();
    deselect_all();
    // A change the last pass left unrecorded (a description nudge takes no
    // checkpoint) becomes its own step first, so that U undoes exactly it.
    journal_snapshot();
    if (redo)
        journal_redo();
    else
        journal_undo();
    PointerHidden hidden;
    journal_rebuild_board();
}

void cursor_key_command(int code) {
    no_checkpoint();
    if (input_state.control && (board.selected_wire || board.selected_component)) {
        PointerHidden hidden;
        if (nudge_selection_description(code)) editor_state.modified = true;
        return;
    }
    move_pointer_by_key(code, 5);
}

void selection_command(bool acted) {
    if (acted) editor_state.modified = true;
}

}  // namespace

Rect print_area() {
    int least_i = GRID_COLUMNS - 1, least_j = GRID_ROWS - 1, greatest_i = 0, greatest_j = 0;
    for (int j = 0; j < GRID_ROWS; ++j) {
        for (int i = 0; i < GRID_COLUMNS; ++i) {
            if (cell_get(j, i) == 0) continue;
            least_i = std::min(least_i, i);
            least_j = std::min(least_j, j);
            greatest_i = std::max(greatest_i, i);
            greatest_j = std::max(greatest_j, j);
        }
    }
    // Even cell indices are holes: clear the lowest bit (E(-1) = -2).
    auto even = [](int v) { return v & ~1; };
    Rect area{even(least_i - 1) * 5, even(least_j - 1) * 5, even(greatest_i + 2) * 5,
              even(greatest_j + 2) * 5};
    area.x0 = std::max(area.x0, 0);
    area.y0 = std::max(area.y0, 0);
    area.x1 = std::min(area.x1, BOARD_RIGHT);
    area.y1 = std::min(area.y1, BOARD_BOTTOM);
    return area;
}

void print_command() {
    {
        PointerHidden hidden;
        deselect_all();
        redraw_rect({0, 0, BOARD_RIGHT, BOARD_BOTTOM});
    }
    export_board(print_area());
    no_checkpoint();
}

namespace {

void select_all_command(int) {
    no_checkpoint();
    deselect_all();
    region_command({0, 0, BOARD_RIGHT, BOARD_BOTTOM});
}

void delete_command(int) { selection_command(delete_selection()); }
void expose_by_code(int code) { expose_command(code == KEY_EXPOSE_ANY_WIRE); }
void variant_by_code(int code) { selection_command(cycle_selection_variant(code == 'V')); }

void cancel_command(int) {
    no_checkpoint();
    deselect_and_redraw();
}

void font_bitmap_by_code(int) {
    no_checkpoint();
    font_bitmap_command();
}

void zoom_command(int) {
    no_checkpoint();
    PointerHidden hidden;
    deselect_all();
    zoom_toggle();
    clear_framebuffer_outside({0, 0, BOARD_RIGHT, BOARD_BOTTOM});
    redraw_rect({0, 0, BOARD_RIGHT, BOARD_BOTTOM});
}

// Without a selected wire, D, L and W do nothing (they open no help).
void nothing(int) {}

}  // namespace

// The first row whose code matches and whose condition holds runs, so a
// letter's wire row comes before its row for any selection.
const CommandRow command_table[] = {
    {KEY_SELECT_ALL, ANY_SELECTION, select_all_command},
    {KEY_LEFT, ANY_SELECTION, cursor_key_command},
    {KEY_RIGHT, ANY_SELECTION, cursor_key_command},
    {KEY_DOWN, ANY_SELECTION, cursor_key_command},
    {KEY_UP, ANY_SELECTION, cursor_key_command},
    {KEY_DELETE_ALT, ANY_SELECTION, delete_command},
    {KEY_BACKSPACE, ANY_SELECTION, delete_command},
    {KEY_DELETE_MENU, ANY_SELECTION, delete_command},
    {KEY_EXPOSE_ANY_WIRE, ANY_SELECTION, expose_by_code},
    {'E', ANY_SELECTION, expose_by_code},
    {KEY_GARBAGE_COLLECT, ANY_SELECTION, [](int) { garbage_collection_command(); }},
    {KEY_INSERT_FILE, ANY_SELECTION, [](int) { insert_command(); }},
    {KEY_REDRAW, ANY_SELECTION, cancel_command},
    {KEY_ESCAPE, ANY_SELECTION, cancel_command},
    {KEY_OPEN, ANY_SELECTION, [](int) { open_command(); }},
    {KEY_SAVE, ANY_SELECTION, [](int) { save_command(); }},
    {KEY_REVERSE_VARIANT, ANY_SELECTION, variant_by_code},
    {'V', ANY_SELECTION, variant_by_code},
    {KEY_SAVE_AS, ANY_SELECTION, [](int) { save_as_command(); }},
    {'A', ANY_SELECTION, [](int code) { help_viewer(code, "About Cuprolay"); }},
    {'B', ANY_SELECTION, font_bitmap_by_code},
    {'C', WIRE_SELECTED, [](int) { wire_type_command("CAP"); }},
    {'C', ANY_SELECTION, [](int) { component_placement(); }},
    {'D', WIRE_SELECTED, [](int) { wire_type_command("DIODE"); }},
    {'D', ANY_SELECTION, nothing},
    {'F', ANY_SELECTION, [](int) { selection_command(flip_selection()); }},
    {'H', ANY_SELECTION, [](int code) { help_viewer(code, "Quick help"); }},
    {'L', WIRE_SELECTED, [](int) { wire_type_command("IND"); }},
    {'L', ANY_SELECTION, nothing},
    {'M', ANY_SELECTION, [](int) { selection_command(mirror_selection()); }},
    {'P', ANY_SELECTION, [](int) { print_command(); }},
    {'Q', ANY_SELECTION, [](int) { quit_command(); }},
    {'R', WIRE_SELECTED, [](int) { wire_type_command("RES"); }},
    {'R', ANY_SELECTION, [](int) { undo_redo_command(true); }},
    {'T', ANY_SELECTION, [](int) { text_command(); }},
    {'U', ANY_SELECTION, [](int) { undo_redo_command(false); }},
    {'W', WIRE_SELECTED, [](int) { wire_type_command("WIRE"); }},
    {'W', ANY_SELECTION, nothing},
    {'Z', ANY_SELECTION, zoom_command},
};

const size_t command_table_size = sizeof command_table / sizeof command_table[0];

void dispatch_command(int code) {
    const bool wire = board.selected_wire != nullptr;
    for (const CommandRow& row : command_table) {
        if (row.code != code || (row.when == WIRE_SELECTED && !wire)) continue;
        row.handler(code);
        return;
    }
    // Enter, space, letters without a command and the Help menu's ids.
    help_viewer(code, nullptr);
}
