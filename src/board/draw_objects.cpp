// Drawing single objects: wire and component bodies, their strips and
// solder marks, descriptions, and the inverted selection highlights.
#include "board/draw.h"

#include <algorithm>
#include <utility>

#include "board/grid.h"
#include "graphics/canvas.h"
#include "graphics/font.h"
#include "graphics/geometry.h"
#include "graphics/palette.h"
#include "shell/input.h"

namespace {

bool valid_entry(int entry) { return entry >= 0 && entry < CATALOG_ROWS; }

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
        fill_rect({cx - ox, cy - oy, cx + ox, cy + oy});
        orientation = w->y1 > w->y2 ? ORIENT_AS_STORED : ORIENT_HALF_TURN;
    } else {
        fill_rect({cx - oy, cy - ox, cx + oy, cy + ox});
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
        frame_rect({c->ax - 4, c->ay - 4, c->ax + e.box_x1 + 4, c->ay + e.box_y1 + 4});
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

// An object drawn on its own (new, moved or changed) is drawn as the
// layered redraw will show it once it is back in its list, as the newest:
// its area is redrawn with it, so the strips stay under its body and the
// solder points, bridges, cuts and texts of others above it. Painting the
// pieces over the picture hid them, and a cut hidden under a symbol is a
// cut the builder misses.
namespace {

struct DrawnOnItsOwn {
    explicit DrawnOnItsOwn(const WireRecord* w) { redraw_state.newest_wire = w; }
    explicit DrawnOnItsOwn(const ComponentRecord* c) { redraw_state.newest_component = c; }
    ~DrawnOnItsOwn() {
        redraw_state.newest_wire = nullptr;
        redraw_state.newest_component = nullptr;
        redraw_state.redraw_deferred = saved_deferred;
    }
    DrawnOnItsOwn(const DrawnOnItsOwn&) = delete;
    DrawnOnItsOwn& operator=(const DrawnOnItsOwn&) = delete;
    // Drawn now, even inside a bulk change.
    bool saved_deferred = std::exchange(redraw_state.redraw_deferred, false);
};

}  // namespace

void draw_wire(const WireRecord* w) {
    DrawnOnItsOwn drawing(w);
    invalidate_wire(w);
}

void draw_component(const ComponentRecord* c) {
    DrawnOnItsOwn drawing(c);
    invalidate_component(c);
}

void draw_selection_marker(int x, int y) {
    canvas.pen_mode = PEN_INVERT;
    frame_rect({x - 3, y - 3, x + 3, y + 3});
    canvas.pen_mode = PEN_PAINT;
    board.selection_marker_x = x;
    board.selection_marker_y = y;
}

void highlight_description(const DescriptionHead& d) {
    canvas.pen_mode = PEN_INVERT;
    if (d.width != 0) frame_rect({d.x - 2, d.y + 2, d.x + d.width, d.y - 6});
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
    redraw_rect({0, 0, BOARD_RIGHT, BOARD_BOTTOM});
}
