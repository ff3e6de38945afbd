// Program entry: picks the command-line form and the backend.
#include <cstdio>
#include <cstring>
#include "app/commands.h"
#include "fileio/board_file.h"

void print_usage(FILE* stream) {
    std::fputs(
        "usage:\n"
        "  cuprolay [BOARD] [-wine]                  edit BOARD in the editor window\n"
        "  cuprolay --script SCRIPT [BOARD]          run the editor without a window, driven by\n"
        "                                            SCRIPT (a file, or - for standard input)\n"
        "  cuprolay --render BOARD OUT [--zoom 10|20]\n"
        "                                            write the board as a picture (OUT ending in\n"
        "                                            .png or .ppm; zoom 10 is the default)\n"
        "  cuprolay --export FORMAT BOARD OUT [--scale H V]\n"
        "                                            print the board to a file\n"
        "  cuprolay --nets BOARD [--json]            list the board's nets, one a line\n"
        "  cuprolay --check BOARD NETLIST            compare the board with a KiCad netlist\n"
        "                                            (exit 1 when they differ, 2 when the\n"
        "                                            netlist cannot be read)\n"
        "  cuprolay --help | --version\n",
        stream);
}

int main(int argc, char** argv) {
    prepare_standard_streams();
    if (argc < 2) return run_desktop_command(argc, argv);
    const char* first = argv[1];
    if (std::strcmp(first, "--render") == 0) return run_render_command(argc, argv);
    if (std::strcmp(first, "--export") == 0) return run_export_command(argc, argv);
    if (std::strcmp(first, "--script") == 0) return run_script_command(argc, argv);
    if (std::strcmp(first, "--nets") == 0) return run_nets_command(argc, argv);
    if (std::strcmp(first, "--check") == 0) return run_check_command(argc, argv);
    if (std::strcmp(first, "--help") == 0 && argc == 2) {
        print_usage(stdout);
        return 0;
    }
    if (std::strcmp(first, "--version") == 0 && argc == 2) {
        std::printf("cuprolay %.2f\n", program_version);
        return 0;
    }
    // The editor's own form: a board path and "-wine", in either order.
    bool editor_form = argc <= 3;
    for (int i = 1; i < argc && editor_form; ++i) {
        if (argv[i][0] == '-' && std::strcmp(argv[i], "-wine") != 0) editor_form = false;
    }
    if (editor_form) return run_desktop_command(argc, argv);
    print_usage(stderr);
    return 2;
}
