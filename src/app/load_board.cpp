// Loads the board a batch command-line form works on.
#include "app/load_board.h"

#include <cstdio>

#include "board/draw.h"
#include "editor/state_reset.h"
#include "fileio/board_file.h"
#include "shell/headless/headless.h"
#include "shell/input.h"
#include "shell/terminal_text.h"

int load_board_for_batch(const char* board_path) {
    reset_all_state();
    headless_install();
    headless_state.messages_to_stderr = true;
    {
        PointerHidden hidden;
        draw_board_frame();
    }

    FILE* stream = std::fopen(board_path, "rb");
    if (stream == nullptr) {
        std::fprintf(stderr, "cuprolay: cannot open board file %s\n", terminal_escaped(board_path).c_str());
        return 1;
    }
    int stopped;
    {
        PointerHidden hidden;
        stopped = load_board_file(stream);
    }
    std::fclose(stream);
    if (stopped != 0) {
        std::fprintf(stderr, "cuprolay: reading %s stopped\n", terminal_escaped(board_path).c_str());
        return 1;
    }
    return 0;
}
