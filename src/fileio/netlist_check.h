#pragma once
// Comparing the board's nets with a schematic's netlist.
#include <string>
#include <vector>

#include "board/net_list.h"
#include "fileio/kicad_netlist.h"

struct NetlistCheck {
    std::vector<std::string> differences;  // one readable line each
    std::vector<std::string> errors;       // netlist pins the board cannot have
};

// `nets` must come from collect_board_nets() on the current board, which
// is read again for the routes of shorts.
NetlistCheck check_against_netlist(const BoardNets& nets, const Netlist& netlist);
