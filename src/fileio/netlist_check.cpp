// The comparison: parts on one side only, then, with resistors and the
// like turned whichever way fits, shorts (one board net holding pins of
// several netlist nets) and opens (one netlist net over several board nets).
#include "fileio/netlist_check.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <set>

#include "board/net_connect.h"

namespace {

struct Comparison {
    const BoardNets& board;
    const Netlist& netlist;
    NetlistCheck result;
    std::map<std::string, int> board_part;  // first board part of each name
    std::vector<char> compared;             // per board part: in both
    std::vector<int> net_of_pin;            // per board pin: netlist net, or -1
    std::vector<const NetlistNode*> node_of_pin;
    std::vector<char> swapped;              // per board part

    Comparison(const BoardNets& b, const Netlist& n) : board(b), netlist(n) {}

    int other_pin(int pin) const {
        const BoardPart& part = board.parts[board.pins[pin].part];
        return part.pins[0] == pin ? part.pins[1] : part.pins[0];
    }

    // The netlist net a board pin stands for, after turning its part;
    // pins the netlist leaves out are each a net of their own.
    int schematic_net(int pin) const {
        const int source = swapped[board.pins[pin].part] ? other_pin(pin) : pin;
        const int net = net_of_pin[source];
        return net >= 0 ? net : static_cast<int>(netlist.nets.size()) + source;
    }

    bool pin_compared(int pin) const { return compared[board.pins[pin].part] != 0; }

    std::string part_text(const BoardPart& part) const {
        std::string text = "the " + std::string(part.type) + " at " + board_position(part.x, part.y);
        if (part.is_wire) text += "-" + board_position(part.x2, part.y2);
        return text;
    }

    std::string pin_text(int pin) const {
        const BoardPin& p = board.pins[pin];
        const NetlistNode* node = node_of_pin[swapped[p.part] ? other_pin(pin) : pin];
        const std::string name = node != nullptr ? node->ref + "." + node->pin : pin_name(board, pin);
        return name + " " + board_position(p.x, p.y);
    }

    std::string net_text(int net, int pin) const {
        if (net < static_cast<int>(netlist.nets.size())) return "net \"" + netlist.nets[net].name + "\"";
        return "pin " + pin_name(board, pin) + " (unconnected in the netlist)";
    }

    void match_parts() {
        compared.assign(board.parts.size(), 0);
        swapped.assign(board.parts.size(), 0);
        std::set<std::string> schematic_refs;
        std::map<std::string, int> line_of_ref;
        for (const NetlistComponent& comp : netlist.components) {
            if (comp.ref.empty() || comp.ref[0] == '#') continue;  // power symbols and flags
            schematic_refs.insert(comp.ref);
            line_of_ref.emplace(comp.ref, comp.line);
        }
        for (const NetlistNet& net : netlist.nets)
            for (const NetlistNode& node : net.nodes)
                if (node.ref[0] != '#' && schematic_refs.insert(node.ref).second) line_of_ref.emplace(node.ref, node.line);
        for (size_t i = 0; i < board.parts.size(); ++i) {
            const BoardPart& part = board.parts[i];
            auto [at, fresh] = board_part.emplace(part.ref, static_cast<int>(i));
            if (!fresh) {
                result.differences.push_back("two parts on the board are called " + part.ref + ": " +
                                             part_text(board.parts[at->second]) + " and " + part_text(part));
            } else if (schematic_refs.count(part.ref) == 0) {
                result.differences.push_back("part " + part.ref + " (" + part_text(part) +
                                             ") is on the board but not in the netlist");
            } else {
                compared[i] = 1;
            }
        }
        for (const std::string& ref : schematic_refs)
            if (board_part.count(ref) == 0)
                result.differences.push_back("part " + ref + " (netlist line " + std::to_string(line_of_ref[ref]) +
                                             ") is in the netlist but not on the board");
    }

    // The board pin a netlist node names, or -1 (reported) when its part
    // has no such pin.
    int board_pin_of(const NetlistNode& node) {
        auto at = board_part.find(node.ref);
        if (at == board_part.end() || !compared[at->second]) return -1;
        const BoardPart& part = board.parts[at->second];
        int number = 0;
        if (part.part == PART_TRANSISTOR) number = transistor_pin_for_function(node.function);
        if (number == 0) {
            const std::string& text = node.pin;
            const bool digits = !text.empty() && text.size() <= 6 &&
                                std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
            if (digits) number = std::stoi(text);
        }
        for (int pin : part.pins)
            if (board.pins[pin].number == number && number > 0) return pin;
        result.errors.push_back("netlist line " + std::to_string(node.line) + ", column " + std::to_string(node.column) +
                                ": " + node.ref + " has no pin " + node.pin + " on the board (" + part_text(part) + ")");
        return -1;
    }

    void map_pins() {
        net_of_pin.assign(board.pins.size(), -1);
        node_of_pin.assign(board.pins.size(), nullptr);
        for (size_t n = 0; n < netlist.nets.size(); ++n) {
            for (const NetlistNode& node : netlist.nets[n].nodes) {
                const int pin = board_pin_of(node);
                if (pin < 0) continue;
                if (net_of_pin[pin] >= 0) {
                    // Two names of one board pin (a function and a number).
                    result.errors.push_back("netlist line " + std::to_string(node.line) + ": " + node.ref + "." +
                                            node.pin + " names a pin already used by " + node_of_pin[pin]->ref +
                                            "." + node_of_pin[pin]->pin);
                    continue;
                }
                net_of_pin[pin] = static_cast<int>(n);
                node_of_pin[pin] = &node;
            }
        }
    }

