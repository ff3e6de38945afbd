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

// A bulk change: while it lasts invalidating only grows the dirty
// rectangle, and at its end the union is redrawn once.
class DeferredRedraw;
void reset_dirty_rect();  // to the empty value (631, 401, 0, 0)
// Repaints the collected rectangle, if it holds anything, and empties it.
void redraw_dirty_rect();

// Repaints a rectangle of model units (corners in any order, clipped to the
// board) in the scheme's layer order; wholly off the board it does nothing.
void redraw_rect(Rect r);
// Between these, redraws inside the area look only at the records that
// meet it, gathered once at the start; the record lists must not change.
void begin_nearby_records(Rect area);
// The same from records the caller keeps, each list given from its tail to
// its head with each record's reach (below), so that neither the lists nor
// the records far from the area are looked at.
void begin_nearby_records_reversed(Rect area, WireRecord* const* wires, const Rect* wire_reaches, size_t wire_count,
                                   ComponentRecord* const* components, const Rect* component_reaches,
                                   size_t component_count);
// The least ordered rectangle holding every rectangle a redraw meets the
// record by (its body and lettering): a redraw that misses it need not
// look at the record.
Rect wire_reach(const WireRecord* w);
Rect component_reach(const ComponentRecord* c);
void end_nearby_records();
// The invalidate family repaints what a change touched: at once, or inside
// a DeferredRedraw only by growing the dirty rectangle. A point takes in
// the whole strip through it (a cut or a solder point changes the strip's
// ends), a bridge its column span, a wire or component its solder points,
// body box and lettering.
void invalidate_rect(Rect r);
void invalidate_point(int x, int y);
void invalidate_cut(int x, int y);
void invalidate_bridge(int x, int y);
void invalidate_wire(const WireRecord* w);
void invalidate_component(const ComponentRecord* c);
// The same with the pins already listed (component_pins of its anchor).
void invalidate_component_pins(const ComponentRecord* c, const PinList& pins);
// True inside a bulk change whose rectangle already takes in the whole
// board: a further mark could not change the one repaint at its end, so
// a caller with many marks to make may skip them.
bool dirty_rect_covers_board();
// Repaints a description's box and its highlight frame: width units right
// of x, from 6 above the baseline y to 2 below it.
void redraw_description_area(int x, int y, int width);

// An object drawn on its own, even inside a bulk change: its area is
// repainted with it as the newest of its list, so what lies above it in the
// layer order (cuts, bridges, texts) stays visible.
void draw_wire(const WireRecord* w);
void draw_component(const ComponentRecord* c);
// The picture alone, no repaint around it: the symbol (a wire's over a
// background patch at its middle) or outline, in the object colour.
void draw_wire_body(const WireRecord* w);
void draw_component_body(const ComponentRecord* c);
// Nothing for an empty description (width 0 or no text).
void draw_description(const DescriptionHead& d);

// The selection highlights invert, so drawing one twice takes it away.
// The marker is a 7 x 7 frame, and its place is remembered on the board.
void draw_selection_marker(int x, int y);
void highlight_description(const DescriptionHead& d);
// Draws or erases (by inversion) the highlight of a selected object: its
// description's frame and the marker (a text component has no marker).
void highlight_wire(const WireRecord* w, int marker_x, int marker_y);
void highlight_component(const ComponentRecord* c, int marker_x, int marker_y);

// Background, holes and ticks of the whole board, with no objects.
void draw_board_frame();
// Puts any selected object back in its list and repaints the whole board.
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
