#pragma once
// Printing a rectangle of the board: the export dialog, then the writer
// of the chosen format. Returns 0 when every file was written, 1 when
// cancelled or a file could not be written (the box has been shown).
#include "graphics/geometry.h"

int export_board(const Rect& area);
// The same for a selected region, whose print shows no outline.
int export_region(const Rect& area);
