// Developer tool: draws every character of both built-in fonts, and a few
// lines of sample lettering, at both zooms, so the glyphs can be looked at.
//   font_sheet [OUTPUT_PREFIX]
// writes PREFIX-zoom10.png and PREFIX-zoom20.png (the board area), and
// PREFIX-zoom10-x5.png and PREFIX-zoom20-x3.png (the character table
// magnified, for looking at single pixels).

#include <cstdio>
#include <string>
#include <vector>

#include "graphics/canvas.h"
#include "graphics/font.h"
#include "shell/image_file.h"

namespace {

constexpr int BACKGROUND = 14;
constexpr int TEXT_COLOUR = 1;
constexpr int TABLE_X = 10;
constexpr int TABLE_Y = 10;
constexpr int COLUMN_PITCH = 8;  // model units between characters of the table
constexpr int ROW_PITCH = 10;
constexpr int TABLE_COLUMNS = 16;
constexpr int TABLE_WIDTH = TABLE_COLUMNS * COLUMN_PITCH;
constexpr int TABLE_HEIGHT = 14 * ROW_PITCH + 2;

const char* const sample_lines[] = {
    "The quick brown fox jumps over the lazy dog.",
    "THE QUICK BROWN FOX JUMPS OVER THE LAZY DOG!",
    "0123456789 R1 4k7 C2 100nF Q3 BC547 IC1 NE555",
    "(a+b)*c=d/e; x<y>z [1] {2} #3 $4 %5 &6 @7 ~8 ^9",
    "\"quotes\" 'single' `back` _under_ |bar| \\slash?",
    "\xC0\xC1\xC2\xC3\xC4\xC5\xC6\xC7 \xC8\xC9\xCA\xCB \xCC\xCD\xCE\xCF \xD1 \xD2\xD3\xD4\xD5\xD6 "
    "\xD9\xDA\xDB\xDC \xDD \xDF",
    "\xE0\xE1\xE2\xE3\xE4\xE5\xE6\xE7 \xE8\xE9\xEA\xEB \xEC\xED\xEE\xEF \xF1 \xF2\xF3\xF4\xF5\xF6 "
    "\xF9\xFA\xFB\xFC \xFD\xFF \xF8\xFE",
    "Gr\xFC\xDF" "e, fa\xE7" "ade, \xA9 2026, 50\xB0" "C \xB1" "5% \xB5" "F \xBD \xBC \xBE \xA3\xA5\xA2",
};

// Codes 32 to 255, sixteen to a row, each at its own pitch.
void draw_character_table() {
    for (int code = 32; code <= 255; ++code) {
        const int index = code - 32;
        const int x = TABLE_X + (index % TABLE_COLUMNS) * COLUMN_PITCH;
        const int y = TABLE_Y + 4 + (index / TABLE_COLUMNS) * ROW_PITCH;
        draw_glyph(x, y, static_cast<unsigned char>(code));
    }
}

void draw_sheet(int zoom) {
    canvas_reset();
    canvas.zoom = zoom;
    set_pen_colour(BACKGROUND);
    fill_rect({0, 0, 630, 400});
    set_pen_colour(TEXT_COLOUR);
    draw_character_table();
    int y = TABLE_Y + TABLE_HEIGHT + 10;
    for (const char* line : sample_lines) {
        draw_text(TABLE_X, y, line);
        y += ROW_PITCH;
    }
    // Lettering over other colours, to see that only the ink is painted.
    set_pen_colour(12);
    fill_rect({TABLE_X, y - 6, TABLE_X + 120, y + 2});
    set_pen_colour(0);
    draw_line(TABLE_X, y - 2, TABLE_X + 120, y - 2);
    draw_text(TABLE_X + 2, y, "Text over a strip: gjpqy");
}

// The framebuffer part holding the character table, each pixel magnified.
bool write_magnified_table(const std::string& path, int magnification) {
    const int scale = canvas.zoom == 20 ? 2 : 1;
    const int px0 = TABLE_X * scale - 2, py0 = TABLE_Y * scale - 2;
    const int width = TABLE_WIDTH * scale + 4, height = TABLE_HEIGHT * scale + 4;
    const int out_width = width * magnification, out_height = height * magnification;
    std::vector<uint8_t> pixels(size_t(out_width) * out_height * 3);
    for (int y = 0; y < out_height; ++y)
        for (int x = 0; x < out_width; ++x) {
            const uint8_t* source = canvas.framebuffer[py0 + y / magnification][px0 + x / magnification];
            uint8_t* target = &pixels[(size_t(y) * out_width + x) * 3];
            target[0] = source[0];
            target[1] = source[1];
            target[2] = source[2];
        }
    char error[256];
    if (!write_rgb_image(path.c_str(), pixels.data(), out_width, out_height, error, sizeof error)) {
        std::fprintf(stderr, "font_sheet: %s\n", error);
        return false;
    }
    return true;
}

bool write_sheet(const std::string& prefix, int zoom) {
    draw_sheet(zoom);
    const std::string name = prefix + "-zoom" + std::to_string(zoom);
    char error[256];
    if (!write_board_image((name + ".png").c_str(), error, sizeof error)) {
        std::fprintf(stderr, "font_sheet: %s\n", error);
        return false;
    }
    const int magnification = zoom == 20 ? 3 : 5;
    if (!write_magnified_table(name + "-x" + std::to_string(magnification) + ".png", magnification))
        return false;
    std::printf("%s.png\n", name.c_str());
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string prefix = argc > 1 ? argv[1] : "font_sheet";
    font_reset();
    const bool ok = write_sheet(prefix, 10) && write_sheet(prefix, 20);
    return ok ? 0 : 1;
}
