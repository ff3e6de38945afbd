// cuprolay --export FORMAT BOARD OUT [--scale H V]: the print command of
// the editor run on a board file, with the dialogs answered from the
// command line.
#include <cstdio>
#include <cstring>
#include <string>

#include "app/commands.h"
#include "app/load_board.h"
#include "editor/commands.h"
#include "export/writers.h"
#include "shell/headless/headless.h"
#include "shell/terminal_text.h"

namespace {

struct ExportArguments {
    char format = 0;  // the export dialog's letter
    const char* board_path = nullptr;
    const char* out_path = nullptr;
    const char* hscale = "1.0";
    const char* vscale = "1.0";
};

char format_letter(const char* name) {
    if (std::strcmp(name, "pdf") == 0) return 'D';
    if (std::strcmp(name, "ps") == 0) return 'P';
    if (std::strcmp(name, "ps2") == 0) return 'Q';
    if (std::strcmp(name, "gerber") == 0) return 'G';
    return 0;
}

bool parse_export_arguments(int argc, char** argv, ExportArguments* out) {
    const char* positional[3] = {};
    int count = 0;
    for (int i = 2; i < argc; ++i) {
        if (std::strcmp(argv[i], "--scale") == 0) {
            if (i + 2 >= argc) return false;
            out->hscale = argv[i + 1];
            out->vscale = argv[i + 2];
            i += 2;
        } else if (count < 3) {
            positional[count++] = argv[i];
        } else {
            return false;
        }
    }
    if (count != 3) return false;
    out->format = format_letter(positional[0]);
    out->board_path = positional[1];
    out->out_path = positional[2];
    return out->format != 0 && out->out_path[0] != '\0';
}

// The answers a user would give, in the order the dialogs come: the export
// dialog, the file chooser (each of the six for Gerber), and for Gerber
// the closing question. An overwrite question finds no answer of its kind
// at the front and is answered OK.
void queue_answers(const ExportArguments& arguments) {
    headless_answer_export(arguments.format, arguments.hscale, arguments.vscale, false);
    if (arguments.format != 'G') {
        headless_answer_file(arguments.out_path);
        return;
    }
    for (const char* extension : {".ctr", ".smb", ".sst", ".bot", ".top", ".drd"}) {
        std::string path = std::string(arguments.out_path) + extension;
        headless_answer_file(path.c_str());
    }
    headless_answer_ask("");
}

}  // namespace

int run_export_command(int argc, char** argv) {
    ExportArguments arguments;
    if (!parse_export_arguments(argc, argv, &arguments)) {
        print_usage(stderr);
        return 2;
    }
    if (load_board_for_batch(arguments.board_path) != 0) return 1;

    queue_answers(arguments);
    export_state.last_result = 1;
    print_command();
    if (export_state.last_result != 0) {
        std::fprintf(stderr, "cuprolay: export of %s to %s failed\n",
                     terminal_escaped(arguments.board_path).c_str(),
                     terminal_escaped(arguments.out_path).c_str());
        return 1;
    }
    return 0;
}
