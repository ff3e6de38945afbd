// The object store: creating, moving, selecting and freeing wires and components.
#include "board/objects.h"

#include <algorithm>
#include <cstring>

#include "board/draw.h"
#include "board/grid.h"
#include "board/record_pool.h"
#include "core/arena.h"
#include "shell/input.h"
#include "shell/codes.h"

BoardStore board;

namespace {

const CatalogEntry& entry_of(int entry) { return shape_catalog[entry]; }

void free_wire_record(WireRecord* w) {
    note_board_change();
    release_description(w->desc);
    pool_free(w, sizeof(WireRecord));
}

void free_component_record(ComponentRecord* c) {
    note_board_change();
    release_description(c->desc);
    pool_free(c, sizeof(ComponentRecord));
}

void set_empty_description(DescriptionHead& d) {
    d.text = empty_description;
    d.width = 0;
}

// Component description default: DIL and SIL shapes put it above the
// first pin; the others take their catalog offset.
void component_default_text_position(ComponentRecord* c) {
    const CatalogEntry& e = entry_of(c->entry);
    if (entry_is_dil(c->entry) || entry_is_sil(c->entry)) {
        c->desc.x = c->ax + 2;
        c->desc.y = c->ay - 5;
    } else {
        c->desc.x = c->ax + e.text_dx;
        c->desc.y = c->ay + e.text_dy;
    }
}

}  // namespace

int lookup_plain_wire_type() { return catalog_lookup("WIRE", 0).entry; }

void board_reset() {
    while (WireRecord* w = board.wire_list) {
        board.wire_list = w->next;
        free_wire_record(w);
    }
    while (ComponentRecord* c = board.component_list) {
        board.component_list = c->next;
        free_component_record(c);
    }
    if (board.selected_wire != nullptr) free_wire_record(board.selected_wire);
    if (board.selected_component != nullptr) free_component_record(board.selected_component);
    const uint64_t changes = board.changes;
    board = BoardStore{};
    board.changes = changes + 1;
    grid_reset();
    board.plain_wire_type = lookup_plain_wire_type();
}

bool board_is_empty() {
    if (board.wire_list != nullptr || board.component_list != nullptr) return false;
    if (board.selected_wire != nullptr || board.selected_component != nullptr) return false;
    const int8_t* cell = &board_grid.cells[0][0];
    return std::all_of(cell, cell + sizeof board_grid.cells, [](int8_t v) { return v == 0; });
}

WireRecord* create_wire(int entry, int x1, int y1, int x2, int y2) {
    auto* w = static_cast<WireRecord*>(pool_alloc(sizeof(WireRecord)));
    if (w == nullptr) return nullptr;
    note_board_change();
    w->next = nullptr;
    w->entry = entry;
    set_empty_description(w->desc);
    w->x1 = x1;
    w->y1 = y1;
    w->x2 = x2;
    w->y2 = y2;
    wire_default_text_position(w);
    register_wire_ends(w);
    return w;
}

ComponentRecord* create_component(const char* name, int variant, int x, int y) {
    return create_component_of(catalog_lookup(name, variant), x, y);
}

ComponentRecord* create_component_of(const CatalogMatch& match, int x, int y) {
    if (match.entry < 0) return nullptr;
    auto* c = static_cast<ComponentRecord*>(pool_alloc(sizeof(ComponentRecord)));
    if (c == nullptr) return nullptr;
    note_board_change();
    c->next = nullptr;
    c->entry = match.entry;
    set_empty_description(c->desc);
    c->ax = x + match.dx;
    c->ay = y + match.dy;
    component_default_text_position(c);
    compute_component_box(c);
    return c;
}

void compute_component_box(ComponentRecord* c) {
    note_board_change();
    const CatalogEntry& e = entry_of(c->entry);
    c->box_x0 = c->ax + e.box_x0;
    c->box_y0 = c->ay + e.box_y0;
    c->box_x1 = c->ax + e.box_x1;
    c->box_y1 = c->ay + e.box_y1;
    if (entry_is_dil(c->entry)) {
        c->box_x0 -= 2;
        c->box_y0 -= 4;
        c->box_x1 += 2;
        c->box_y1 += 4;
    } else if (entry_is_sil(c->entry)) {
        c->box_x0 -= 4;
        c->box_y0 -= 4;
        c->box_x1 += 4;
        c->box_y1 += 4;
    }
}

