// Gathering the board's parts, their numbered pins and the nets they sit on.
#include "board/net_list.h"

#include <algorithm>
#include <cstdio>
#include <map>

#include "board/catalog.h"
#include "board/net_connect.h"
#include "board/objects.h"

namespace {

std::string first_word(const char* text) {
    if (text == nullptr) return {};
    const char* p = text;
    while (*p == ' ' || *p == '\t') ++p;
    const char* end = p;
    while (*end != '\0' && *end != ' ' && *end != '\t') ++end;
    return std::string(p, end);
}

void name_part(BoardPart& part, const char* description) {
    part.ref = first_word(description);
    part.named = !part.ref.empty();
    if (!part.named) part.ref = std::string(part.type) + "@" + std::to_string(part.x / 5) + "," + std::to_string(part.y / 5);
}

void add_pin(BoardNets& nets, int part, int number, int x, int y) {
    nets.parts[part].pins.push_back(static_cast<int>(nets.pins.size()));
    nets.pins.push_back({part, number, x, y, -1});
}

void add_wire_part(BoardNets& nets, const WireRecord* w) {
    const PartClass kind = wire_part_class(w->entry, board.plain_wire_type);
    if (kind == PART_NONE) return;
    BoardPart part;
    part.part = kind;
    part.type = shape_catalog[w->entry].name;
    part.variant = shape_catalog[w->entry].variant;
    part.is_wire = true;
    part.x = w->x1, part.y = w->y1, part.x2 = w->x2, part.y2 = w->y2;
    name_part(part, w->desc.text);
    nets.parts.push_back(part);
    const int index = static_cast<int>(nets.parts.size()) - 1;
    add_pin(nets, index, wire_end_pin_number(w->entry, 1), w->x1, w->y1);
    add_pin(nets, index, wire_end_pin_number(w->entry, 2), w->x2, w->y2);
}

void add_component_part(BoardNets& nets, const ComponentRecord* c) {
    const PartClass kind = component_part_class(c->entry);
    if (kind == PART_NONE) return;
    BoardPart part;
    part.part = kind;
    part.type = shape_catalog[c->entry].name;
    part.variant = shape_catalog[c->entry].variant;
    part.x = c->ax, part.y = c->ay;
    name_part(part, c->desc.text);
    nets.parts.push_back(part);
    const int index = static_cast<int>(nets.parts.size()) - 1;
    const PinList pins = component_pins(c->entry, c->ax, c->ay);
    for (int k = 0; k < pins.count; ++k) add_pin(nets, index, component_pin_number(c->entry, k), pins.x[k], pins.y[k]);
}

std::string describe_part(const BoardPart& part) {
    std::string text = "the " + std::string(part.type) + " at " + board_position(part.x, part.y);
    if (part.is_wire) text += "-" + board_position(part.x2, part.y2);
    return text;
}

void warn_about_names(BoardNets& nets) {
    std::map<std::string, int> first_of;
    for (size_t i = 0; i < nets.parts.size(); ++i) {
        const BoardPart& part = nets.parts[i];
        if (!part.named) {
            nets.warnings.push_back(describe_part(part) + " has no description; it is called " + part.ref);
            continue;
        }
        auto [at, fresh] = first_of.emplace(part.ref, static_cast<int>(i));
        if (!fresh)
            nets.warnings.push_back("two parts are called " + part.ref + ": " + describe_part(nets.parts[at->second]) +
                                    " and " + describe_part(part));
    }
}

bool pin_less(const BoardNets& nets, int a, int b) {
    const BoardPin& pa = nets.pins[a];
    const BoardPin& pb = nets.pins[b];
    const std::string& ra = nets.parts[pa.part].ref;
    const std::string& rb = nets.parts[pb.part].ref;
    if (ra != rb) return natural_less(ra, rb);
    if (pa.number != pb.number) return pa.number < pb.number;
    return a < b;  // two parts of one name: keep the board's order
}

}  // namespace

std::string board_position(int x, int y) {
    char text[32];
    std::snprintf(text, sizeof text, "(%d,%d)", x / 5, y / 5);
    return text;
}

std::string pin_name(const BoardNets& nets, int pin) {
    const BoardPin& p = nets.pins[pin];
    return nets.parts[p.part].ref + "." + std::to_string(p.number);
}

std::string net_line(const BoardNets& nets, int net) {
    std::string line;
    for (int pin : nets.nets[net]) {
        if (!line.empty()) line += ' ';
        line += pin_name(nets, pin);
    }
    return line;
}

bool natural_less(const std::string& a, const std::string& b) {
    size_t i = 0, j = 0;
    auto digit = [](char c) { return c >= '0' && c <= '9'; };
    while (i < a.size() && j < b.size()) {
        if (digit(a[i]) && digit(b[j])) {
            size_t ie = i, je = j;
            while (ie < a.size() && digit(a[ie])) ++ie;
            while (je < b.size() && digit(b[je])) ++je;
            size_t is = i, js = j;  // leading zeros do not count
            while (is + 1 < ie && a[is] == '0') ++is;
            while (js + 1 < je && b[js] == '0') ++js;
            if (ie - is != je - js) return ie - is < je - js;
            const int order = a.compare(is, ie - is, b, js, je - js);
            if (order != 0) return order < 0;
            i = ie, j = je;
        } else {
            if (a[i] != b[j]) return static_cast<unsigned char>(a[i]) < static_cast<unsigned char>(b[j]);
            ++i, ++j;
        }
    }
    if (a.size() - i != b.size() - j) return a.size() - i < b.size() - j;
    return a < b;
}

BoardNets collect_board_nets() {
    BoardNets nets;
    // Oldest first, so messages follow the order the parts were placed in.
    std::vector<const ComponentRecord*> components;
    for (const ComponentRecord* c = board.component_list; c != nullptr; c = c->next) components.push_back(c);
    if (board.selected_component != nullptr) components.insert(components.begin(), board.selected_component);
    for (auto it = components.rbegin(); it != components.rend(); ++it) add_component_part(nets, *it);
    std::vector<const WireRecord*> wires;
    for (const WireRecord* w = board.wire_list; w != nullptr; w = w->next) wires.push_back(w);
    if (board.selected_wire != nullptr) wires.insert(wires.begin(), board.selected_wire);
    for (auto it = wires.rbegin(); it != wires.rend(); ++it) add_wire_part(nets, *it);
    warn_about_names(nets);

    const std::vector<int> labels = label_cell_nets(build_cell_graph());
    std::map<int, int> net_of_label;
    for (size_t i = 0; i < nets.pins.size(); ++i) {
        BoardPin& pin = nets.pins[i];
        const int cell = cell_of_point(pin.x, pin.y);
        int net;
        if (cell < 0) {
            net = static_cast<int>(nets.nets.size());  // off the grid: joined to nothing
            nets.nets.emplace_back();
        } else {
            auto [at, fresh] = net_of_label.emplace(labels[cell], static_cast<int>(nets.nets.size()));
            if (fresh) nets.nets.emplace_back();
            net = at->second;
        }
        nets.nets[net].push_back(static_cast<int>(i));
    }
    for (auto& net : nets.nets)
        std::sort(net.begin(), net.end(), [&](int a, int b) { return pin_less(nets, a, b); });
    std::sort(nets.nets.begin(), nets.nets.end(),
              [&](const std::vector<int>& a, const std::vector<int>& b) { return pin_less(nets, a[0], b[0]); });
    for (size_t n = 0; n < nets.nets.size(); ++n)
        for (int pin : nets.nets[n]) nets.pins[pin].net = static_cast<int>(n);
    return nets;
}
