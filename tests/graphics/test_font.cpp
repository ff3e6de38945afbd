// Fonts and lettering: glyph data, text placement at both zooms, transparency
// of large glyphs, and loading a large font from a BMP file.
#include <gtest/gtest.h>

#include <cstdio>
#include <algorithm>
#include <cstring>
#include <vector>

#include "graphics/canvas.h"
#include "graphics/font.h"
#include "graphics/palette.h"

namespace {

class FontTest : public ::testing::Test {
protected:
    void SetUp() override {
        canvas_reset();
        font_reset();
    }
    void TearDown() override {
        canvas_reset();
        font_reset();
    }
};

uint8_t glyph_row_byte(int g, int j) {
    uint8_t byte = 0;
    for (int i = 0; i < 8; ++i) byte = uint8_t(byte << 1 | (large_glyph_pixel(g, i, j) ? 1 : 0));
    return byte;
}

bool glyph_has_ink(int g) {
    for (int j = 0; j < 16; ++j)
        if (glyph_row_byte(g, j)) return true;
    return false;
}

// Bounding box of all non-zero cells.
struct InkBox {
    int x0 = 9999, y0 = 9999, x1 = -1, y1 = -1;
};
InkBox ink_box() {
    InkBox box;
    for (int y = 0; y < CANVAS_HEIGHT; ++y)
        for (int x = 0; x < CANVAS_WIDTH; ++x)
            if (read_cell(x, y)) {
                box.x0 = std::min(box.x0, x);
                box.y0 = std::min(box.y0, y);
                box.x1 = std::max(box.x1, x);
                box.y1 = std::max(box.y1, y);
            }
    return box;
}

bool canvas_blank() {
    for (int y = 0; y < CANVAS_HEIGHT; ++y)
        for (int x = 0; x < CANVAS_WIDTH; ++x)
            if (read_cell(x, y)) return false;
    return true;
}

// A one-bit 256 x 128 BMP of a font image (1 = ink). With dark_first the
// colour table is black, white and every pixel bit is inverted; otherwise
// white, black and the bits are stored as they are.
std::vector<uint8_t> font_bmp(const uint8_t* ink, bool dark_first) {
    std::vector<uint8_t> file(62 + LARGE_FONT_BYTES, 0);
    auto put32 = [&](int at, uint32_t v) {
        for (int k = 0; k < 4; ++k) file[at + k] = uint8_t(v >> (8 * k));
    };
    auto put16 = [&](int at, uint16_t v) {
        file[at] = uint8_t(v);
        file[at + 1] = uint8_t(v >> 8);
    };
    file[0] = 'B';
    file[1] = 'M';
    put32(2, uint32_t(file.size()));
    put32(10, 62);
    put32(14, 40);
    put32(18, 256);
    put32(22, 128);
    put16(26, 1);
    put16(28, 1);
    put32(34, LARGE_FONT_BYTES);
    put32(46, 2);
    const uint8_t black[4] = {0, 0, 0, 0}, white[4] = {255, 255, 255, 0};
    std::memcpy(&file[54], dark_first ? black : white, 4);
    std::memcpy(&file[58], dark_first ? white : black, 4);
    for (int b = 0; b < LARGE_FONT_BYTES; ++b) file[62 + b] = dark_first ? uint8_t(~ink[b]) : ink[b];
    return file;
}

int load_bytes(const std::vector<uint8_t>& bytes) {
    FILE* stream = std::tmpfile();
    if (!stream) return -1;
    if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), stream);
    std::rewind(stream);
    const int result = load_font_bitmap(stream);
    std::fclose(stream);
    return result;
}

// A font image unlike the built-in one: every glyph a hollow box.
std::vector<uint8_t> box_font_image() {
    std::vector<uint8_t> image(LARGE_FONT_BYTES, 0);
    for (int g = 0; g < 256; ++g)
        for (int j = 4; j < 16; ++j)
            image[(127 - 16 * (g / 32) - j) * 32 + g % 32] = (j == 4 || j == 15) ? 0xFF : 0x81;
    return image;
}

