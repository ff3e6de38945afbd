// cuprolay [BOARD] [-wine]: the editor in its window (the FLTK backend).
#include <cstdio>
#include "app/commands.h"

#ifdef CUPROLAY_HAVE_FLTK
#include "board/draw.h"
#include "board/objects.h"
#include "editor/editor_state.h"
#include "editor/journal.h"
#include "export/settings.h"
#include "graphics/canvas.h"
#include "graphics/font.h"
#include "shell/command_line.h"
#include "shell/dialogs.h"
#include "shell/fltk/fltk_backend.h"
#include "shell/input.h"

int run_desktop_command(int argc, char** argv) {
    // A board path and "-wine" in either order; further words are ignored.
    EditorCommandLine command_line =
        interpret_editor_words(argc > 1 ? argv[1] : "", argc > 2 ? argv[2] : "");

    canvas_reset();
    board_reset();
    redraw_state_reset();
    input_reset();
    dialog_state_reset();
    export_settings_reset();
    font_reset();
    journal_reset();
    editor_state_reset();

    if (!fltk_install(command_line.wine)) {
        std::fputs("cuprolay: cannot open the display for the editor window (is DISPLAY set?)\n",
                   stderr);
        return 1;
    }
    editor_main_loop(command_line.board_path.c_str());
    fltk_teardown();
    return 0;
}

#else

int run_desktop_command(int, char**) {
    std::fputs("cuprolay: this build has no editor window (FLTK 1.3 was not found when it was\n"
               "built); use --script, --render or --export (cuprolay --help lists them)\n",
               stderr);
    return 2;
}

#endif
