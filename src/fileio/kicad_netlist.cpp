// The netlist reader: one pass over the bytes with an explicit stack of
// open lists (bounded in depth), keeping only the parts and the nets.
#include "fileio/kicad_netlist.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <map>

namespace {

const char* const SECTIONS[] = {"version", "design", "components", "libparts", "libraries", "nets"};

struct Frame {
    std::string head;  // empty until the list's first atom
    int line, column;
    int values = 0;    // atoms after the head
};

struct Reader {
    const char* data;
    size_t size;
    size_t at = 0;
    int line = 1, column = 1;
    Netlist* out;
    NetlistError* error;
    std::vector<Frame> stack;
    bool finished = false;  // the (export ...) list has closed
    NetlistComponent comp;
    NetlistNet net;
    NetlistNode node;

    bool fail(int l, int c, const std::string& message) {
        error->line = l;
        error->column = c;
        error->message = message;
        return false;
    }

    void advance() {
        if (data[at] == '\n') {
            ++line;
            column = 1;
        } else {
            ++column;
        }
        ++at;
    }

    // The heads of the open lists, innermost last; "" above the stack.
    const std::string& head_at(size_t depth_from_top) const {
        static const std::string none;
        return depth_from_top < stack.size() ? stack[stack.size() - 1 - depth_from_top].head : none;
    }

    bool in(const char* head, const char* parent) const {
        return head_at(0) == head && head_at(1) == parent;
    }

    std::string* value_slot() {
        if (stack.size() == 4 && head_at(1) == "comp") {
            if (head_at(0) == "ref") return &comp.ref;
            if (head_at(0) == "value") return &comp.value;
        }
        if (stack.size() == 4 && head_at(1) == "net") {
            if (head_at(0) == "name") return &net.name;
            if (head_at(0) == "code") return &net.code;
        }
        if (stack.size() == 5 && head_at(1) == "node") {
            if (head_at(0) == "ref") return &node.ref;
            if (head_at(0) == "pin") return &node.pin;
            if (head_at(0) == "pinfunction") return &node.function;
        }
        return nullptr;
    }

    bool open_list(int l, int c) {
        if (finished) return fail(l, c, "text after the end of the (export ...) list");
        if (!stack.empty() && stack.back().head.empty()) return fail(l, c, "expected a name after (");
        if (!stack.empty() && value_slot() != nullptr)
            return fail(l, c, "expected a value in (" + stack.back().head + " ...), not a list");
        if (static_cast<int>(stack.size()) >= NETLIST_MAX_DEPTH)
            return fail(l, c, "lists are nested deeper than " + std::to_string(NETLIST_MAX_DEPTH));
        stack.push_back({"", l, c, 0});
        return true;
    }

    bool named(int l, int c, const std::string& atom) {
        Frame& f = stack.back();
        f.head = atom;
        if (stack.size() == 1 && atom != "export")
            return fail(l, c, "this is not a netlist: it begins with (" + atom + " instead of (export");
        if (stack.size() == 2) {
            bool known = false;
            for (const char* s : SECTIONS) known = known || atom == s;
            if (!known) return fail(l, c, "unknown section (" + atom + " ...)");
        }
        if (stack.size() == 3 && in("comp", "components")) comp = {"", "", f.line, f.column};
        if (stack.size() == 3 && in("net", "nets")) net = {"", "", {}, f.line, f.column};
        if (stack.size() == 4 && in("node", "net")) node = {"", "", "", f.line, f.column};
        return true;
    }

    bool atom(int l, int c, const std::string& text) {
        if (finished) return fail(l, c, "text after the end of the (export ...) list");
        if (stack.empty()) return fail(l, c, "expected ( at the start of the netlist");
        Frame& f = stack.back();
        if (f.head.empty()) return named(l, c, text);
        ++f.values;
        std::string* slot = value_slot();
        if (slot == nullptr) return true;  // a field this check does not need
        if (f.values > 1) return fail(l, c, "(" + f.head + " ...) holds more than one value");
        *slot = text;
        return true;
    }

    bool close_list(int l, int c) {
        if (stack.empty()) return fail(l, c, "unexpected ): no list is open here");
        const Frame f = stack.back();
        if (f.head.empty()) return fail(f.line, f.column, "empty list ()");
        if (value_slot() != nullptr && f.values == 0) return fail(f.line, f.column, "(" + f.head + ") has no value");
        const size_t depth = stack.size();
        const bool is_comp = depth == 3 && in("comp", "components");
        const bool is_net = depth == 3 && in("net", "nets");
        const bool is_node = depth == 4 && in("node", "net");
        stack.pop_back();
        if (is_comp) {
            if (comp.ref.empty()) return fail(f.line, f.column, "(comp ...) without (ref ...)");
            out->components.push_back(comp);
        } else if (is_node) {
            if (node.ref.empty() || node.pin.empty())
                return fail(f.line, f.column, "(node ...) needs both (ref ...) and (pin ...)");
            net.nodes.push_back(node);
        } else if (is_net) {
            out->nets.push_back(std::move(net));
        }
        if (stack.empty()) finished = true;
        return true;
    }

