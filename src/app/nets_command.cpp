// cuprolay --nets BOARD [--json]: every net of the board, one a line, as
// the pins it joins; or the same as JSON.
#include <cstdio>
#include <cstring>
#include <nlohmann/json.hpp>

#include "app/commands.h"
#include "app/load_board.h"
#include "board/net_list.h"

namespace {

void print_json(const BoardNets& nets) {
    nlohmann::ordered_json out;
    out["nets"] = nlohmann::ordered_json::array();
    for (const std::vector<int>& net : nets.nets) {
        nlohmann::ordered_json members = nlohmann::ordered_json::array();
        for (int pin : net) {
            const BoardPin& p = nets.pins[pin];
            members.push_back({{"ref", nets.parts[p.part].ref}, {"pin", p.number}, {"x", p.x / 5}, {"y", p.y / 5}});
        }
        out["nets"].push_back(members);
    }
    out["parts"] = nlohmann::ordered_json::array();
    for (const BoardPart& part : nets.parts) {
        nlohmann::ordered_json entry = {{"ref", part.ref}, {"named", part.named}, {"type", part.type},
                                        {"variant", part.variant}, {"x", part.x / 5}, {"y", part.y / 5}};
        if (part.is_wire) {
            entry["x2"] = part.x2 / 5;
            entry["y2"] = part.y2 / 5;
        }
        out["parts"].push_back(entry);
    }
    out["warnings"] = nets.warnings;
    // Descriptions are the user's bytes: replace what is not UTF-8 rather than throw.
    std::puts(out.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace).c_str());
}

}  // namespace

int run_nets_command(int argc, char** argv) {
    const char* board_path = nullptr;
    bool json = false;
    for (int i = 2; i < argc; ++i) {
        if (std::strcmp(argv[i], "--json") == 0 && !json) {
            json = true;
        } else if (board_path == nullptr && argv[i][0] != '-') {
            board_path = argv[i];
        } else {
            print_usage(stderr);
            return 2;
        }
    }
    if (board_path == nullptr) {
        print_usage(stderr);
        return 2;
    }
    if (load_board_for_batch(board_path) != 0) return 1;
    const BoardNets nets = collect_board_nets();
    for (const std::string& warning : nets.warnings) std::fprintf(stderr, "cuprolay: warning: %s\n", warning.c_str());
    if (json) {
        print_json(nets);
    } else {
        for (size_t n = 0; n < nets.nets.size(); ++n) std::puts(net_line(nets, static_cast<int>(n)).c_str());
    }
    return std::fflush(stdout) == 0 && !std::ferror(stdout) ? 0 : 1;
}
