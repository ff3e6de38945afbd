// Reading the canvas back as the printed image, mono or colour.
#include <algorithm>
#include <cstring>
#include <vector>

#include "export/rle_run.h"
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

// Each canvas row is cut once into runs of equal cells, each with the
// sample pairs of its two lines; both sample lines then go to the encoder
// run by run, which is what makes the mostly blank board cheap. Padding
// is a run of its own.
struct CellRun {
    unsigned char line_byte[2];
    int length;
};

// The board columns of canvas row y, from x0 on.
void read_row(int x0, int y, int board_columns, std::vector<uint16_t>& cells) {
    const bool inside = y >= 0 && y < CANVAS_HEIGHT && x0 >= 0 && x0 + board_columns <= CANVAS_WIDTH;
    if (inside && board_columns > 0) {
        std::memcpy(cells.data(), &canvas.cells[y][x0], sizeof(uint16_t) * board_columns);
    } else {
        for (int i = 0; i < board_columns; ++i) cells[i] = static_cast<uint16_t>(cell_at(x0 + i, y));
    }
}

// The row's runs, padded out to the image width; returns their count.
size_t cut_into_runs(const std::vector<uint16_t>& cells, int board_columns, int width, const unsigned char* pair,
                     unsigned char padding, std::vector<CellRun>& runs) {
    size_t count = 0;
    for (int i = 0; i < board_columns;) {
        const uint16_t cell = cells[i];
        int j = i + 1;
        while (j < board_columns && cells[j] == cell) ++j;
        runs[count++] = {{pair[cell >> 8], pair[cell & 255]}, j - i};
        i = j;
    }
    if (board_columns < width) runs[count++] = {{padding, padding}, width - board_columns};
    return count;
}

// One sample line of a row (half 0 the upper sub-pixels, 1 the lower).
// Neighbouring runs that differ only in the other line's sub-pixels go to
// the encoder as one.
long feed_line(const std::vector<CellRun>& runs, size_t count, int half, PrintFile* out) {
    // A copy, written back at the end: the encoder's bytes go out through
    // a byte pointer, which may alias the shared state and would have it
    // stored and reloaded around every byte.
    RleState rle = export_state.rle;
    long total = 0;
    int byte = -1;
    long length = 0;
    for (size_t r = 0; r < count; ++r) {
        const CellRun& run = runs[r];
        const int next = run.line_byte[half];
        if (next != byte && length > 0) {
            total += rle_feed_run(rle, byte, length, out);
            length = 0;
        }
        byte = next;
        length += run.length;
    }
    if (length > 0) total += rle_feed_run(rle, byte, length, out);
    export_state.rle = rle;
    return total;
}

}  // namespace

long emit_colour_image(const Rect& area, PrintFile* out) {
    const auto [x0, y0, x1, y1] = area;
    const int width = image_width(x0, x1), rows = image_rows(y0, y1);
    // Sample pairs by the cell's upper and lower byte: the upper two
    // sub-pixels give the first line's pair, the lower two the second's.
    unsigned char pair[256];
    for (int b = 0; b < 256; ++b) {
        pair[b] = static_cast<unsigned char>((colour_sample(x1, x1, b >> 4) << 4) |
                                             colour_sample(x1, x1, b & 15));
    }
    const unsigned char padding = static_cast<unsigned char>(
        (colour_sample(x1 + 1, x1, 0) << 4) | colour_sample(x1 + 1, x1, 0));

    std::vector<CellRun> runs(static_cast<size_t>(width > 0 ? width : 0) + 1);
    long total = 0;
    const int board_columns = std::max(0, std::min(width, x1 - x0 + 1));
    std::vector<uint16_t> cells(static_cast<size_t>(board_columns) + 1);
    for (int y = y0; y < y0 + rows; ++y) {
        read_row(x0, y, board_columns, cells);
        const size_t count = cut_into_runs(cells, board_columns, width, pair, padding, runs);
        for (int half = 0; half < 2; ++half) total += feed_line(runs, count, half, out);
    }
    total += rle_put(RLE_END, out);
    return total;
}

// One bit per sample, most significant first: four canvas pixels a byte.
void emit_mono_image(const Rect& area, PrintFile& out) {
    const auto [x0, y0, x1, y1] = area;
    const int width = image_width(x0, x1), rows = image_rows(y0, y1);
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
