#pragma once
// The one reset of every subsystem's state, for entry points and tests.

// Returns every subsystem of the core to its starting state, in an order
// that gives arena blocks back before the arena starts over: integrity
// checks, journal, board (grids, plain wire type), arena, canvas and font,
// redraw and net state, input slots, dialogs, export, safe saving, editor.
// The backend keeps its own state: install it after this call (installing
// resets it and hooks the out-of-memory box into the fresh arena).
void reset_all_state();
