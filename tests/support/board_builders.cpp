// Board builders and the reset shared by the tests.
#include "support/board_builders.h"

#include <cstdio>
#include <functional>
#include <string_view>

#include "board/catalog.h"
#include "board/draw.h"
#include "board/grid.h"
#include "core/arena.h"
#include "editor/state_reset.h"
#include "fileio/board_file.h"
#include "graphics/canvas.h"
#include "graphics/font.h"
#include "shell/headless/headless.h"
#include "shell/input.h"
#include "board/integrity.h"

void reset_everything() {
    reset_all_state();
    headless_install();
    // Every test checks the board after each load, pass, undo and redo.
    integrity_state.enabled = true;
}

WireRecord* add_wire(const char* name, int variant, int x1, int y1, int x2, int y2) {
    const int entry = catalog_lookup(name, variant).entry;
    if (entry < 0 || shape_catalog[entry].kind != KIND_WIRE) return nullptr;
    WireRecord* w = create_wire(entry, x1, y1, x2, y2);
    if (w == nullptr) return nullptr;
    w->next = board.wire_list;
    board.wire_list = w;
    invalidate_wire(w);
    return w;
}

ComponentRecord* add_component(const char* name, int variant, int x, int y) {
    ComponentRecord* c = create_component(name, variant, x, y);
    if (c == nullptr) return nullptr;
    register_pins(c);
    c->next = board.component_list;
    board.component_list = c;
    invalidate_component(c);
    return c;
}

ComponentRecord* add_text(int x, int y, const char* text) {
    ComponentRecord* c = create_component("TEXT", 0, x + 2, y);
    if (c == nullptr) return nullptr;
    set_description(c->desc, text);
    c->next = board.component_list;
    board.component_list = c;
    invalidate_component(c);
    return c;
}

void describe_wire(WireRecord* w, const char* text) {
    invalidate_wire(w);
    set_description(w->desc, text);
    wire_default_text_position(w);
    invalidate_wire(w);
}

void describe_component(ComponentRecord* c, const char* text) {
    invalidate_component(c);
    set_description(c->desc, text);
    invalidate_component(c);
}

void add_cut(int x, int y) {
    cell_set(y / 5, x / 5, 1);
    invalidate_cut(x, y);
}

void add_bridge(int x, int y) {
    cell_set(y / 5, x / 5, 1);
    invalidate_bridge(x, y);
}

void dense_board() {
    DeferredRedraw bulk;
    reset_dirty_rect();

    static const struct {
        const char* name;
        int variant;
    } wire_types[] = {{"WIRE", 0}, {"WIRE", 1}, {"RES", 0},   {"RES", 1},   {"CAP", 0},   {"CAP", 1},
                      {"IND", 0},  {"DIODE", 0}, {"DIODE", 1}, {"DIODE", 2}, {"DIODE", 3}};
    constexpr int wire_type_count = sizeof wire_types / sizeof wire_types[0];
    char label[16];
    int n = 0;

    // Left third: vertical and horizontal wires of every type, both ways.
    for (int column = 0; column < 10; ++column) {
        for (int row = 0; row < 4; ++row) {
            const auto& t = wire_types[n % wire_type_count];
            const int x = 10 + 20 * column, y = 10 + 100 * row;
            WireRecord* w = (n % 2 == 0) ? add_wire(t.name, t.variant, x, y, x, y + 40)
                                         : add_wire(t.name, t.variant, x, y + 40, x, y);
            std::snprintf(label, sizeof label, "R%d", n);
            if (w != nullptr && n % 3 == 0) describe_wire(w, label);
            ++n;
            const int hy = y + 60;
            w = (n % 2 == 0) ? add_wire(t.name, t.variant, x, hy, x + 20, hy)
                             : add_wire(t.name, t.variant, x + 20, hy + 20, x, hy + 20);
            if (w != nullptr && n % 3 == 0) describe_wire(w, "C1");
            ++n;
        }
    }

    // Middle: transistors of every variant of both kinds.
    for (int variant = 0; variant < 16; ++variant) {
        const int x = 230 + 30 * (variant % 4), y = 10 + 40 * (variant / 4);
        ComponentRecord* c = add_component(variant % 2 ? "PNP" : "NPN", variant, x, y);
        std::snprintf(label, sizeof label, "T%d", variant);
        if (c != nullptr) describe_component(c, label);
    }
    for (int variant = 0; variant < 16; ++variant) {
        const int x = 230 + 30 * (variant % 4), y = 180 + 40 * (variant / 4);
        add_component(variant % 2 ? "NPN" : "PNP", variant, x, y);
    }

    // Right: DIL packages with the notch top and bottom, and SIL rows.
    const char* dils[] = {"DIL8", "DIL14", "DIL16", "DIL24", "DIL40"};
    for (int i = 0; i < 5; ++i) {
        ComponentRecord* c = add_component(dils[i], i % 2, 370 + 50 * (i % 3), 10 + 130 * (i / 3));
        std::snprintf(label, sizeof label, "IC%d", i + 1);
        if (c != nullptr) describe_component(c, label);
    }
    for (int i = 0; i < 6; ++i) add_component("SIL4", 0, 530 + 10 * i, 290);
    add_component("SIL8", 0, 610, 20);
    add_component("SIL3", 0, 620, 200);

    // Texts along the bottom rows.
    for (int i = 0; i < 8; ++i) {
        std::snprintf(label, sizeof label, "NODE %d", i);
        add_text(220 + 50 * i, 396, label);
    }

    // Cuts and bridges wherever the rows carry strips.
    for (int y = 0; y <= BOARD_BOTTOM; y += 10) {
        for (int x = 15 + (y / 10) % 4 * 10; x < BOARD_RIGHT; x += 40) add_cut(x, y);
    }
    for (int y = 5; y < BOARD_BOTTOM; y += 30) {
        for (int x = 20 + (y / 10) % 3 * 10; x <= BOARD_RIGHT; x += 60) add_bridge(x, y);
    }
}

CanvasSnapshot take_canvas_snapshot() {
    CanvasSnapshot s;
    const auto* cells = &canvas.cells[0][0];
    s.cells.assign(cells, cells + CANVAS_WIDTH * CANVAS_HEIGHT);
    const auto* pixels = &canvas.framebuffer[0][0][0];
    s.pixels.assign(pixels, pixels + FRAMEBUFFER_WIDTH * FRAMEBUFFER_HEIGHT * 3);
    return s;
}

size_t canvas_hash() {
    const std::string_view cells(reinterpret_cast<const char*>(canvas.cells), sizeof canvas.cells);
    const std::string_view pixels(reinterpret_cast<const char*>(canvas.framebuffer), sizeof canvas.framebuffer);
    return std::hash<std::string_view>{}(cells) * 31 + std::hash<std::string_view>{}(pixels);
}

std::string saved_board_text() {
    std::string text;
    board_file_text(&text);
    return text;
}
