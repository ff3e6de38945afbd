// cuprolay --render BOARD OUT [--zoom 10|20]: the board as the editor
// would show it after start-up, written as a picture.
#include <cstdio>
#include <cstring>
#include "app/commands.h"
#include "app/load_board.h"
#include "board/grid.h"
#include "board/draw.h"
#include "graphics/canvas.h"
#include "shell/image_file.h"
#include "shell/input.h"
#include "shell/terminal_text.h"

namespace {

struct RenderArguments {
    const char* board_path = nullptr;
    const char* image_path = nullptr;
    int zoom = 10;
};

bool parse_render_arguments(int argc, char** argv, RenderArguments* out) {
    int positional = 0;
    for (int i = 2; i < argc; ++i) {
        if (std::strcmp(argv[i], "--zoom") == 0) {
            if (i + 1 >= argc) return false;
            const char* value = argv[++i];
            if (std::strcmp(value, "10") == 0)
                out->zoom = 10;
            else if (std::strcmp(value, "20") == 0)
                out->zoom = 20;
            else
                return false;
        } else if (positional == 0) {
            out->board_path = argv[i];
            ++positional;
        } else if (positional == 1) {
            out->image_path = argv[i];
            ++positional;
        } else {
            return false;
        }
    }
    return positional == 2;
}

}  // namespace

int run_render_command(int argc, char** argv) {
    RenderArguments arguments;
    if (!parse_render_arguments(argc, argv, &arguments)) {
        print_usage(stderr);
        return 2;
    }

    // Exactly the editor's start-up, without the help viewer.
    if (load_board_for_batch(arguments.board_path) != 0) return 1;
    if (arguments.zoom != canvas.zoom) {
        // As the zoom command does: switch, then repaint the whole board.
        PointerHidden hidden;
        canvas.zoom = arguments.zoom;
        redraw_rect({0, 0, BOARD_RIGHT, BOARD_BOTTOM});
    }

    char error[256] = {};
    if (!write_board_image(arguments.image_path, error, sizeof error)) {
        std::fprintf(stderr, "cuprolay: cannot write %s: %s\n",
                     terminal_escaped(arguments.image_path).c_str(), terminal_escaped(error).c_str());
        return 1;
    }
    return 0;
}
