#pragma once
// Steps of the command table that tests reach directly.
#include "graphics/geometry.h"

// The rectangle around every marked cell of the grid (solder points, cuts
// and bridges), one hole wide beyond them and kept on the board; as handed
// to the exporter, its corners not ordered.
Rect print_area();

// The file commands. Open clears the board first (undo brings it back);
// Save without a current file name is Save as; a failed save says so and
// keeps the modified mark; Insert adds a board without making it the file
// Save writes.
void open_command();
void save_command();
void save_as_command();
void insert_command();
void font_bitmap_command();