void wire_default_text_position(WireRecord* w) {
    note_board_change();
    if (wire_is_vertical(*w)) {
        w->desc.x = w->x1 + 4;
        w->desc.y = (w->y1 + w->y2) / 2 + 2;
    } else {
        w->desc.x = (w->x1 + w->x2) / 2 - w->desc.width / 2;
        w->desc.y = w->y1 - 4;
    }
}

void register_wire_ends(const WireRecord* w) {
    add_solder_point(w->x1, w->y1);
    add_solder_point(w->x2, w->y2);
}

void unregister_wire_ends(const WireRecord* w) {
    remove_solder_point(w->x1, w->y1);
    remove_solder_point(w->x2, w->y2);
}

void register_pins(const ComponentRecord* c) { register_pin_list(component_pins(c->entry, c->ax, c->ay)); }

void register_pin_list(const PinList& pins) {
    for (int i = 0; i < pins.count; ++i) add_solder_point(pins.x[i], pins.y[i]);
}

void unregister_pins(const ComponentRecord* c) {
    const PinList pins = component_pins(c->entry, c->ax, c->ay);
    for (int i = 0; i < pins.count; ++i) remove_solder_point(pins.x[i], pins.y[i]);
}

void delete_wire(WireRecord* w) {
    if (w == nullptr) return;
    unregister_wire_ends(w);
    free_wire_record(w);
}

void delete_component(ComponentRecord* c) {
    if (c == nullptr) return;
    unregister_pins(c);
    free_component_record(c);
}

void discard_wire(WireRecord* w) {
    if (w != nullptr) free_wire_record(w);
}

void discard_component(ComponentRecord* c) {
    if (c != nullptr) free_component_record(c);
}

void clear_board() {
    note_board_change();
    while (WireRecord* w = board.wire_list) {
        board.wire_list = w->next;
        delete_wire(w);
    }
    while (ComponentRecord* c = board.component_list) {
        board.component_list = c->next;
        delete_component(c);
    }
    // Cuts and bridges go too, and any count a caller left unbalanced.
    std::memset(&board_grid, 0, sizeof board_grid);
    redraw_rect({0, 0, BOARD_RIGHT, BOARD_BOTTOM});
}

WireRecord* take_wire_at(int x, int y) {
    for (WireRecord** link = &board.wire_list; *link != nullptr; link = &(*link)->next) {
        WireRecord* w = *link;
        if ((w->x1 == x && w->y1 == y) || (w->x2 == x && w->y2 == y)) {
            note_board_change();
            *link = w->next;
            w->next = nullptr;
            return w;
        }
    }
    return nullptr;
}

bool pin_at(const ComponentRecord* c, int x, int y) {
    const CatalogEntry& e = entry_of(c->entry);
    if (entry_is_dil(c->entry) || entry_is_sil(c->entry)) {
        return (x == c->ax || x == c->ax + e.box_x1) && c->ay <= y && y <= c->ay + e.box_y1;
    }
    if (entry_is_text(c->entry)) return x == c->ax && y == c->ay;
    if (e.pins == nullptr) return false;
    for (int i = 0; i < e.pin_count; ++i) {
        if (c->ax + e.pins[i].dx == x && c->ay + e.pins[i].dy == y) return true;
    }
    return false;
}

ComponentRecord* take_component_at(int x, int y) {
    for (ComponentRecord** link = &board.component_list; *link != nullptr; link = &(*link)->next) {
        ComponentRecord* c = *link;
        if (pin_at(c, x, y)) {
            note_board_change();
            *link = c->next;
            c->next = nullptr;
            return c;
        }
    }
    return nullptr;
}

