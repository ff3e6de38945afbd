#pragma once
// Steps of the command table that tests reach directly.
#include "graphics/geometry.h"

// The rectangle around every marked cell of the grid (solder points, cuts
// and bridges), one hole wide beyond them and kept on the board; as handed
// to the exporter, its corners not ordered.
Rect print_area();

// The file commands.
void open_command();
void save_command();
void save_as_command();
void insert_command();
void font_bitmap_command();
