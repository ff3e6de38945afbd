// Fuzzes the netlist reader, and the comparison with whatever it accepts,
// against the example timer board built once per input.
#include <cstdlib>
#include <set>

#include "board/net_list.h"
#include "board/objects.h"
#include "fileio/kicad_netlist.h"
#include "fileio/netlist_check.h"
#include "support.h"
#include "support/board_builders.h"

namespace {

// A few parts of each kind, so that any ref the fuzzer finds meets a pin list.
void build_board() {
    board.plain_wire_type = lookup_plain_wire_type();
    describe_component(add_component("DIL8", 0, 200, 150), "IC1 NE555");
    describe_component(add_component("NPN", 5, 400, 100), "Q1");
    describe_component(add_component("SIL2", 0, 30, 230), "J1");
    describe_wire(add_wire("RES", 0, 100, 170, 100, 200), "R1 1k");
    describe_wire(add_wire("DIODE", 0, 80, 200, 80, 240), "D1");
    describe_wire(add_wire("CAP", 1, 360, 220, 360, 250), "C1 10u");
    add_wire("WIRE", 0, 40, 230, 40, 100);
    add_cut(215, 160);
    add_bridge(200, 105);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz_reset();
    try {
        Netlist netlist;
        NetlistError error;
        if (!read_kicad_netlist(reinterpret_cast<const char*>(data), size, netlist, error)) {
            if (error.message.empty() || error.line < 1 || error.column < 1) {
                std::fprintf(stderr, "a refusal without a message or a place: %d:%d %s\n", error.line, error.column,
                             error.message.c_str());
                std::abort();
            }
            return 0;
        }
        std::set<std::string> refs;
        for (const NetlistComponent& comp : netlist.components) {
            if (comp.ref.empty() || !refs.insert(comp.ref).second) std::abort();
        }
        for (const NetlistNet& net : netlist.nets)
            for (const NetlistNode& node : net.nodes)
                if (node.ref.empty() || node.pin.empty()) std::abort();
        build_board();
        const NetlistCheck check = check_against_netlist(collect_board_nets(), netlist);
        for (const std::string& line : check.differences)
            if (line.empty()) std::abort();
        board_reset();
    } catch (const ProgramEnded&) {
    }
    return 0;
}