    // Pins of other parts on the board net of `pin` that the netlist puts
    // into `net`.
    int agreement(int pin, int net) const {
        int count = 0;
        for (int other : board.nets[board.pins[pin].net])
            if (board.pins[other].part != board.pins[pin].part && pin_compared(other) && schematic_net(other) == net)
                ++count;
        return count;
    }

    void turn_interchangeable_parts() {
        for (int pass = 0; pass < 4; ++pass) {
            bool changed = false;
            for (size_t i = 0; i < board.parts.size(); ++i) {
                const BoardPart& part = board.parts[i];
                if (!compared[i] || !pins_interchangeable(part.part) || part.pins.size() != 2) continue;
                const int a = part.pins[0], b = part.pins[1];
                const char before = swapped[i];
                swapped[i] = 0;
                const int as_drawn = agreement(a, schematic_net(a)) + agreement(b, schematic_net(b));
                swapped[i] = 1;
                const int turned = agreement(a, schematic_net(a)) + agreement(b, schematic_net(b));
                const char choice = turned > as_drawn ? 1 : 0;
                if (choice != before) changed = true;
                swapped[i] = choice;
            }
            if (!changed) break;
        }
    }

    std::string route_text(const std::vector<int>& route) const {
        std::string text;
        auto point = [](int cell) {
            return "(" + std::to_string(cell_column(cell)) + "," + std::to_string(cell_row(cell)) + ")";
        };
        for (size_t i = 0; i + 1 < route.size();) {
            const int a = route[i], b = route[i + 1];
            std::string step;
            if (cell_row(a) == cell_row(b) && std::abs(cell_column(a) - cell_column(b)) == 2) {
                size_t j = i + 1;  // the whole run along this strip
                while (j + 1 < route.size() && cell_row(route[j + 1]) == cell_row(a) &&
                       std::abs(cell_column(route[j + 1]) - cell_column(route[j])) == 2)
                    ++j;
                step = "strip " + point(a) + "-" + point(route[j]);
                i = j;
            } else if (cell_column(a) == cell_column(b) && std::abs(cell_row(a) - cell_row(b)) == 2 &&
                       cell_get((cell_row(a) + cell_row(b)) / 2, cell_column(a)) != 0) {
                step = "bridge " + point(cell_index((cell_row(a) + cell_row(b)) / 2, cell_column(a)));
                ++i;
            } else {
                step = "wire " + point(a) + "-" + point(b);
                ++i;
            }
            text += (text.empty() ? "" : ", ") + step;
        }
        return text;
    }

    void report_shorts(const CellGraph& graph) {
        for (const std::vector<int>& net : board.nets) {
            std::vector<int> first_pin_of;  // one pin per netlist net met
            std::vector<int> nets_met;
            for (int pin : net) {
                if (!pin_compared(pin)) continue;
                const int s = schematic_net(pin);
                if (std::find(nets_met.begin(), nets_met.end(), s) != nets_met.end()) continue;
                nets_met.push_back(s);
                first_pin_of.push_back(pin);
            }
            if (nets_met.size() < 2) continue;
            std::string line = "short: the board joins ";
            for (size_t k = 0; k < nets_met.size(); ++k) {
                if (k > 0) line += k + 1 == nets_met.size() ? " and " : ", ";
                line += net_text(nets_met[k], first_pin_of[k]) + " at " + pin_text(first_pin_of[k]);
            }
            // Where the first two meet: the shortest way between their pins.
            std::vector<int> sources;
            std::vector<char> targets(CELL_COUNT, 0);
            for (int pin : net) {
                if (!pin_compared(pin)) continue;
                const int cell = cell_of_point(board.pins[pin].x, board.pins[pin].y);
                if (cell < 0) continue;
                if (schematic_net(pin) == nets_met[0]) sources.push_back(cell);
                if (schematic_net(pin) == nets_met[1]) targets[cell] = 1;
            }
            const std::vector<int> route = cell_route(graph, sources, targets);
            if (route.size() >= 2) line += "; the first two meet through " + route_text(route);
            result.differences.push_back(line);
        }
    }

    void report_opens() {
        std::vector<std::vector<int>> pins_of(netlist.nets.size());
        for (size_t pin = 0; pin < board.pins.size(); ++pin) {
            if (!pin_compared(static_cast<int>(pin))) continue;
            const int s = schematic_net(static_cast<int>(pin));
            if (s < static_cast<int>(netlist.nets.size())) pins_of[s].push_back(static_cast<int>(pin));
        }
        for (size_t s = 0; s < pins_of.size(); ++s) {
            std::map<int, std::vector<int>> pieces;  // board net -> its pins, in board order
            for (int pin : pins_of[s]) pieces[board.pins[pin].net].push_back(pin);
            if (pieces.size() < 2) continue;
            std::string line = "open: net \"" + netlist.nets[s].name + "\" is split on the board into " +
                               std::to_string(pieces.size()) + " pieces:";
            bool first_piece = true;
            for (const auto& [net, pins] : pieces) {
                line += first_piece ? " " : " | ";
                first_piece = false;
                for (size_t k = 0; k < pins.size(); ++k) line += (k ? ", " : "") + pin_text(pins[k]);
            }
            result.differences.push_back(line);
        }
    }
};

}  // namespace

NetlistCheck check_against_netlist(const BoardNets& nets, const Netlist& netlist) {
    Comparison comparison(nets, netlist);
    comparison.match_parts();
    comparison.map_pins();
    comparison.turn_interchangeable_parts();
    comparison.report_shorts(build_cell_graph());
    comparison.report_opens();
    return comparison.result;
}
