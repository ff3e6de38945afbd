#pragma once
// Drawing the board into the canvas in the scheme's layer order, and the
// dirty-rectangle mechanism of bulk changes.
#include "board/objects.h"
#include "graphics/geometry.h"

struct RedrawState {
    bool redraw_deferred = false;
    Rect dirty = {631, 401, 0, 0};  // empty until something is marked
    // An object being drawn on its own, out of the lists: redraws show it
    // as the newest of its list, where it goes next.
    const WireRecord* newest_wire = nullptr;
    const ComponentRecord* newest_component = nullptr;
};

extern RedrawState redraw_state;

void redraw_state_reset();

// A bulk change: while it lasts marking only grows dirty_rect, and at its
// end the union is redrawn once.
class DeferredRedraw;
void reset_dirty_rect();  // to the empty value (631, 401, 0, 0)
void redraw_dirty_rect();

void redraw_rect(Rect r);
void invalidate_rect(Rect r);
void invalidate_point(int x, int y);
void invalidate_cut(int x, int y);
void invalidate_bridge(int x, int y);
void invalidate_wire(const WireRecord* w);
void invalidate_component(const ComponentRecord* c);
void redraw_description_area(int x, int y, int width);

void draw_wire(const WireRecord* w);
void draw_component(const ComponentRecord* c);
void draw_wire_body(const WireRecord* w);
void draw_component_body(const ComponentRecord* c);
void draw_description(const DescriptionHead& d);

void draw_selection_marker(int x, int y);
void highlight_description(const DescriptionHead& d);
// Draws or erases (by inversion) the highlight of a selected object.
void highlight_wire(const WireRecord* w, int marker_x, int marker_y);
void highlight_component(const ComponentRecord* c, int marker_x, int marker_y);

void draw_board_frame();
void deselect_and_redraw();

class DeferredRedraw {
public:
    DeferredRedraw() : saved_(redraw_state.redraw_deferred) { redraw_state.redraw_deferred = true; }
    ~DeferredRedraw() {
        redraw_state.redraw_deferred = saved_;
        redraw_dirty_rect();
    }
    DeferredRedraw(const DeferredRedraw&) = delete;
    DeferredRedraw& operator=(const DeferredRedraw&) = delete;

private:
    bool saved_;
};
