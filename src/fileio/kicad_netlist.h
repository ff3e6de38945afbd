#pragma once
// Reading the netlist a schematic editor exports (KiCad's s-expression
// ".net" form, quoted atoms or not), treated as untrusted input.
#include <cstddef>
#include <string>
#include <vector>

struct NetlistNode {
    std::string ref, pin, function;  // function: the pin's name, when given
    int line = 0, column = 0;
};

struct NetlistNet {
    std::string name, code;
    std::vector<NetlistNode> nodes;
    int line = 0, column = 0;
};

struct NetlistComponent {
    std::string ref, value;
    int line = 0, column = 0;
};

struct Netlist {
    std::vector<NetlistComponent> components;
    std::vector<NetlistNet> nets;
};

struct NetlistError {
    int line = 0, column = 0;  // 0 when the file could not be read at all
    std::string message;
};

// Bounds on what the reader accepts before it gives up with a message.
constexpr size_t NETLIST_MAX_BYTES = 16u << 20;
constexpr int NETLIST_MAX_DEPTH = 64;
constexpr size_t NETLIST_MAX_ATOM = 4096;

// False with the first problem in `error`; `out` is then incomplete.
bool read_kicad_netlist(const char* data, size_t size, Netlist& out, NetlistError& error);
bool read_kicad_netlist_file(const char* path, Netlist& out, NetlistError& error);
