// The sixteen colours and the display schemes.
#include "graphics/palette.h"

const PaletteColour palette[16] = {
    {0, 0, 0},        // 0 black
    {0, 0, 255},      // 1 blue
    {0, 255, 0},      // 2 green
    {0, 127, 127},    // 3 dark cyan
    {255, 0, 0},      // 4 red
    {127, 0, 127},    // 5 purple
    {127, 127, 0},    // 6 olive
    {200, 200, 200},  // 7 light grey
    {83, 83, 83},     // 8 dark grey
    {127, 127, 255},  // 9 light blue
    {127, 255, 127},  // 10 light green
    {0, 255, 255},    // 11 cyan
    {255, 127, 127},  // 12 light red
    {255, 127, 255},  // 13 pink
    {255, 255, 0},    // 14 yellow
    {255, 255, 255},  // 15 white
};

const DisplayScheme screen_scheme = {{
    0,   // dark: drill marks
    14,  // background
    7,   // hole dots
    7,   // ruler ticks
    0,   // wire lines, symbols, outlines
    12,  // strips
    0,   // solder points
    0,   // bridges
    4,   // cuts
    1,   // descriptions and texts
    // Redraw order: bodies after strips so they cover them; marks on top.
    LAYER_BACKGROUND, LAYER_HOLES, LAYER_TICKS, LAYER_STRIPS, LAYER_BODIES,
    LAYER_SOLDER, LAYER_BRIDGES, LAYER_CUTS, LAYER_TEXTS, LAYER_END,
}};

const DisplayScheme* display_scheme = &screen_scheme;
