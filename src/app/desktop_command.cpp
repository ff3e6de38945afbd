// cuprolay [BOARD] [-wine]: the editor in its window (the FLTK backend on
// Linux, the Win32 backend on Windows).
#include <cstdio>
#include "app/commands.h"

#if defined(_WIN32) || defined(CUPROLAY_HAVE_FLTK)
#include "editor/editor_state.h"
#include "editor/state_reset.h"
#include "shell/command_line.h"
#ifdef _WIN32
#include "shell/win32/win32_backend.h"
#else
#include "shell/fltk/fltk_backend.h"
#endif

int run_desktop_command([[maybe_unused]] int argc, [[maybe_unused]] char** argv) {
#ifdef _WIN32
    // The program's one command-line string, split by the same rule.
    EditorCommandLine command_line = parse_editor_command_line(win32_command_tail());
#else
    // A board path and "-wine" in either order; further words are ignored.
    EditorCommandLine command_line =
        interpret_editor_words(argc > 1 ? argv[1] : "", argc > 2 ? argv[2] : "");
#endif

    reset_all_state();

#ifdef _WIN32
    if (!win32_install(command_line.wine)) return 1;
    editor_main_loop(command_line.board_path.c_str());
    win32_teardown();
#else
    if (!fltk_install(command_line.wine)) {
        std::fputs("cuprolay: cannot open the display for the editor window (is DISPLAY set?)\n",
                   stderr);
        return 1;
    }
    editor_main_loop(command_line.board_path.c_str());
    fltk_teardown();
#endif
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
