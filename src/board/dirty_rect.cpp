// The dirty rectangle: what bulk changes collect, and marking objects
// dirty (redrawn at once, or collected while a redraw is deferred).
#include <algorithm>
#include "board/description_box.h"
#include "board/draw.h"
#include "board/grid.h"
#include "graphics/canvas.h"
#include "graphics/geometry.h"
#include "graphics/palette.h"

RedrawState redraw_state;

void redraw_state_reset() { redraw_state = RedrawState{}; }

void reset_dirty_rect() {
    redraw_state.dirty = {BOARD_RIGHT + 1, BOARD_BOTTOM + 1, 0, 0};
}

// An empty rectangle redraws nothing: ordering its corners would turn it
// into the whole board and wipe the selection highlights.
void redraw_dirty_rect() {
    if (!redraw_state.dirty.empty()) redraw_rect(redraw_state.dirty);
    reset_dirty_rect();
}

namespace {

// The dirty rectangle, worked on in a copy while one object is marked.
Rect collected_rect() { return redraw_state.dirty; }

// A collected rectangle that takes in the whole board repaints all of it
// (redraw_rect clips to the board), so a further mark cannot change what
// is drawn.
bool covers_board(const Rect& r) { return r.x0 <= 0 && r.y0 <= 0 && r.x1 >= BOARD_RIGHT && r.y1 >= BOARD_BOTTOM; }

void store_rect(const Rect& r) { redraw_state.dirty = r; }

// The ends of the strip through a point as far as a repaint must reach:
// those of the strip-end searches, and also the edge columns, which the
// searches never find from inside but which a strip may end on.
int area_left_end(int x, int y) {
    const int row = y / 5, start = x / 5;
    if (row < 0 || row >= GRID_ROWS) return 5 * start;
    const int8_t* cells = board_grid.cells[row];
    int c = std::min(start - 1, GRID_COLUMNS - 1);
    while (c >= 0 && cells[c] == 0) --c;
    return c >= 0 && c % 2 == 0 ? 5 * c : 5 * start;
}

int area_right_end(int x, int y) {
    const int row = y / 5, start = x / 5;
    if (row < 0 || row >= GRID_ROWS) return 5 * start;
    const int8_t* cells = board_grid.cells[row];
    int c = std::max(start + 1, 0);
    while (c < GRID_COLUMNS && cells[c] == 0) ++c;
    return c < GRID_COLUMNS && c % 2 == 0 ? 5 * c : 5 * start;
}

// Grown by the strip through a point, from one hole beyond its left end to
// one beyond its right end. A strip end lies between the search's first
// column and its start, or between its start and the last column, or on a
// marked edge column; a
// search whose every possible answer lies inside the rectangle already
// cannot change it and is not made. A load marks thousands of points,
// nearly all inside what the first few have spread.
inline void grow_by_point(Rect& r, int x, int y) {
    const int start = 5 * (x / 5);
    const int8_t* cells = y / 5 >= 0 && y / 5 < GRID_ROWS ? board_grid.cells[y / 5] : nullptr;
    const bool left_edge = cells != nullptr && cells[0] != 0, right_edge = cells != nullptr && cells[GRID_COLUMNS - 1] != 0;
    const int least = std::min(start, left_edge ? 0 : 5 * STRIP_SEARCH_FIRST_COLUMN);
    const int greatest = std::max(start, right_edge ? BOARD_RIGHT : 5 * STRIP_SEARCH_LAST_COLUMN);
    if (r.x0 > least - 5) r.x0 = std::min(r.x0, area_left_end(x, y) - 5);
    if (r.x1 < greatest + 5) r.x1 = std::max(r.x1, area_right_end(x, y) + 5);
    r.y0 = std::min(r.y0, y - 5);
    r.y1 = std::max(r.y1, y + 5);
}

Rect point_area(int x, int y) { return {area_left_end(x, y) - 5, y - 5, area_right_end(x, y) + 5, y + 5}; }

void redraw_point(int x, int y) { redraw_rect(point_area(x, y)); }

// The rectangles one object's mark redraws, in their order; the records
// near them are gathered once for all of them.
struct MarkAreas {
    Rect areas[MAX_PINS + 2];
    int count = 0;
    void add(const Rect& r) { areas[count++] = r; }
};

void redraw_areas(const MarkAreas& m) {
    Rect all = ordered(m.areas[0]);
    for (int i = 1; i < m.count; ++i) grow_rect(all, m.areas[i]);
    begin_nearby_records(all);
    for (int i = 0; i < m.count; ++i) redraw_rect(m.areas[i]);
    end_nearby_records();
}

}  // namespace

bool dirty_rect_covers_board() { return redraw_state.redraw_deferred && covers_board(redraw_state.dirty); }

void invalidate_rect(Rect area) {
    if (!redraw_state.redraw_deferred) {
        redraw_rect(area);
        return;
    }
    Rect r = collected_rect();
    grow_rect(r, area);
    store_rect(r);
}

void invalidate_point(int x, int y) {
    if (!redraw_state.redraw_deferred) {
        redraw_point(x, y);
        return;
    }
    Rect r = collected_rect();
    grow_by_point(r, x, y);
    store_rect(r);
}

void invalidate_cut(int x, int y) { invalidate_point(x, y); }

void invalidate_bridge(int x, int y) { invalidate_rect({x - 1, y - 5, x + 1, y + 5}); }

// Without deferral each part is redrawn at once, in this order.
void invalidate_wire(const WireRecord* w) {
    const int lx = std::min(w->x1, w->x2), gx = std::max(w->x1, w->x2);
    const int ly = std::min(w->y1, w->y2), gy = std::max(w->y1, w->y2);
    if (!redraw_state.redraw_deferred) {
        MarkAreas m;
        m.add(point_area(lx, ly));
        m.add(point_area(gx, gy));
        m.add({lx - 5, ly - 5, gx + 5, gy + 5});
        if (w->desc.width != 0) m.add(description_box(w->desc));
        redraw_areas(m);
        return;
    }
    Rect r = collected_rect();
    grow_by_point(r, lx, ly);
    grow_by_point(r, gx, gy);
    grow_rect(r, {lx - 5, ly - 5, gx + 5, gy + 5});
    grow_by_description(r, w->desc);
    store_rect(r);
}

void invalidate_component(const ComponentRecord* c) {
    invalidate_component_pins(c, component_pins(c->entry, c->ax, c->ay));
}

void invalidate_component_pins(const ComponentRecord* c, const PinList& pins) {
    if (!redraw_state.redraw_deferred) {
        MarkAreas m;
        for (int i = 0; i < pins.count; ++i) m.add(point_area(pins.x[i], pins.y[i]));
        m.add({c->box_x0, c->box_y0, c->box_x1, c->box_y1});
        if (c->desc.width != 0) m.add(description_box(c->desc));
        redraw_areas(m);
        return;
    }
    Rect r = collected_rect();
    for (int i = 0; i < pins.count; ++i) grow_by_point(r, pins.x[i], pins.y[i]);
    grow_rect(r, {c->box_x0, c->box_y0, c->box_x1, c->box_y1});
    grow_by_description(r, c->desc);
    store_rect(r);
}

