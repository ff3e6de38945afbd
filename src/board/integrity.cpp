// The integrity check: solder-point counts, list membership, catalog indices, arena bytes.
#include "board/integrity.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <unordered_set>

#include "board/catalog.h"
#include "board/grid.h"
#include "board/objects.h"
#include "core/arena.h"
#include "core/format.h"

IntegrityState integrity_state;

void integrity_state_reset() { integrity_state = IntegrityState{}; }

namespace {

struct Checker {
    char* problem;
    size_t capacity;
    bool ok = true;
    int counts[GRID_ROWS][GRID_COLUMNS] = {};
    std::unordered_set<const void*> seen;
    int64_t bytes = 0;

    template <typename... Args>
    bool fail(const char* format, Args... args) {
        if (ok && problem != nullptr && capacity > 0) format_into(problem, capacity, format, args...);
        ok = false;
        return false;
    }
    // A problem without values is copied, never read as a format.
    bool fail(const char* message) { return fail("%s", message); }

    // The same cell choice as add_solder_point.
    void count(int x, int y) {
        const int row = y / 5, column = x / 5;
        if (row >= 0 && row < GRID_ROWS && column >= 0 && column < GRID_COLUMNS && x >= 0 && y >= 0)
            ++counts[row][column];
    }

    bool once(const void* record, const char* what) {
        if (seen.insert(record).second) return true;
        return fail("a %s record is in more than one list or slot", what);
    }

    void description(const DescriptionHead& d) {
        if (d.text == nullptr) {
            fail("a record has no description text");
            return;
        }
        if (d.text != empty_description) bytes += static_cast<int64_t>(std::strlen(d.text)) + 1;
    }

    void wire(const WireRecord* w) {
        if (!once(w, "wire")) return;
        bytes += sizeof(WireRecord);
        if (w->entry < 0 || w->entry >= CATALOG_ROWS || shape_catalog[w->entry].kind != KIND_WIRE)
            fail("a wire has catalog index %d", w->entry);
        description(w->desc);
        count(w->x1, w->y1);
        count(w->x2, w->y2);
    }

    void component(const ComponentRecord* c) {
        if (!once(c, "component")) return;
        bytes += sizeof(ComponentRecord);
        if (c->entry < 0 || c->entry >= CATALOG_ROWS ||
            (shape_catalog[c->entry].kind != KIND_COMPONENT && shape_catalog[c->entry].kind != KIND_TEXT)) {
            fail("a component has catalog index %d", c->entry);
            return;
        }
        description(c->desc);
        const PinList pins = component_pins(c->entry, c->ax, c->ay);
        for (int i = 0; i < pins.count; ++i) count(pins.x[i], pins.y[i]);
    }
};

}  // namespace

bool board_integrity_check(char* problem, size_t capacity) {
    if (problem != nullptr && capacity > 0) problem[0] = '\0';
    auto check = std::make_unique<Checker>();
    Checker& c = *check;
    c.problem = problem;
    c.capacity = capacity;

    for (const WireRecord* w = board.wire_list; w != nullptr && c.ok; w = w->next) c.wire(w);
    if (board.selected_wire != nullptr && c.ok) {
        if (board.selected_wire->next != nullptr) c.fail("the selected wire is still linked");
        c.wire(board.selected_wire);
    }
    for (const ComponentRecord* r = board.component_list; r != nullptr && c.ok; r = r->next) c.component(r);
    if (board.selected_component != nullptr && c.ok) {
        if (board.selected_component->next != nullptr) c.fail("the selected component is still linked");
        c.component(board.selected_component);
    }
    if (!c.ok) return false;

    // Holes only: a lead that ends between holes shares its cell with a
    // cut or bridge flag, which the file format allows.
    for (int row = 0; row < GRID_ROWS; row += 2) {
        for (int column = 0; column < GRID_COLUMNS; column += 2) {
            // Counts live in 8 bits, as the grid keeps them.
            const int leads = static_cast<int8_t>(c.counts[row][column]);
            const int cell = board_grid.cells[row][column];
            if (cell != leads)
                return c.fail("hole row %d column %d counts %d, its leads are %d", row, column, cell, leads);
        }
    }

    const int64_t elsewhere = integrity_state.held_elsewhere ? integrity_state.held_elsewhere() : 0;
    if (temp_usage() != c.bytes + elsewhere)
        return c.fail("temp_usage is %d, records and descriptions hold %lld, the journal %lld", temp_usage(),
                      static_cast<long long>(c.bytes), static_cast<long long>(elsewhere));
    return true;
}

void integrity_assert(const char* where) {
    if (!integrity_state.enabled) return;
    char problem[256];
    if (board_integrity_check(problem, sizeof problem)) return;
    std::fprintf(stderr, "integrity check failed after %s: %s\n", where, problem);
    std::abort();
}
