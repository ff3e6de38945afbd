#pragma once
// The Windows executable's window and dialogs. Free of Windows headers so
// that the program entry can include it.

// Gives a window program started from a console that console's streams,
// unless they are already redirected somewhere.
void win32_attach_parent_console();

// Registers the class, creates and shows the main window with its backing
// bitmap and makes this backend the platform; false when that fails.
bool win32_install(bool wine_flag);
// Releases what win32_install created.
void win32_teardown();
// The program's command line after the program name, as one string.
const char* win32_command_tail();
