#pragma once
// The Windows executable's window and dialogs. Free of Windows headers so
// that the program entry can include it.

// Gives a window program started from a console that console's streams,
// unless they are already redirected somewhere.
void win32_attach_parent_console();
