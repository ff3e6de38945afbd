#pragma once
// The board's nets as lists of part pins: what net exposure reaches through
// strips, bridges and plain wires, gathered for every pin at once.
#include <string>
#include <vector>

#include "board/pin_numbers.h"

struct BoardPart {
    std::string ref;      // first word of the description, or a made-up name
    bool named = false;   // false when the ref was made up
    PartClass part = PART_NONE;
    const char* type = "";  // catalog name
    int variant = 0;
    int x = 0, y = 0;     // anchor, or a wire's first end (model units)
    int x2 = 0, y2 = 0;   // a wire's second end
    bool is_wire = false;
    std::vector<int> pins;  // indices into BoardNets::pins
};

struct BoardPin {
    int part;    // index into BoardNets::parts
    int number;  // pin number, from 1
    int x, y;    // model units
    int net;     // index into BoardNets::nets
};

struct BoardNets {
    std::vector<BoardPart> parts;
    std::vector<BoardPin> pins;
    std::vector<std::vector<int>> nets;  // pin indices, sorted; nets sorted by their first pin
    std::vector<std::string> warnings;   // unnamed and duplicate parts
};

// Reads the current board (lists and selection slots).
BoardNets collect_board_nets();

// "REF.PIN".
std::string pin_name(const BoardNets& nets, int pin);
// A position as the board file writes it: "(x,y)" in half-pitch units.
std::string board_position(int x, int y);
// One net as a line: its members separated by spaces.
std::string net_line(const BoardNets& nets, int net);

// Orders names with digit runs compared as numbers: R2 before R10.
bool natural_less(const std::string& a, const std::string& b);
