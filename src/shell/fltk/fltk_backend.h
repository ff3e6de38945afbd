#pragma once
// The desktop window on Linux (FLTK 1.3). Free of FLTK headers so that
// the program entry can include it.

// Opens the display, creates and shows the main window with its menu and
// makes this backend the platform; false when there is no display.
bool fltk_install(bool wine_flag);
// Closes every window of the backend.
void fltk_teardown();
