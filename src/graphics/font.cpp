// Lettering on the board: the small font at the normal zoom, the large
// (replaceable) font at the doubled zoom, and the loader of a large font
// from a one-bit BMP file.
#include "graphics/font.h"

#include <cstring>

#include "graphics/canvas.h"
#include "graphics/palette.h"

namespace {

constexpr int GLYPH_ADVANCE = 4;  // model units per character, at either zoom

// A 256 x 128 one-bit BMP: 14-byte file header, 40-byte information
// header, two colour-table entries, then 128 rows of 32 bytes.
constexpr int BMP_INFO_OFFSET = 14;
constexpr int BMP_INFO_SIZE = 40;
constexpr int BMP_COLOUR_TABLE_OFFSET = 54;
constexpr int BMP_PIXEL_OFFSET = 62;
constexpr int BMP_FILE_BYTES = BMP_PIXEL_OFFSET + LARGE_FONT_BYTES;
constexpr int FONT_IMAGE_WIDTH = 256;
constexpr int FONT_IMAGE_HEIGHT = 128;
constexpr int FONT_ROW_BYTES = FONT_IMAGE_WIDTH / 8;

FontState builtin_font_state() {
    FontState state;
    std::memcpy(state.large_font, builtin_large_font, LARGE_FONT_BYTES);
    return state;
}

uint32_t read_le32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

uint16_t read_le16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }

// Only the one layout the font image has: anything else would be read as
// garbage glyphs, so it is refused before the font is touched.
bool is_font_bitmap(const uint8_t* file) {
    const uint8_t* info = file + BMP_INFO_OFFSET;
    return file[0] == 'B' && file[1] == 'M' &&
           read_le32(file + 10) == uint32_t(BMP_PIXEL_OFFSET) &&
           read_le32(info) == uint32_t(BMP_INFO_SIZE) &&
           int32_t(read_le32(info + 4)) == FONT_IMAGE_WIDTH &&
           int32_t(read_le32(info + 8)) == FONT_IMAGE_HEIGHT &&  // positive: bottom-up
           read_le16(info + 12) == 1 &&                          // planes
           read_le16(info + 14) == 1 &&                          // bits per pixel
           read_le32(info + 16) == 0;                            // no compression
}

int colour_entry_sum(const uint8_t* entry) { return entry[0] + entry[1] + entry[2] + entry[3]; }

bool font_image_pixel(const uint8_t* image, int x, int y) {
    return (image[(FONT_IMAGE_HEIGHT - 1 - y) * FONT_ROW_BYTES + x / 8] >> (7 - x % 8)) & 1;
}

}  // namespace

FontState font_state = builtin_font_state();

void font_reset() { font_state = builtin_font_state(); }

bool large_glyph_pixel(int g, int i, int j) {
    if (g < 0 || g > 255 || i < 0 || i > 7 || j < 0 || j > 15) return false;
    int byte = (127 - 16 * (g / 32) - j) * FONT_ROW_BYTES + g % 32;
    return (font_state.large_font[byte] >> (7 - i)) & 1;
}

uint32_t small_glyph_bits(unsigned char c) {
    if (c >= 32 && c <= 128) return small_font[c - 32];
    if (c >= 160) return small_font[c - 64];
    return 0;
}

void draw_text(int x, int y, const char* text) {
    if (!text) return;
    set_pen_colour(scheme_colour(ROLE_TEXT));
    for (const char* p = text; *p; ++p) {
        draw_glyph(x, y, static_cast<unsigned char>(*p));
        x += GLYPH_ADVANCE;
    }
}

// A glyph's points go to plot_marks as one list, tested against the clip
// together rather than point by point.
void draw_glyph(int x, int y, unsigned char c) {
    PointMark marks[24];
    int count = 0;
    if (canvas.zoom != 20) {
        uint32_t bits = small_glyph_bits(c);
        if (!bits) return;
        for (int k = 0; k < 5; ++k)
            for (int i = 0; i < 4; ++i)
                if (bits >> (19 - 4 * k - i) & 1)
                    marks[count++] = PointMark{static_cast<int16_t>(i), static_cast<int16_t>(k - 4), 0};
        plot_marks(x, y, marks, count);
        return;
    }
    // Each model point takes a 2 x 2 block of the glyph; blank pixels of
    // the block are skipped so the letter lies transparently on the board.
    // Rows 0 to 3 of the glyph are never shown.
    const int column = c % 32;
    const int band_bottom = 127 - 16 * (c / 32);
    for (int k = 2; k <= 7; ++k) {
        const uint8_t upper = font_state.large_font[(band_bottom - 2 * k) * FONT_ROW_BYTES + column];
        const uint8_t lower = font_state.large_font[(band_bottom - 2 * k - 1) * FONT_ROW_BYTES + column];
        for (int i = 0; i < 4; ++i) {
            const int shift = 6 - 2 * i;  // the block's left pixel is bit shift + 1
            const int ink = ((upper >> shift) & 3) << 2 | ((lower >> shift) & 3);
            if (ink == 0) continue;  // a fully skipped point changes nothing
            // TL, TR, BL, BR blank -> bits 8, 4, 2, 1
            marks[count++] = PointMark{static_cast<int16_t>(i), static_cast<int16_t>(k - 6),
                                       static_cast<uint8_t>(~ink & 15)};
        }
    }
    plot_marks(x, y, marks, count);
    clear_skip_mask();
}

int load_font_bitmap(FILE* stream) {
    if (!stream) return 1;
    // The whole file is read and checked first, so a refused file leaves
    // the font exactly as it was.
    uint8_t file[BMP_FILE_BYTES];
    if (std::fread(file, 1, sizeof file, stream) != sizeof file) return 1;
    if (!is_font_bitmap(file)) return 1;

    // The darker colour-table entry is ink, whichever index it has.
    const uint8_t* table = file + BMP_COLOUR_TABLE_OFFSET;
    bool index_1_is_ink = colour_entry_sum(table) > colour_entry_sum(table + 4);
    const uint8_t* pixels = file + BMP_PIXEL_OFFSET;
    for (int b = 0; b < LARGE_FONT_BYTES; ++b)
        font_state.large_font[b] = index_1_is_ink ? pixels[b] : uint8_t(~pixels[b]);

    // Show the new font image in the top-left corner of the board.
    set_pen_colour(1);
    for (int y = 0; y < FONT_IMAGE_HEIGHT; ++y)
        for (int x = 0; x < FONT_IMAGE_WIDTH; ++x)
            if (font_image_pixel(font_state.large_font, x, y)) plot_point(x, y);
    return 0;
}
