// cuprolay --check BOARD NETLIST: the board against a schematic's netlist.
// Exit 0 when they agree, 1 when they differ, 2 for a netlist that cannot
// be read (or that names pins the board's parts cannot have).
#include <cstdio>

#include "app/commands.h"
#include "app/load_board.h"
#include "board/net_list.h"
#include "fileio/kicad_netlist.h"
#include "fileio/netlist_check.h"

int run_check_command(int argc, char** argv) {
    if (argc != 4) {
        print_usage(stderr);
        return 2;
    }
    const char* board_path = argv[2];
    const char* netlist_path = argv[3];

    Netlist netlist;
    NetlistError error;
    if (!read_kicad_netlist_file(netlist_path, netlist, error)) {
        if (error.line > 0)
            std::fprintf(stderr, "cuprolay: %s:%d:%d: %s\n", netlist_path, error.line, error.column,
                         error.message.c_str());
        else
            std::fprintf(stderr, "cuprolay: %s: %s\n", netlist_path, error.message.c_str());
        return 2;
    }
    if (load_board_for_batch(board_path) != 0) return 2;

    const BoardNets nets = collect_board_nets();
    for (const std::string& warning : nets.warnings) std::fprintf(stderr, "cuprolay: warning: %s\n", warning.c_str());
    const NetlistCheck check = check_against_netlist(nets, netlist);
    for (const std::string& e : check.errors) std::fprintf(stderr, "cuprolay: %s: %s\n", netlist_path, e.c_str());
    for (const std::string& d : check.differences) std::puts(d.c_str());
    std::fflush(stdout);
    if (!check.errors.empty()) return 2;
    if (!check.differences.empty()) return 1;
    std::puts("the board and the netlist agree");
    return 0;
}
