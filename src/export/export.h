#pragma once
// Printing a rectangle of the board: the export dialog, then the writer
// of the chosen format. Returns 0 when every file was written, 1 when
// cancelled or a file could not be written (the box has been shown).
int export_board(int x0, int y0, int x1, int y1);
// The same for a selected region, whose print shows no outline.
int export_region(int x0, int y0, int x1, int y1);
