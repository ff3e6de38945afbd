// The sample value a canvas colour prints as.
#include "export/writers.h"
#include "graphics/palette.h"

int mono_sample(int x, int x1, int colour) {
    if (x > x1) return 1;
    return colour == scheme_colour(ROLE_BACKGROUND) ? 1 : 0;
}

int colour_sample(int x, int x1, int colour) {
    // Strips print like wires, so the copper reads as drawn lines.
    if (colour == scheme_colour(ROLE_STRIP)) colour = scheme_colour(ROLE_OBJECT);
    if (x > x1 || colour == scheme_colour(ROLE_BACKGROUND)) return 15;
    return colour;
}
