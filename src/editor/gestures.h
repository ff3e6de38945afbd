#pragma once
// The pointer gestures of the main loop, and the small steps that the
// gestures and the command table share.

// The component name check: true when name is a component of the catalog;
// otherwise shows "%s is an unknown component" and returns false.
bool component_name_known(const char* name);

// Asks "component name: " and folds the answer to upper case into
// editor_state.answer; false when the user cancelled.
bool ask_component_name();

// One press, run to its end inside the pass (model units of the press).
// Right: after the release asks for a component name and places the
// component at the nearest hole, selected. Left: with control held or
// between four holes a region; on a selected object's description or a
// text, drags it; between two holes toggles a cut or bridge; on a free
// hole draws a new wire; on a used one works its wire end or component.
void right_press_gesture(int x, int y);
void left_press_gesture(int x, int y);

// Sleep until the button (or its shift key) is released.
void wait_for_left_release();
void wait_for_right_release();

// What closing the window means to the editor (installed at start-up).
void editor_close_request();
// Quit and the close box ask the one question: true when the board has no
// unsaved changes or the user answered OK to losing them.
bool unsaved_changes_may_go();
