#pragma once
// Single-object commands on the selected wire or component.
#include "board/objects.h"

// A selected wire's new type, redrawn where its middle shows it.
void set_wire_type(int type);

// Each returns true when it acted.
bool delete_selection();
bool flip_selection();
bool mirror_selection();
bool cycle_selection_variant(bool forward);
bool nudge_selection_description(int key);
