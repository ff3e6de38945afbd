// Drawing single objects: wire and component bodies, their strips and
// solder marks, descriptions, and the inverted selection highlights.
#include "board/draw.h"

#include <algorithm>

#include "board/grid.h"
#include "graphics/canvas.h"
#include "graphics/font.h"
#include "graphics/geometry.h"
#include "graphics/palette.h"
#include "shell/input.h"

namespace {

bool valid_entry(int entry) { return entry >= 0 && entry < CATALOG_ROWS; }

// A component shown by a catalog picture that cannot be found shows
// nothing at all, not even its pins.
bool component_has_body(const ComponentRecord* c) {
    if (!valid_entry(c->entry)) return false;
    if (entry_is_dil(c->entry) || entry_is_sil(c->entry) || entry_is_text(c->entry)) return true;
    return entry_shape(c->entry).shape != nullptr;
}

void draw_dil_outline(int x, int y, int w, int h, int variant) {
    const int m = x + w / 2;
    const int xl = x + 1, xr = x + w - 1;
    const int yt = y - 3, yb = y + h + 3;
    if (variant % 2 == 0) {
        draw_line(xl, yt, m - 3, yt);
        draw_line(m - 3, yt, m - 3, y + 2);
        draw_shape(m, y + 4, dil_notch, ORIENT_AS_STORED);
        draw_line(m + 3, y + 2, m + 3, yt);
        draw_line(m + 3, yt, xr, yt);
        draw_line(xr, yt, xr, yb);
        draw_line(xr, yb, xl, yb);
        draw_line(xl, yb, xl, yt);
    } else {
        draw_line(xl, yb, m - 3, yb);
        draw_line(m - 3, yb, m - 3, y + h - 2);
        draw_shape(m, y + h - 3, dil_notch, ORIENT_HALF_TURN);
        draw_line(m + 3, y + h - 2, m + 3, yb);
        draw_line(m + 3, yb, xr, yb);
        draw_line(xr, yb, xr, yt);
        draw_line(xr, yt, xl, yt);
        draw_line(xl, yt, xl, yb);
    }
}

}  // namespace

void draw_wire_body(const WireRecord* w) {
    set_pen_colour(scheme_colour(ROLE_OBJECT));
    draw_line(w->x1, w->y1, w->x2, w->y2);
    if (w->entry == board.plain_wire_type || !valid_entry(w->entry)) return;
    // A wire shows its own row's picture only, never a twin's.
    const ShapeBitmap* shape = shape_catalog[w->entry].shape;
    if (shape == nullptr) return;

    const int cx = (w->x1 + w->x2) / 2, cy = (w->y1 + w->y2) / 2;
    const int ox = shape->hot_x, oy = shape->hot_y;
    int orientation;
    set_pen_colour(scheme_colour(ROLE_BACKGROUND));
    if (wire_is_vertical(*w)) {
        fill_rect(cx - ox, cy - oy, cx + ox, cy + oy);
        orientation = w->y1 > w->y2 ? ORIENT_AS_STORED : ORIENT_HALF_TURN;
    } else {
        fill_rect(cx - oy, cy - ox, cx + oy, cy + ox);
        orientation = w->x1 <= w->x2 ? ORIENT_QUARTER_CW : ORIENT_QUARTER_CCW;
    }
    set_pen_colour(scheme_colour(ROLE_OBJECT));
    draw_shape(cx, cy, *shape, orientation);
}

void draw_component_body(const ComponentRecord* c) {
    if (!valid_entry(c->entry)) return;
    const CatalogEntry& e = shape_catalog[c->entry];
    set_pen_colour(scheme_colour(ROLE_OBJECT));
    if (entry_is_dil(c->entry)) {
        draw_dil_outline(c->ax, c->ay, e.box_x1, e.box_y1, e.variant);
    } else if (entry_is_sil(c->entry)) {
        frame_rect(c->ax - 4, c->ay - 4, c->ax + e.box_x1 + 4, c->ay + e.box_y1 + 4);
    } else if (entry_is_text(c->entry)) {
        // A text has no body; it is drawn with the descriptions.
    } else {
        const EntryShape picture = entry_shape(c->entry);
        if (picture.shape != nullptr) draw_shape(c->ax, c->ay, *picture.shape, picture.orientation);
    }
}