ComponentRecord* take_text_at(int x, int y) {
    for (ComponentRecord** link = &board.component_list; *link != nullptr; link = &(*link)->next) {
        ComponentRecord* c = *link;
        if (!entry_is_text(c->entry)) continue;
        const DescriptionHead& d = c->desc;
        if (d.x - 1 <= x && x <= d.x + d.width + 1 && d.y - 6 <= y && y <= d.y + 1) {
            note_board_change();
            *link = c->next;
            c->next = nullptr;
            return c;
        }
    }
    return nullptr;
}

bool description_hit(const DescriptionHead& d, int x, int y) {
    return d.width >= 1 && d.x - 2 <= x && x <= d.x + d.width && d.y - 6 <= y && y <= d.y + 2;
}

void move_wire_end(WireRecord* w, int fx, int fy, int tx, int ty) {
    note_board_change();
    if (w->x1 == fx && w->y1 == fy) {
        w->x1 = tx;
        w->y1 = ty;
        if (w->y2 != ty) w->x2 = tx;
    } else {
        w->x2 = tx;
        w->y2 = ty;
        if (w->y1 != ty) w->x1 = tx;
    }
    register_wire_ends(w);
    if (w->desc.width == 0) wire_default_text_position(w);
}

void translate_component(ComponentRecord* c, int dx, int dy, bool with_description) {
    note_board_change();
    c->ax += dx;
    c->ay += dy;
    c->box_x0 += dx;
    c->box_y0 += dy;
    c->box_x1 += dx;
    c->box_y1 += dy;
    if (with_description) {
        c->desc.x += dx;
        c->desc.y += dy;
    }
}

void nudge_description(DescriptionHead& d, int key) {
    note_board_change();
    switch (key) {
        case KEY_RIGHT: ++d.x; break;
        case KEY_LEFT: --d.x; break;
        case KEY_DOWN: ++d.y; break;
        case KEY_UP: --d.y; break;
        default: break;
    }
}

void set_description(DescriptionHead& d, const char* text) {
    if (text == nullptr || text[0] == '\0') {
        release_description(d);
        return;
    }
    set_description_text(d, text, std::strlen(text));
}

void set_description_text(DescriptionHead& d, const char* text, size_t length) {
    if (length == 0) {
        release_description(d);
        return;
    }
    // Copy first: text may be the old description itself.
    auto* copy = static_cast<char*>(pool_alloc(length + 1));
    if (copy == nullptr) return;  // only a test's refusal hook returns here
    note_board_change();
    std::memcpy(copy, text, length);
    copy[length] = '\0';
    release_description(d);
    d.text = copy;
    d.width = static_cast<int32_t>(4 * length);
}

void release_description(DescriptionHead& d) {
    note_board_change();
    if (d.text != nullptr && d.text != empty_description) {
        pool_free(d.text, std::strlen(d.text) + 1);
    }
    set_empty_description(d);
}

// A slot holds one record; selecting into an occupied slot first puts the
// holder back, so that no record is lost with its solder points counted.
void select_wire(WireRecord* w, int marker_x, int marker_y) {
    if (w == nullptr || board.selected_wire == w) return;
    if (board.selected_wire != nullptr && board.selected_wire != w) deselect_all();
    PointerHidden hidden;
    note_board_change();
    board.selected_wire = w;
    w->next = nullptr;
    highlight_wire(w, marker_x, marker_y);
}

void select_component(ComponentRecord* c, int marker_x, int marker_y) {
    if (c == nullptr || board.selected_component == c) return;
    if (board.selected_component != nullptr && board.selected_component != c) deselect_all();
    PointerHidden hidden;
    note_board_change();
    board.selected_component = c;
    c->next = nullptr;
    highlight_component(c, marker_x, marker_y);
}

void deselect_all() {
    PointerHidden hidden;
    if (WireRecord* w = board.selected_wire) {
        highlight_wire(w, board.selection_marker_x, board.selection_marker_y);
        note_board_change();
        w->next = board.wire_list;
        board.wire_list = w;
        board.selected_wire = nullptr;
    }
    if (ComponentRecord* c = board.selected_component) {
        highlight_component(c, board.selection_marker_x, board.selection_marker_y);
        note_board_change();
        c->next = board.component_list;
        board.component_list = c;
        board.selected_component = nullptr;
    }
}
