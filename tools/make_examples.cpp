// Builds the example boards of examples/ with the object store and saves
// them with the board writer, so that they are exactly what the program
// itself would write.
//
//   make_examples [DIRECTORY]      (default: examples)
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <utility>
#include <vector>
#include "board/catalog.h"
#include "board/grid.h"
#include "board/objects.h"
#include "fileio/board_file.h"
#include "shell/headless/headless.h"

namespace {

bool build_failed = false;

void fail(const char* what, const char* name, int variant) {
    std::fprintf(stderr, "make_examples: cannot create %s %s %d\n", what, name, variant);
    build_failed = true;
}

void describe(DescriptionHead& d, const char* text) {
    if (text != nullptr) set_description(d, text);
}

// A component or package with its anchor at (x, y); a description, if
// given, at its default place or at (tx, ty).
ComponentRecord* component(const char* name, int variant, int x, int y, const char* text = nullptr,
                           int tx = -1, int ty = -1) {
    ComponentRecord* c = create_component(name, variant, x, y);
    if (c == nullptr) {
        fail("component", name, variant);
        return nullptr;
    }
    describe(c->desc, text);
    if (tx >= 0) {
        c->desc.x = tx;
        c->desc.y = ty;
    }
    c->next = board.component_list;
    board.component_list = c;
    register_pins(c);
    return c;
}

// A free text whose base line starts at (x, y).
void text(int x, int y, const char* words) {
    ComponentRecord* c = create_component("TEXT", 0, x, y);
    if (c == nullptr) {
        fail("text", words, 0);
        return;
    }
    describe(c->desc, words);
    c->desc.x = x;
    c->desc.y = y;
    c->ax = x;
    c->ay = y;
    compute_component_box(c);
    c->next = board.component_list;
    board.component_list = c;
}

void wire(const char* type, int variant, int x1, int y1, int x2, int y2, const char* words = nullptr) {
    int entry = catalog_lookup(type, variant).entry;
    WireRecord* w = entry < 0 ? nullptr : create_wire(entry, x1, y1, x2, y2);
    if (w == nullptr) {
        fail("wire", type, variant);
        return;
    }
    describe(w->desc, words);
    wire_default_text_position(w);
    w->next = board.wire_list;
    board.wire_list = w;
}

void link(int x1, int y1, int x2, int y2) { wire("WIRE", 0, x1, y1, x2, y2); }

// A strip cut between the hole at (x, y) and the hole to its right.
void cut_right_of(int x, int y) { cell_set(y / 5, x / 5 + 1, 1); }

// A solder bridge between the hole at (x, y) and the hole below it.
void bridge_below(int x, int y) { cell_set(y / 5 + 1, x / 5, 1); }

// A common-emitter stage: the strips are, from the top, +9V (row 60), the
// collector (120), the base (130), the emitter (140) and 0V (220).
void build_amplifier() {
    text(40, 30, "One-transistor amplifier, gain about 4");

    component("NPN", 4, 190, 120, "Q1 BC547");
    wire("RES", 0, 150, 60, 150, 130, "R1 47k");
    wire("RES", 0, 160, 130, 160, 220, "R2 10k");
    wire("RES", 0, 230, 60, 230, 120, "RC 4k7");
    wire("RES", 0, 230, 140, 230, 220, "RE 1k");
    wire("CAP", 1, 260, 140, 260, 220, "CE 47u");

    // Coupling capacitors across cuts in the base and collector strips.
    wire("CAP", 0, 80, 130, 120, 130, "C1 1u");
    cut_right_of(100, 130);
    wire("CAP", 1, 280, 120, 320, 120, "C2 10u");
    cut_right_of(300, 120);

    // Input at the left: signal on the base strip's left part, ground on
    // the emitter strip's left part, which a link joins to 0V.
    component("SIL2", 0, 40, 130, "IN", 24, 126);
    cut_right_of(90, 140);
    link(60, 140, 60, 220);

    // Output at the right, on the collector strip's far part and a
    // separate stretch of the base strip.
    component("SIL2", 0, 350, 120, "OUT", 358, 116);
    cut_right_of(330, 130);
    link(370, 130, 370, 220);

    // Supply connector and its decoupling capacitor.
    component("SIL2", 0, 430, 60, "+9V", 438, 56);
    link(440, 70, 440, 220);
    cut_right_of(420, 70);
    wire("CAP", 1, 400, 60, 400, 220, "C3 100u");

    text(40, 250, "+9V strip on top, 0V strip at the bottom");
}

// A 555 astable blinking an LED. The IC sits across four cuts; its left
// pins are GND, TRIG, OUT, RESET (rows 150..180), its right pins VCC,
// DIS, THR, CTRL. Rows 100 and 110 are +9V, rows 240 and 250 are 0V,
// each pair tied by bridges; row 220 carries TRIG, THR and the timing
// capacitor.
void build_timer() {
    text(40, 40, "555 LED flasher, about 1.5 Hz");
    text(540, 96, "+9V");
    text(540, 266, "0V");

    component("DIL8", 0, 200, 150, "IC1 NE555", 202, 144);
    for (int y = 150; y <= 180; y += 10) cut_right_of(210, y);

    bridge_below(200, 100);
    bridge_below(270, 100);
    bridge_below(220, 240);

    link(250, 150, 250, 110);  // pin 8 VCC
    link(190, 150, 190, 250);  // pin 1 GND
    link(170, 180, 170, 110);  // pin 4 RESET held high
    link(140, 160, 140, 220);  // pin 2 TRIG
    link(320, 170, 320, 220);  // pin 6 THR

    wire("RES", 0, 280, 110, 280, 160, "RA 1k");
    wire("RES", 0, 300, 160, 300, 220, "RB 47k");
    wire("CAP", 1, 360, 220, 360, 250, "C1 10u");
    wire("CAP", 0, 240, 180, 240, 240, "C2 10n");

    // The LED hangs on the output through its resistor; row 200 carries
    // only the two of them.
    wire("RES", 0, 100, 170, 100, 200, "R3 470");
    wire("DIODE", 0, 80, 200, 80, 240, "D1 LED");

    // Supply: a two-pin connector at the left edge and a decoupling
    // capacitor at the right.
    component("SIL2", 0, 30, 230, "J1 9V", 14, 226);
    link(40, 230, 40, 100);
    wire("CAP", 1, 520, 100, 520, 250, "C3 100u");

    text(40, 330, "RA, RB and C1 set the rate:");
    text(40, 350, "f = 1.44 / ((RA + 2 RB) C1)");
}

// Cuts under a DIL package: between its two columns on each pin row.
void cut_under_dil(const ComponentRecord* c) {
    if (c == nullptr) return;
    const PinList pins = component_pins(c->entry, c->ax, c->ay);
    int left = pins.x[0], right = pins.x[0];
    for (int i = 0; i < pins.count; ++i) {
        left = std::min(left, pins.x[i]);
        right = std::max(right, pins.x[i]);
    }
    for (int i = 0; i < pins.count; ++i)
        if (pins.x[i] == left) cut_right_of(left + ((right - left) / 2 - 1) / 10 * 10, pins.y[i]);
}

// Separates neighbouring objects that share a strip: a cut right after
// the last solder point of one object before the first of the next.
void cut_between_objects() {
    std::map<int, std::vector<std::pair<int, int>>> rows;  // y -> (x, object)
    int object = 0;
    for (const ComponentRecord* c = board.component_list; c; c = c->next, ++object) {
        const PinList pins = component_pins(c->entry, c->ax, c->ay);
        for (int i = 0; i < pins.count; ++i) rows[pins.y[i]].push_back({pins.x[i], object});
    }
    for (const WireRecord* w = board.wire_list; w; w = w->next, ++object) {
        rows[w->y1].push_back({w->x1, object});
        rows[w->y2].push_back({w->x2, object});
    }
    for (auto& [y, points] : rows) {
        std::sort(points.begin(), points.end());
        for (size_t i = 1; i < points.size(); ++i)
            if (points[i].second != points[i - 1].second && points[i].first > points[i - 1].first)
                cut_right_of(points[i - 1].first, y);
    }
}

// Every catalog type once: transistors in their own pictures and some
// borrowed ones, DIL packages of every width, SIL rows, and every wire
// type and variant.
void build_catalog() {
    text(20, 15, "Cuprolay parts catalogue");

    text(20, 35, "Transistors");
    text(300, 35, "NPN 1, 5 and PNP 2, 9 borrow pictures");
    const int npn_variants[] = {0, 4, 8, 12, 1, 5};
    const int pnp_variants[] = {0, 4, 8, 12, 2, 9};
    int x = 20;
    for (int v : npn_variants) {
        char label[16];
        std::snprintf(label, sizeof label, "NPN %d", v);
        component("NPN", v, x, 50, label, x, 46);
        x += 50;
    }
    for (int v : pnp_variants) {
        char label[16];
        std::snprintf(label, sizeof label, "PNP %d", v);
        component("PNP", v, x, 50, label, x, 46);
        x += 50;
    }

    text(20, 105, "DIL packages");
    cut_under_dil(component("DIL40", 0, 20, 120, "DIL40"));
    cut_under_dil(component("DIL28", 0, 100, 120, "DIL28 wide"));
    cut_under_dil(component("DIL28", 2, 180, 120, "DIL28"));
    cut_under_dil(component("DIL24", 1, 230, 120, "DIL24 wide"));
    cut_under_dil(component("DIL24", 3, 310, 120, "DIL24"));
    cut_under_dil(component("DIL22", 0, 360, 120, "DIL22"));
    cut_under_dil(component("DIL16", 0, 410, 120, "DIL16"));
    cut_under_dil(component("DIL14", 1, 460, 120, "DIL14"));
    cut_under_dil(component("DIL8", 0, 510, 120, "DIL8"));
    cut_under_dil(component("DIL10", 0, 560, 120, "DIL10"));
    cut_under_dil(component("DIL4", 0, 510, 190, "DIL4"));
    cut_under_dil(component("DIL6", 1, 560, 190, "DIL6"));
    cut_under_dil(component("DIL12", 0, 410, 220, "DIL12"));
    cut_under_dil(component("DIL18", 1, 460, 220, "DIL18"));

    text(100, 275, "SIL rows");
    component("SIL1", 0, 100, 300, "SIL1");
    component("SIL3", 0, 140, 300, "SIL3");
    component("SIL8", 0, 180, 300, "SIL8");
    component("SIL5", 0, 220, 300, "SIL5");

    text(280, 295, "Wires");
    struct WireSample { const char* type; int variant; const char* label; };
    const WireSample samples[] = {
        {"WIRE", 0, "link"},    {"XTAL", 1, "crystal"}, {"RES", 0, "resistor"},
        {"RES", 1, "RES 1"},    {"CAP", 0, "capacitor"}, {"CAP", 1, "polar"},
        {"IND", 0, "inductor"}, {"DIODE", 0, "diode"},   {"DIODE", 1, "DIODE 1"},
        {"DIODE", 2, "DIODE 2"}, {"DIODE", 3, "DIODE 3"},
    };
    int column = 0, row = 0;
    for (const WireSample& s : samples) {
        int x1 = 280 + column * 60;
        int y = 320 + row * 30;
        wire(s.type, s.variant, x1, y, x1 + 40, y, s.label);
        if (++column == 5) {
            column = 0;
            ++row;
        }
    }
    // Vertical ones too, and a wire with its description moved aside.
    wire("RES", 0, 600, 120, 600, 170, "R v");
    wire("DIODE", 0, 600, 190, 600, 240, "D v");
    wire("XTAL", 1, 30, 330, 30, 380, "Q v");
    wire("CAP", 1, 60, 330, 60, 380, "C v");
    wire("IND", 0, 90, 330, 90, 380, "L v");

    cut_between_objects();
}

bool save(const std::string& directory, const char* name, void (*build)()) {
    board_reset();
    build();
    std::string path = directory + "/" + name;
    if (build_failed || !save_board_to_path(path.c_str())) {
        std::fprintf(stderr, "make_examples: %s not written\n", path.c_str());
        return false;
    }
    std::printf("%s\n", path.c_str());
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    std::string directory = argc > 1 ? argv[1] : "examples";
    std::error_code error;
    std::filesystem::create_directories(directory, error);
    headless_install();
    headless_state.messages_to_stderr = true;
    bool ok = save(directory, "amplifier.cpx", build_amplifier);
    ok = save(directory, "timer.cpx", build_timer) && ok;
    ok = save(directory, "catalog.cpx", build_catalog) && ok;
    return ok ? 0 : 1;
}
