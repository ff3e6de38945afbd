// Start-up, the pass of the main loop and the close request.
#include <cstdio>
#include "board/draw.h"
#include "board/objects.h"
#include "editor/commands.h"
#include "editor/editor_state.h"
#include "editor/gestures.h"
#include "editor/journal.h"
#include "fileio/board_file.h"
#include "graphics/canvas.h"
#include "graphics/palette.h"
#include "shell/dialogs.h"
#include "shell/input.h"
#include "shell/platform.h"
#include "shell/codes.h"
#include "board/integrity.h"

EditorState editor_state;

void editor_state_reset() { editor_state = EditorState{}; }

bool unsaved_changes_may_go() {
    return !editor_state.modified ||
           message_box("Warning", "Buffer not saved - really quit?", true) == DIALOG_OK;
}

void editor_close_request() {
    // Unsaved work is not thrown away by the window's close box: the same
    // question as Quit, and Cancel keeps the editor running.
    if (!unsaved_changes_may_go()) return;
    editor_state.quit = true;
    platform->end_process(0);
}

void editor_startup(const char* path) {
    editor_state.modified = false;
    close_request_handler = editor_close_request;
    {
        PointerHidden hidden;
        display_scheme = &screen_scheme;
        canvas.pen_mode = PEN_PAINT;
        draw_board_frame();
        help_viewer(HELP_ABOUT, nullptr);
    }

    // The command-line board does not become the current file name, so a
    // first Save asks for one; failures are the reader's to report.
    if (path != nullptr && path[0] != '\0') {
        if (FILE* file = std::fopen(path, "rb")) {
            load_board_file(file);
            std::fclose(file);
        }
    }
}

namespace {

void run_pass() {
    wait_for_message();
    journal_checkpoint();

    int x = 0, y = 0;
    if (right_state(&x, &y)) {
        editor_state.pointer_x = x;
        editor_state.pointer_y = y;
        right_press_gesture(x, y);
        return;
    }
    if (left_state(&x, &y)) {
        editor_state.pointer_x = x;
        editor_state.pointer_y = y;
        left_press_gesture(x, y);
        return;
    }
    editor_state.pointer_x = x;
    editor_state.pointer_y = y;
    if (key_available()) {
        int code = get_key();
        if (code >= 'a' && code <= 'z') code = code - 'a' + 'A';
        dispatch_command(code);
        return;
    }
    editor_state.no_checkpoint = true;
}

}  // namespace

void editor_pass() {
    run_pass();
    integrity_assert("an editor pass");
}

void editor_main_loop(const char* path) {
    editor_startup(path);
    while (!editor_state.quit) editor_pass();
}
