#pragma once
// The bitmap fonts and text drawing.
#include <cstdint>
#include <cstdio>

// Large font: 256 x 128 one-bit image, bottom-up rows of 32 bytes, MSB left.
constexpr int LARGE_FONT_BYTES = 4096;

struct FontState {
    uint8_t large_font[LARGE_FONT_BYTES];
};

extern FontState font_state;
// The built-in small font: 192 entries, low 20 bits, 5 rows of 4 points.
extern const uint32_t small_font[192];
// The built-in large font image, as loaded at start.
extern const uint8_t builtin_large_font[LARGE_FONT_BYTES];

// Puts the built-in large font back.
void font_reset();

// Ink of large glyph g at pixel (i, j), i 0..7 left to right, j 0..15 top down.
bool large_glyph_pixel(int g, int i, int j);
// Small font entry of a character code (0 when it has none).
uint32_t small_glyph_bits(unsigned char c);

// Letters in the text colour, 4 model units apart, the baseline at y (the
// bottom row of a small glyph; the large font's descenders go below it):
// the small font at zoom 10, the large one at zoom 20. Only the ink is
// drawn, so the board shows between the strokes. A null text draws nothing.
void draw_text(int x, int y, const char* text);
// One letter in the current pen colour.
void draw_glyph(int x, int y, unsigned char c);
// Replaces the large font from a 256 x 128 one-bit BMP stream and shows it.
// Returns 0 on success; a refused file leaves the font as it was.
int load_font_bitmap(FILE* stream);