    bool read_quoted(std::string& text) {
        const int l = line, c = column;
        advance();  // the opening quote
        while (at < size) {
            char ch = data[at];
            if (ch == '"') {
                advance();
                return true;
            }
            if (ch == '\\' && at + 1 < size) {
                advance();
                ch = data[at];
                if (ch == 'n') ch = '\n';
                else if (ch == 't') ch = '\t';
            }
            const unsigned char byte = static_cast<unsigned char>(ch);
            if (byte < ' ' && byte != '\t' && byte != '\n' && byte != '\r') {
                char message[80];
                std::snprintf(message, sizeof message,
                              "a control byte 0x%02x inside a string: this looks like a binary file", byte);
                return fail(line, column, message);
            }
            if (text.size() >= NETLIST_MAX_ATOM)
                return fail(l, c, "a string longer than " + std::to_string(NETLIST_MAX_ATOM) + " bytes");
            text += ch;
            advance();
        }
        return fail(l, c, "this string is never closed");
    }

    bool read_bare(std::string& text) {
        const int l = line, c = column;
        while (at < size) {
            const unsigned char ch = static_cast<unsigned char>(data[at]);
            if (ch == '(' || ch == ')' || ch == '"' || ch <= ' ') break;
            if (text.size() >= NETLIST_MAX_ATOM)
                return fail(l, c, "a word longer than " + std::to_string(NETLIST_MAX_ATOM) + " bytes");
            text += static_cast<char>(ch);
            advance();
        }
        return true;
    }

    bool run() {
        while (at < size) {
            const unsigned char ch = static_cast<unsigned char>(data[at]);
            const int l = line, c = column;
            if (ch == ' ' || ch == '\t' || ch == '\n' || ch == '\r' || ch == '\f') {
                advance();
            } else if (ch == '(') {
                advance();
                if (!open_list(l, c)) return false;
            } else if (ch == ')') {
                advance();
                if (!close_list(l, c)) return false;
            } else if (ch < ' ' || ch == 0x7f) {
                char message[80];
                std::snprintf(message, sizeof message, "unexpected byte 0x%02x: this looks like a binary file", ch);
                return fail(l, c, message);
            } else {
                std::string text;
                if (!(ch == '"' ? read_quoted(text) : read_bare(text))) return false;
                if (!atom(l, c, text)) return false;
            }
        }
        if (!stack.empty()) {
            const Frame& f = stack.back();
            return fail(f.line, f.column, "this ( is never closed");
        }
        if (!finished) return fail(line, column, "the file holds no (export ...) list");
        return true;
    }
};

bool check_consistency(const Netlist& netlist, NetlistError& error) {
    auto fail = [&](int line, int column, const std::string& message) {
        error = {line, column, message};
        return false;
    };
    std::map<std::string, const NetlistComponent*> parts;
    for (const NetlistComponent& comp : netlist.components) {
        auto [at, fresh] = parts.emplace(comp.ref, &comp);
        if (!fresh)
            return fail(comp.line, comp.column,
                        "the reference " + comp.ref + " is used twice (also at line " +
                            std::to_string(at->second->line) + ")");
    }
    std::map<std::string, const NetlistNet*> net_of_pin;
    for (const NetlistNet& net : netlist.nets) {
        for (const NetlistNode& node : net.nodes) {
            auto [at, fresh] = net_of_pin.emplace(node.ref + "." + node.pin, &net);
            if (fresh) continue;
            if (at->second == &net)
                return fail(node.line, node.column, "pin " + node.ref + "." + node.pin + " is listed twice in net \"" +
                                                        net.name + "\"");
            return fail(node.line, node.column,
                        "pin " + node.ref + "." + node.pin + " is in two nets, \"" + at->second->name +
                            "\" (line " + std::to_string(at->second->line) + ") and \"" + net.name + "\"");
        }
    }
    return true;
}

}  // namespace

bool read_kicad_netlist(const char* data, size_t size, Netlist& out, NetlistError& error) {
    out = {};
    error = {};
    if (size > NETLIST_MAX_BYTES) {
        error.message = "the netlist is larger than " + std::to_string(NETLIST_MAX_BYTES >> 20) + " MiB";
        return false;
    }
    Reader reader{data, size, 0, 1, 1, &out, &error, {}, false, {}, {}, {}};
    if (!reader.run()) return false;
    return check_consistency(out, error);
}

bool read_kicad_netlist_file(const char* path, Netlist& out, NetlistError& error) {
    out = {};
    error = {};
    FILE* stream = std::fopen(path, "rb");
    if (stream == nullptr) {
        error.message = std::string("cannot open the netlist: ") + std::strerror(errno);
        return false;
    }
    std::string data;
    char buffer[65536];
    size_t got;
    bool too_big = false;
    while ((got = std::fread(buffer, 1, sizeof buffer, stream)) > 0) {
        if (data.size() + got > NETLIST_MAX_BYTES) {
            too_big = true;
            break;
        }
        data.append(buffer, got);
    }
    const bool failed = std::ferror(stream) != 0;
    std::fclose(stream);
    if (too_big) {
        error.message = "the netlist is larger than " + std::to_string(NETLIST_MAX_BYTES >> 20) + " MiB";
        return false;
    }
    if (failed) {
        error.message = "cannot read the netlist";
        return false;
    }
    return read_kicad_netlist(data.data(), data.size(), out, error);
}
