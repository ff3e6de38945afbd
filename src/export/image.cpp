#include "export/writers.h"
#include "graphics/canvas.h"

namespace {

// The cell as read_cell gives it, without the call: the image loops read
// every cell of the rectangle twice or four times.
inline unsigned cell_at(int x, int y) {
    if (static_cast<unsigned>(x) >= CANVAS_WIDTH || static_cast<unsigned>(y) >= CANVAS_HEIGHT) {
        return 0;
    }
    return canvas.cells[y][x];
}

// Shifts of the left and right sub-pixel nibbles of a sample line: the
// first line of a canvas row takes the upper sub-pixels, the second the lower.
constexpr int LEFT_SHIFT[2] = {12, 4};
constexpr int RIGHT_SHIFT[2] = {8, 0};

}  // namespace

long emit_colour_image(int x0, int y0, int x1, int width, int rows, PrintFile* out) {
    int sample[16];
    for (int c = 0; c < 16; ++c) sample[c] = colour_sample(x1, x1, c);
    const int padding = (colour_sample(x1 + 1, x1, 0) << 4) | colour_sample(x1 + 1, x1, 0);

    long total = 0;
    for (int y = y0; y < y0 + rows; ++y) {
        for (int half = 0; half < 2; ++half) {
            for (int x = x0; x < x0 + width; ++x) {
                int byte = padding;
                if (x <= x1) {
                    unsigned cell = cell_at(x, y);
                    byte = (sample[(cell >> LEFT_SHIFT[half]) & 15] << 4) |
                           sample[(cell >> RIGHT_SHIFT[half]) & 15];
                }
                total += rle_put(byte, out);
            }
        }
    }
    total += rle_put(RLE_END, out);
    return total;
}

// One bit per sample, most significant first: four canvas pixels a byte.
void emit_mono_image(int x0, int y0, int x1, int width, int rows, PrintFile& out) {
    int sample[16];
    for (int c = 0; c < 16; ++c) sample[c] = mono_sample(x1, x1, c);
    const int padding = (mono_sample(x1 + 1, x1, 0) << 1) | mono_sample(x1 + 1, x1, 0);

    for (int y = y0; y < y0 + rows; ++y) {
        for (int half = 0; half < 2; ++half) {
            int byte = 0;
            int pixels = 0;
            for (int x = x0; x < x0 + width; ++x) {
                int bits = padding;
                if (x <= x1) {
                    unsigned cell = cell_at(x, y);
                    bits = (sample[(cell >> LEFT_SHIFT[half]) & 15] << 1) |
                           sample[(cell >> RIGHT_SHIFT[half]) & 15];
                }
                byte = (byte << 2) | bits;
                if (++pixels == 4) {
                    print_byte(out, byte);
                    byte = 0;
                    pixels = 0;
                }
            }
        }
    }
}