TEST_F(FontTest, BuiltInGlyphsKeepTheFixedBytesAndCoverTheirCodes) {
    const uint8_t a[16] = {0, 0, 0, 0, 0, 0x30, 0x78, 0xCC, 0xCC, 0xCC, 0xFC, 0xCC, 0xCC, 0xCC, 0, 0};
    const uint8_t zero[16] = {0, 0, 0, 0, 0, 0x7C, 0xC6, 0xCE, 0xDE, 0xD6, 0xF6, 0xE6, 0xC6, 0x7C, 0, 0};
    for (int j = 0; j < 16; ++j) {
        EXPECT_EQ(glyph_row_byte('A', j), a[j]) << "row " << j;
        EXPECT_EQ(glyph_row_byte('0', j), zero[j]) << "row " << j;
    }
    EXPECT_EQ(small_font['A' - 32], 0x4AEAAu);
    EXPECT_EQ(small_font['0' - 32], 0x4AAA4u);
    EXPECT_EQ(small_glyph_bits(' '), 0u);

    for (int c = 0; c < 256; ++c) {
        const bool large_expected = (c >= 33 && c <= 126) || c >= 161;
        EXPECT_EQ(glyph_has_ink(c), large_expected) << "large glyph " << c;
        for (int j = 0; j < 4; ++j) EXPECT_EQ(glyph_row_byte(c, j), 0) << "glyph " << c;
        const bool small_expected = (c >= 33 && c <= 127) || c >= 161;
        EXPECT_EQ(small_glyph_bits(uint8_t(c)) != 0, small_expected) << "small glyph " << c;
        EXPECT_EQ(small_glyph_bits(uint8_t(c)) & ~0xFFFFFu, 0u);
    }
    // 128 and 160 share one entry, which is blank.
    EXPECT_EQ(small_glyph_bits(128), small_glyph_bits(160));
    EXPECT_EQ(small_glyph_bits(200), small_font[200 - 64]);
    // Accented letters differ from their base letters and from each other.
    EXPECT_NE(small_glyph_bits(0xC9), small_glyph_bits(0xC8));
    for (int j = 0; j < 16; ++j) EXPECT_EQ(glyph_row_byte(0xE7, j) == glyph_row_byte('c', j), j < 14);
    EXPECT_FALSE(large_glyph_pixel(256, 0, 0));
    EXPECT_FALSE(large_glyph_pixel('A', 8, 10));
}

TEST_F(FontTest, TextCellsAtTheNormalZoom) {
    draw_text(100, 50, "AH");
    const InkBox box = ink_box();
    EXPECT_EQ(box.x0, 100);
    EXPECT_EQ(box.x1, 106);  // H's right stroke; column 107 is the gap
    EXPECT_EQ(box.y0, 46);
    EXPECT_EQ(box.y1, 50);
    const int text = scheme_colour(ROLE_TEXT);
    for (int k = 0; k < 5; ++k)
        for (int i = 0; i < 4; ++i) {
            const bool ink = (0x4AEAAu >> (19 - 4 * k - i)) & 1;
            EXPECT_EQ(read_cell(100 + i, 46 + k), ink ? text : 0) << i << "," << k;
        }
}

TEST_F(FontTest, TextCellsAtTheDoubledZoomIncludeTheDescenderRow) {
    canvas.zoom = 20;
    draw_text(100, 50, "Ag");
    const InkBox box = ink_box();
    EXPECT_GE(box.x0, 100);
    EXPECT_LE(box.x1, 107);
    EXPECT_EQ(box.y0, 46);
    EXPECT_EQ(box.y1, 51);  // the tail of g
    // Each cell's nibbles are the 2 x 2 block of glyph rows 2k, 2k + 1.
    const int text = scheme_colour(ROLE_TEXT);
    for (int k = 2; k <= 7; ++k)
        for (int i = 0; i < 4; ++i) {
            const uint16_t cell = read_cell(100 + i, 50 + k - 6);
            const bool ink[4] = {large_glyph_pixel('A', 2 * i, 2 * k), large_glyph_pixel('A', 2 * i + 1, 2 * k),
                                 large_glyph_pixel('A', 2 * i, 2 * k + 1),
                                 large_glyph_pixel('A', 2 * i + 1, 2 * k + 1)};
            for (int n = 0; n < 4; ++n)
                EXPECT_EQ((cell >> (12 - 4 * n)) & 15, ink[n] ? text : 0) << i << "," << k << " nibble " << n;
        }
    EXPECT_EQ(canvas.pen & 0xF0, 0) << "skip mask left set";
}

TEST_F(FontTest, CodesWithoutGlyphsDrawNothingButAdvance) {
    const char text[] = {'\x01', '\x1F', '\x81', '\x9F', 'A', 0};
    for (int zoom : {10, 20}) {
        canvas_reset();
        canvas.zoom = zoom;
        draw_text(100, 50, text);
        const InkBox box = ink_box();
        EXPECT_EQ(box.x0, 116) << "zoom " << zoom;
        EXPECT_LE(box.x1, 119) << "zoom " << zoom;
    }
}

TEST_F(FontTest, LargeGlyphsAreTransparent) {
    canvas.zoom = 20;
    set_pen_colour(14);
    fill_rect({90, 40, 120, 60});
    draw_text(100, 50, "A");
    const int text = scheme_colour(ROLE_TEXT);
    int inked = 0, kept = 0;
    for (int y = 40; y <= 60; ++y)
        for (int x = 90; x <= 120; ++x) {
            const uint16_t cell = read_cell(x, y);
            for (int n = 0; n < 4; ++n) {
                const int nibble = (cell >> (12 - 4 * n)) & 15;
                ASSERT_TRUE(nibble == 14 || nibble == text) << x << "," << y;
                (nibble == text ? inked : kept)++;
            }
        }
    EXPECT_GT(inked, 20);
    EXPECT_GT(kept, 4 * 31 * 21 - 60);
    // A's top (glyph rows 4 and 5: 00, 30): the upper sub-pixels keep the
    // background, the lower ones of columns 2 and 3 take the ink.
    EXPECT_EQ(read_cell(100, 46), 0xEEEE);
    EXPECT_EQ(read_cell(101, 46), 0xEE00 | text << 4 | text);
}

