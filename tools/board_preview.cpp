// Developer tool: builds a board with every kind of object in code and
// writes it as pictures at both zooms, to look at the drawing.
//   board_preview [OUTPUT_PREFIX]   writes PREFIX-zoom10.png and PREFIX-zoom20.png
#include <cstdio>
#include <string>

#include "board/draw.h"
#include "board/grid.h"
#include "board/objects.h"
#include "graphics/canvas.h"
#include "shell/image_file.h"
#include "support/board_builders.h"

namespace {

void build_board() {
    // Every wire type, vertical both ways and horizontal both ways.
    static const struct {
        const char* name;
        int variant;
        const char* label;
    } types[] = {{"WIRE", 0, "W"},  {"XTAL", 1, "X1"}, {"RES", 0, "R1"},   {"RES", 1, "R2"},
                 {"CAP", 0, "C1"},  {"CAP", 1, "C2"},  {"IND", 0, "L1"},   {"DIODE", 0, "D1"},
                 {"DIODE", 1, "D2"}, {"DIODE", 2, "D3"}, {"DIODE", 3, "D4"}};
    int column = 0;
    for (const auto& t : types) {
        const int x = 20 + 30 * column;
        describe_wire(add_wire(t.name, t.variant, x, 60, x, 10), t.label);   // end 1 below: up
        add_wire(t.name, t.variant, x, 80, x, 130);                           // end 1 above: down
        const int y = 160 + 20 * (column % 2);
        WireRecord* h = (column % 2 == 0) ? add_wire(t.name, t.variant, x, y, x + 30, y + 0)
                                          : add_wire(t.name, t.variant, x + 30, y, x, y);
        if (column % 3 == 0) describe_wire(h, t.label);
        ++column;
    }

    // Transistors: the four pictures of each kind and some borrowed variants.
    const int transistor_variants[] = {0, 1, 2, 3, 4, 6, 8, 12};
    for (int i = 0; i < 8; ++i) {
        const int v = transistor_variants[i];
        ComponentRecord* n = add_component("NPN", v, 30 + 40 * i, 220);
        ComponentRecord* p = add_component("PNP", v, 30 + 40 * i, 270);
        char label[8];
        std::snprintf(label, sizeof label, "T%d", v);
        describe_component(n, label);
        describe_component(p, label);
    }

    // DIL with the notch at the top and at the bottom, a wide one, SILs.
    describe_component(add_component("DIL8", 0, 370, 20), "NE555");
    describe_component(add_component("DIL8", 1, 430, 20), "LM358");
    describe_component(add_component("DIL24", 0, 490, 20), "WIDE");
    add_component("DIL14", 1, 370, 90);
    describe_component(add_component("SIL5", 0, 600, 20), "J1");
    add_component("SIL1", 0, 610, 150);

    // Strips between solder points, split by cuts, joined by bridges.
    add_wire("WIRE", 0, 20, 340, 20, 380);
    add_wire("RES", 0, 80, 340, 80, 380);
    add_wire("WIRE", 0, 140, 340, 140, 340);  // zero length: two leads, one hole
    add_cut(115, 340);
    add_bridge(20, 355);
    add_bridge(80, 375);
    add_wire("CAP", 0, 200, 380, 260, 380);
    add_cut(235, 380);  // under the symbol: covered by the cut mark

    add_text(330, 360, "CUPROLAY 0.1");
    add_text(330, 390, "abc XYZ 123 +-*/ gjpqy");

    // A selected object with its highlight.
    WireRecord* w = add_wire("DIODE", 0, 450, 340, 450, 390);
    describe_wire(w, "1N4148");
    select_wire(take_wire_at(450, 340), 450, 340);
}

}  // namespace

int main(int argc, char** argv) {
    const std::string prefix = argc > 1 ? argv[1] : "board_preview";
    for (int zoom : {10, 20}) {
        reset_everything();
        canvas.zoom = zoom;
        draw_board_frame();
        build_board();
        const std::string path = prefix + "-zoom" + std::to_string(zoom) + ".png";
        char error[256] = "";
        if (!write_board_image(path.c_str(), error, sizeof error)) {
            std::fprintf(stderr, "%s: %s\n", path.c_str(), error);
            return 1;
        }
        std::printf("%s\n", path.c_str());
        board_reset();
    }
    return 0;
}
