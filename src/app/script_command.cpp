// cuprolay --script SCRIPT [BOARD]: the real editor on the headless
// backend, driven by a script; dialogs write their transcript to stdout.
#include <cstdio>
#include <string>
#include "app/commands.h"
#include "board/draw.h"
#include "editor/editor_state.h"
#include "editor/state_reset.h"
#include "shell/headless/headless.h"
#include "shell/headless/script.h"
#include "shell/terminal_text.h"

int run_script_command(int argc, char** argv) {
    if (argc < 3 || argc > 4) {
        print_usage(stderr);
        return 2;
    }
    const char* script_path = argv[2];
    const char* board_path = argc == 4 ? argv[3] : "";

    // The whole script is checked before the session starts.
    std::string error;
    if (!script_load(script_path, &error)) {
        std::fprintf(stderr, "cuprolay: %s\n", terminal_escaped(error.c_str()).c_str());
        return 2;
    }

    reset_all_state();
    headless_install();
    headless_state.transcript = stdout;
    headless_state.messages_to_stderr = false;
    script_attach();

    editor_main_loop(board_path);
    std::fflush(stdout);
    return 0;
}
