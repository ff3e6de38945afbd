// The icon, drawn in the board's own colours: a piece of stripboard with
// two copper strips, one of them cut, and a resistor.
#include "shell/icon_picture.h"

#include "graphics/geometry.h"

namespace {

unsigned char* icon_pixels = nullptr;

void put(int x, int y, unsigned char r, unsigned char g, unsigned char b) {
    if (x < 0 || y < 0 || x >= ICON_SIZE || y >= ICON_SIZE) return;
    unsigned char* p = &icon_pixels[(y * ICON_SIZE + x) * 3];
    p[0] = r;
    p[1] = g;
    p[2] = b;
}

void fill(const Rect& area, unsigned char r, unsigned char g, unsigned char b) {
    for (int y = area.y0; y <= area.y1; ++y)
        for (int x = area.x0; x <= area.x1; ++x) put(x, y, r, g, b);
}

void draw_icon() {
    fill({0, 0, 31, 31}, 83, 83, 83);   // dark grey edge
    fill({1, 1, 30, 30}, 255, 255, 0);  // the yellow board
    // Strips at rows 9 and 22, the upper one cut between two holes.
    fill({2, 8, 29, 10}, 255, 127, 127);
    fill({2, 21, 29, 23}, 255, 127, 127);
    fill({17, 8, 20, 10}, 255, 255, 0);
    fill({18, 6, 19, 12}, 255, 0, 0);
    // Holes every 6 pixels.
    for (int y = 3; y < 31; y += 6)
        for (int x = 3; x < 31; x += 6) fill({x, y, x + 1, y + 1}, 200, 200, 200);
    // A resistor standing between the strips: leads, body and solder.
    fill({9, 9, 9, 22}, 0, 0, 0);
    fill({7, 12, 11, 19}, 0, 0, 0);
    fill({8, 13, 10, 18}, 255, 255, 0);
    fill({8, 8, 10, 10}, 0, 0, 0);
    fill({8, 21, 10, 23}, 0, 0, 0);
    // A blue description mark at the bottom right.
    fill({19, 26, 27, 27}, 0, 0, 255);
}

}  // namespace

void draw_program_icon(unsigned char* rgb) {
    icon_pixels = rgb;
    draw_icon();
    icon_pixels = nullptr;
}
