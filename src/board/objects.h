#pragma once
// The object store: wires, components and texts, their lists and the
// selection slots, keeping the grid's solder-point counts in step.
#include <cstddef>
#include <cstdint>
#include "board/catalog.h"

// The common head's description part: text, width (4 per character; 0 means
// none), and position (left end, base line).
struct DescriptionHead {
    const char* text;
    int32_t width;
    int32_t x;
    int32_t y;
};

struct WireRecord {
    DescriptionHead desc;
    WireRecord* next;
    int32_t entry;
    int32_t x1, y1;
    int32_t x2, y2;
};

struct ComponentRecord {
    DescriptionHead desc;
    ComponentRecord* next;
    int32_t entry;
    int32_t ax, ay;                      // anchor
    int32_t box_x0, box_y0, box_x1, box_y1;
};

struct BoardStore {
    WireRecord* wire_list = nullptr;
    ComponentRecord* component_list = nullptr;
    WireRecord* selected_wire = nullptr;
    ComponentRecord* selected_component = nullptr;
    int32_t selection_marker_x = 0;
    int32_t selection_marker_y = 0;
    int32_t plain_wire_type = -1;
    // Goes up with every change to a record, a list or a slot, and never
    // back (a reset too goes on from where it was), so that undo can tell
    // that the board it left is still the board.
    uint64_t changes = 0;
};

extern BoardStore board;

// Every change to a record or the lists that leaves the object store
// (direct writes to fields or links elsewhere) calls this.
inline void note_board_change() { ++board.changes; }

// Deletes every record (lists and selection slots) and zeroes both grids,
// without drawing: the starting state for tests.
void board_reset();
// No record in a list or slot, and no cut, bridge or solder count in the grid.
bool board_is_empty();

inline bool wire_is_vertical(const WireRecord& w) { return w.x1 == w.x2; }
// The catalog index of "WIRE" variant 0.
int lookup_plain_wire_type();

// Creation. The record comes from the arena and is in no list; null when
// the arena refuses (or the name is not in the catalog). A wire's ends are
// counted at once; a component's pins only when register_pins is called.
WireRecord* create_wire(int entry, int x1, int y1, int x2, int y2);
// (x, y) is the point clicked; the catalog's offset for the name turns it
// into the anchor.
ComponentRecord* create_component(const char* name, int variant, int x, int y);
// The same from a lookup already made.
ComponentRecord* create_component_of(const CatalogMatch& match, int x, int y);
// The body box from the anchor, with the outline's margin of a DIL or SIL.
void compute_component_box(ComponentRecord* c);
// Right of a vertical wire's middle, or centred above a horizontal one.
void wire_default_text_position(WireRecord* w);

// Solder-point bookkeeping: each end or pin counts one in its grid cell,
// which draws a solder point while the count is above zero. Every register
// must be undone by one unregister before the record moves or goes.
void register_wire_ends(const WireRecord* w);
void unregister_wire_ends(const WireRecord* w);
void register_pins(const ComponentRecord* c);
// The same for pins already listed (component_pins of the anchor), so that
// a caller that also marks them lists them once.
void register_pin_list(const PinList& pins);
void unregister_pins(const ComponentRecord* c);

// Deletion (records already out of their lists); null is ignored.
void delete_wire(WireRecord* w);
void delete_component(ComponentRecord* c);
// The same for a record whose solder points are already uncounted, so that
// its area could be redrawn without it first.
void discard_wire(WireRecord* w);
void discard_component(ComponentRecord* c);
// Deletes every listed record, cuts and bridges, and repaints the board;
// the selection slots are the caller's.
void clear_board();

// Searches in list order, newest first; each take unlinks and returns the
// record (next cleared) or null. A wire is found by either end, a component
// by a pin (a DIL or SIL by any point of its pin columns), a text by
// its lettering's box widened by one unit.
WireRecord* take_wire_at(int x, int y);
bool pin_at(const ComponentRecord* c, int x, int y);
ComponentRecord* take_component_at(int x, int y);
ComponentRecord* take_text_at(int x, int y);
// The point lies in the description's highlight frame; never for an empty one.
bool description_hit(const DescriptionHead& d, int x, int y);

// Changes.
// Moves the end at (fx, fy) to (tx, ty); off the other end's row the other
// end follows sideways, so the wire stays straight. The ends must be
// unregistered before; they are registered again here.
void move_wire_end(WireRecord* w, int fx, int fy, int tx, int ty);
// Moves anchor and box (and the description when asked); no solder counts.
void translate_component(ComponentRecord* c, int dx, int dy, bool with_description);
// One unit in the direction of a cursor key; other keys do nothing.
void nudge_description(DescriptionHead& d, int key);
// Replaces the description with a copy of text; width 4 per character.
// An empty or null text leaves no description; a refused copy leaves the old.
void set_description(DescriptionHead& d, const char* text);
// The same for the length bytes at text (none of them NUL), when the
// caller knows the length.
void set_description_text(DescriptionHead& d, const char* text, size_t length);
// Gives the text back to the arena and leaves an empty description.
void release_description(DescriptionHead& d);

// Selection: the record, already out of its list, goes to its slot with
// its highlight drawn; selecting into an occupied slot deselects all first.
// deselect_all puts both back at the head of their lists, highlights erased.
void select_wire(WireRecord* w, int marker_x, int marker_y);
void select_component(ComponentRecord* c, int marker_x, int marker_y);
void deselect_all();