TEST_F(FontTest, LoadedFontIsTheSameWhicheverColourEntryIsDark) {
    const std::vector<uint8_t> image = box_font_image();
    ASSERT_EQ(load_bytes(font_bmp(image.data(), true)), 0);
    EXPECT_EQ(std::memcmp(font_state.large_font, image.data(), LARGE_FONT_BYTES), 0);

    font_reset();
    canvas_reset();
    ASSERT_EQ(load_bytes(font_bmp(image.data(), false)), 0);
    EXPECT_EQ(std::memcmp(font_state.large_font, image.data(), LARGE_FONT_BYTES), 0);

    // The image is shown at model (x, y) = image pixel, top row first.
    EXPECT_EQ(read_cell(0, 4), 1u);    // glyph 0, row 4: full row
    EXPECT_EQ(read_cell(1, 5), 0u);    // inside the box
    EXPECT_EQ(read_cell(7, 5), 1u);    // right edge
    EXPECT_EQ(read_cell(0, 3), 0u);    // rows 0 to 3 empty
    EXPECT_EQ(read_cell(255, 127), 1u);
    EXPECT_EQ(read_cell(256, 127), 0u);
    EXPECT_EQ(read_cell(0, 128), 0u);
}

TEST_F(FontTest, LoadingChangesOnlyTheDoubledZoomLettering) {
    draw_text(300, 200, "Ab0");
    std::vector<uint16_t> before;
    for (int x = 300; x < 312; ++x)
        for (int y = 196; y <= 200; ++y) before.push_back(read_cell(x, y));

    const std::vector<uint8_t> image = box_font_image();
    ASSERT_EQ(load_bytes(font_bmp(image.data(), false)), 0);
    canvas_reset();
    draw_text(300, 200, "Ab0");
    std::vector<uint16_t> after;
    for (int x = 300; x < 312; ++x)
        for (int y = 196; y <= 200; ++y) after.push_back(read_cell(x, y));
    EXPECT_EQ(before, after);

    canvas_reset();
    canvas.zoom = 20;
    draw_text(300, 200, "A");
    // The box's corner (rows 4 and 5: FF, 81) and its empty inside.
    EXPECT_EQ(read_cell(300, 196), 0x1110 * scheme_colour(ROLE_TEXT));
    EXPECT_EQ(read_cell(301, 198), 0u);
}

TEST_F(FontTest, RefusedFilesLeaveFontAndCanvasAlone) {
    const std::vector<uint8_t> image = box_font_image();
    const std::vector<uint8_t> good = font_bmp(image.data(), false);

    std::vector<std::vector<uint8_t>> bad;
    bad.push_back(std::vector<uint8_t>(good.begin(), good.end() - 1));  // truncated
    bad.push_back(std::vector<uint8_t>(good.begin(), good.begin() + 40));
    bad.push_back({});
    std::vector<uint8_t> narrow = good;
    narrow[18] = 128;  // width 128
    narrow[19] = 0;
    bad.push_back(narrow);
    std::vector<uint8_t> short_image = good;
    short_image[22] = 64;  // height 64
    bad.push_back(short_image);
    std::vector<uint8_t> top_down = good;
    for (int k = 0; k < 4; ++k) top_down[22 + k] = uint8_t(uint32_t(-128) >> (8 * k));
    bad.push_back(top_down);
    std::vector<uint8_t> four_bits = good;
    four_bits[28] = 4;
    bad.push_back(four_bits);
    std::vector<uint8_t> compressed = good;
    compressed[30] = 1;
    bad.push_back(compressed);
    std::vector<uint8_t> no_signature = good;
    no_signature[0] = 'X';
    bad.push_back(no_signature);
    std::vector<uint8_t> core_header = good;
    core_header[14] = 12;
    bad.push_back(core_header);
    std::vector<uint8_t> moved_pixels = good;
    moved_pixels[10] = 66;
    bad.push_back(moved_pixels);

    for (size_t n = 0; n < bad.size(); ++n) {
        EXPECT_NE(load_bytes(bad[n]), 0) << "file " << n;
        EXPECT_EQ(std::memcmp(font_state.large_font, builtin_large_font, LARGE_FONT_BYTES), 0) << "file " << n;
        EXPECT_TRUE(canvas_blank()) << "file " << n;
    }
    EXPECT_NE(load_font_bitmap(nullptr), 0);

    // A loaded font survives a refused file too; font_reset brings back the built-in one.
    ASSERT_EQ(load_bytes(good), 0);
    EXPECT_NE(load_bytes(four_bits), 0);
    EXPECT_EQ(std::memcmp(font_state.large_font, image.data(), LARGE_FONT_BYTES), 0);
    font_reset();
    EXPECT_EQ(std::memcmp(font_state.large_font, builtin_large_font, LARGE_FONT_BYTES), 0);
}

}  // namespace
