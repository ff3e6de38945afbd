#pragma once
// The editor's own state and its main loop.
#include <cstdint>

struct EditorState {
    bool modified = false;       // the buffer differs from what was last saved or opened
    bool no_checkpoint = false;  // the next pass takes no undo snapshot
    char answer[256] = {};
    char message[256] = {};
    int32_t pointer_x = 0;
    int32_t pointer_y = 0;
    bool quit = false;           // set by Quit (and an accepted close request)
};

extern EditorState editor_state;
void editor_state_reset();

// Start-up in its order, then passes until the user quits.
void editor_main_loop(const char* path);
void editor_startup(const char* path);
// One pass of the loop (wait, checkpoint, one gesture or key).
void editor_pass();
