// Developer tool: draws every catalog picture on the board background at
// both zooms and writes one PNG per zoom, so the symbols can be looked at.
//   symbol_sheet [OUTPUT_PREFIX]   writes PREFIX-zoom10.png and PREFIX-zoom20.png
#include <cstdio>
#include <string>

#include "board/catalog.h"
#include "graphics/canvas.h"
#include "graphics/font.h"
#include "shell/image_file.h"

namespace {

constexpr int BACKGROUND = 14;
constexpr int INK = 0;
constexpr int HOLE = 7;

const char* const wire_groups[] = {"WIRE", "RES", "CAP", "IND", "DIODE"};

// A wire drawn the way the board draws its body: the line, the symbol's
// box cleared, then the symbol centred and turned to face end 1.
void draw_wire_symbol(const ShapeBitmap& shape, int x1, int y1, int x2, int y2) {
    set_pen_colour(INK);
    draw_line(x1, y1, x2, y2);
    const int cx = (x1 + x2) / 2, cy = (y1 + y2) / 2;
    const int ox = shape.hot_x, oy = shape.hot_y;
    set_pen_colour(BACKGROUND);
    int orientation;
    if (x1 == x2) {
        fill_rect({cx - ox, cy - oy, cx + ox, cy + oy});
        orientation = y1 > y2 ? ORIENT_AS_STORED : ORIENT_HALF_TURN;
    } else {
        fill_rect({cx - oy, cy - ox, cx + oy, cy + ox});
        orientation = x1 <= x2 ? ORIENT_QUARTER_CW : ORIENT_QUARTER_CCW;
    }
    set_pen_colour(INK);
    draw_shape(cx, cy, shape, orientation);
}

void draw_solder_mark(int x, int y) {
    set_pen_colour(INK);
    fill_rect({x - 1, y - 1, x + 1, y + 1});
}

void draw_holes() {
    set_pen_colour(HOLE);
    for (int y = 0; y <= 400; y += 10)
        for (int x = 0; x <= 630; x += 10) plot_point(x, y);
}

// Wire symbols: one line of four wires per catalog row (vertical with end 1
// below, vertical with end 1 above, horizontal left to right, right to left).
void draw_wire_rows() {
    int row = 0;
    for (const char* group : wire_groups) {
        const int first = catalog_lookup(group, 0).entry;
        for (int entry = first; entry >= 0 && entry < CATALOG_ROWS; ++entry) {
            if (entry > first && shape_catalog[entry].variant == 0) break;
            const ShapeBitmap* shape = shape_catalog[entry].shape;
            const int x = 20 + (row / 6) * 150;
            const int y = 20 + (row % 6) * 50;
            ++row;
            set_pen_colour(4);
            draw_text(x, y - 2, shape_catalog[entry].name);
            if (shape == nullptr) continue;
            draw_wire_symbol(*shape, x, y + 30, x, y);
            draw_wire_symbol(*shape, x + 20, y, x + 20, y + 30);
            draw_wire_symbol(*shape, x + 40, y + 10, x + 80, y + 10);
            draw_wire_symbol(*shape, x + 130, y + 30, x + 90, y + 30);
            draw_solder_mark(x, y);
            draw_solder_mark(x, y + 30);
            draw_solder_mark(x + 20, y);
            draw_solder_mark(x + 20, y + 30);
            draw_solder_mark(x + 40, y + 10);
            draw_solder_mark(x + 80, y + 10);
            draw_solder_mark(x + 90, y + 30);
            draw_solder_mark(x + 130, y + 30);
        }
    }
}

// Transistors: all sixteen variants of each polarity through entry_shape,
// with their pins marked, four to a row.
void draw_transistors(const char* name, int left) {
    for (int variant = 0; variant < 16; ++variant) {
        const int entry = catalog_lookup(name, variant).entry;
        if (entry < 0) continue;
        const int ax = left + (variant % 4) * 40;
        const int ay = 20 + (variant / 4) * 50;
        const EntryShape picture = entry_shape(entry);
        set_pen_colour(INK);
        if (picture.shape != nullptr) draw_shape(ax, ay, *picture.shape, picture.orientation);
        const PinList pins = component_pins(entry, ax, ay);
        for (int i = 0; i < pins.count; ++i) draw_solder_mark(pins.x[i], pins.y[i]);
        char label[16];
        std::snprintf(label, sizeof label, "%s%d", name, variant);
        set_pen_colour(4);
        draw_text(ax - 2, ay - 4, label);
    }
}

void draw_sheet() {
    set_pen_colour(BACKGROUND);
    fill_rect({0, 0, 630, 400});
    draw_holes();
    draw_wire_rows();
    draw_transistors("NPN", 330);
    draw_transistors("PNP", 480);
}

}  // namespace

int main(int argc, char** argv) {
    const std::string prefix = argc > 1 ? argv[1] : "symbol_sheet";
    canvas_reset();
    font_reset();
    for (int zoom : {10, 20}) {
        canvas.zoom = zoom;
        draw_sheet();
        const std::string path = prefix + "-zoom" + std::to_string(zoom) + ".png";
        char error[256];
        if (!write_board_image(path.c_str(), error, sizeof error)) {
            std::fprintf(stderr, "symbol_sheet: %s\n", error);
            return 1;
        }
        std::printf("%s\n", path.c_str());
    }
    return 0;
}
