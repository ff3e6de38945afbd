#pragma once
// Single-object commands on the selected wire or component.
#include "board/objects.h"

// A selected wire's new type, redrawn where its middle shows it.
void set_wire_type(int type);

// Each returns true when it acted, false when nothing fitting is selected.
// Delete removes both selected objects. Flip turns a vertical wire end for
// end, Mirror a horizontal one; on a component each takes the catalog's
// flipped or mirrored variant. Cycle steps a wire's type or a component's
// variant to the next or previous. Nudge moves the selection's
// description one unit for a cursor key.
bool delete_selection();
bool flip_selection();
bool mirror_selection();
bool cycle_selection_variant(bool forward);
bool nudge_selection_description(int key);
