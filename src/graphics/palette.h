#pragma once
// The sixteen colours, the colour roles and the display schemes.
#include <cstdint>

struct PaletteColour {
    uint8_t red, green, blue;
};

// The sixteen fixed colours, by index.
extern const PaletteColour palette[16];

// Colour roles of the display scheme.
enum SchemeRole {
    ROLE_DARK = 0,
    ROLE_BACKGROUND = 1,
    ROLE_HOLE = 2,
    ROLE_TICK = 3,
    ROLE_OBJECT = 4,
    ROLE_STRIP = 5,
    ROLE_SOLDER = 6,
    ROLE_BRIDGE = 7,
    ROLE_CUT = 8,
    ROLE_TEXT = 9,
    ROLE_DRAW_ORDER = 10,  // entries 10..19: layer codes of a redraw, ended by 0
};

// Layer codes of a region redraw.
enum LayerCode {
    LAYER_END = 0,
    LAYER_BACKGROUND = 1,
    LAYER_HOLES = 2,
    LAYER_TICKS = 3,
    LAYER_BODIES = 4,
    LAYER_STRIPS = 5,
    LAYER_SOLDER = 6,
    LAYER_BRIDGES = 7,
    LAYER_CUTS = 8,
    LAYER_TEXTS = 9,
};

struct DisplayScheme {
    int8_t entry[20];
};

extern const DisplayScheme screen_scheme;
// The scheme all board drawing reads (the screen scheme).
extern const DisplayScheme* display_scheme;

inline int scheme_colour(int role) { return display_scheme->entry[role]; }