void draw_description(const DescriptionHead& d) {
    if (d.width == 0 || d.text == nullptr) return;
    set_pen_colour(scheme_colour(ROLE_TEXT));
    draw_text(d.x, d.y, d.text);
}

// Bridges and cuts lie above bodies; a body drawn on its own (a new or
// moved object) would otherwise hide the marks under it until the next
// redraw, and a cut hidden under a symbol is a cut the builder misses.
static void draw_marks_over(int x0, int y0, int x1, int y1) {
    order_pair(x0, x1);
    order_pair(y0, y1);
    const int c0 = std::max(0, (x0 - 3) / 5), c1 = std::min(GRID_COLUMNS - 1, (x1 + 3) / 5);
    const int r0 = std::max(0, (y0 - 6) / 5), r1 = std::min(GRID_ROWS - 1, (y1 + 6) / 5);
    if (x1 + 3 < 0 || y1 + 6 < 0) return;
    for (int r = r0 | 1; r <= r1; r += 2)
        for (int c = c0 + (c0 & 1); c <= c1; c += 2)
            if (cell_get(r, c) != 0) draw_bridge(5 * c, 5 * r);
    for (int r = r0 + (r0 & 1); r <= r1; r += 2)
        for (int c = c0 | 1; c <= c1; c += 2)
            if (cell_get(r, c) != 0) draw_cut(5 * c, 5 * r);
}

// A new strip runs under the bodies that cross it: its row is redrawn in
// layer order from end to end rather than painted over them.
static void draw_strip_under_bodies(int x, int y) {
    const int left = strip_left_end(x, y), right = strip_right_end(x, y);
    if (left == right || left % 10 != 0 || right % 10 != 0) return;
    redraw_rect(left, y, right, y);
}

void draw_wire(const WireRecord* w) {
    draw_strip_under_bodies(w->x1, w->y1);
    draw_strip_under_bodies(w->x2, w->y2);
    draw_wire_body(w);
    draw_solder_point(w->x1, w->y1);
    draw_solder_point(w->x2, w->y2);
    draw_marks_over(std::min(w->x1, w->x2) - 5, std::min(w->y1, w->y2) - 5, std::max(w->x1, w->x2) + 5,
                    std::max(w->y1, w->y2) + 5);
    draw_description(w->desc);
}

void draw_component(const ComponentRecord* c) {
    const bool has_body = component_has_body(c);
    const PinList pins = has_body ? component_pins(c->entry, c->ax, c->ay) : PinList{};
    for (int i = 0; i < pins.count; ++i) draw_strip_under_bodies(pins.x[i], pins.y[i]);
    draw_component_body(c);
    for (int i = 0; i < pins.count; ++i) draw_solder_point(pins.x[i], pins.y[i]);
    if (has_body && !entry_is_text(c->entry)) draw_marks_over(c->box_x0, c->box_y0, c->box_x1, c->box_y1);
    draw_description(c->desc);
}

void draw_selection_marker(int x, int y) {
    canvas.pen_mode = PEN_INVERT;
    frame_rect(x - 3, y - 3, x + 3, y + 3);
    canvas.pen_mode = PEN_PAINT;
    board.selection_marker_x = x;
    board.selection_marker_y = y;
}

void highlight_description(const DescriptionHead& d) {
    canvas.pen_mode = PEN_INVERT;
    if (d.width != 0) frame_rect(d.x - 2, d.y + 2, d.x + d.width, d.y - 6);
    canvas.pen_mode = PEN_PAINT;
}

void highlight_wire(const WireRecord* w, int marker_x, int marker_y) {
    highlight_description(w->desc);
    draw_selection_marker(marker_x, marker_y);
}

void highlight_component(const ComponentRecord* c, int marker_x, int marker_y) {
    highlight_description(c->desc);
    if (!entry_is_text(c->entry)) draw_selection_marker(marker_x, marker_y);
}

void deselect_and_redraw() {
    PointerHidden hidden;
    deselect_all();
    redraw_rect(0, 0, BOARD_RIGHT, BOARD_BOTTOM);
}
