#pragma once
// Checks shared by the canvas tests: the framebuffer must always show the
// palette colours of the cells over the board area.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "graphics/canvas.h"
#include "graphics/palette.h"

inline bool pixel_is(int px, int py, int colour) {
    const uint8_t* pixel = canvas.framebuffer[py][px];
    const PaletteColour& rgb = palette[colour & 15];
    return pixel[0] == rgb.red && pixel[1] == rgb.green && pixel[2] == rgb.blue;
}

// Every board point (0..630, 0..400) against its pixel(s) at the current zoom.
inline ::testing::AssertionResult framebuffer_mirrors_cells() {
    for (int y = 0; y <= 400; ++y) {
        for (int x = 0; x <= 630; ++x) {
            const uint16_t cell = canvas.cells[y][x];
            if (canvas.zoom == 20) {
                const int nibbles[4] = {cell >> 12, (cell >> 8) & 15, (cell >> 4) & 15, cell & 15};
                for (int k = 0; k < 4; ++k) {
                    const int px = 2 * x + (k & 1);
                    const int py = 2 * y + (k >> 1);
                    if (!pixel_is(px, py, nibbles[k]))
                        return ::testing::AssertionFailure()
                               << "pixel (" << px << "," << py << ") differs from nibble " << k << " of cell (" << x
                               << "," << y << ") = " << std::hex << cell;
                }
            } else if (!pixel_is(x, y, cell & 15)) {
                return ::testing::AssertionFailure()
                       << "pixel (" << x << "," << y << ") differs from cell " << std::hex << cell;
            }
        }
    }
    return ::testing::AssertionSuccess();
}

struct CanvasSnapshot {
    std::vector<uint16_t> cells;
    std::vector<uint8_t> framebuffer;
};

inline CanvasSnapshot snapshot_canvas() {
    CanvasSnapshot snapshot;
    const auto* cells = &canvas.cells[0][0];
    snapshot.cells.assign(cells, cells + CANVAS_WIDTH * CANVAS_HEIGHT);
    const auto* bytes = &canvas.framebuffer[0][0][0];
    snapshot.framebuffer.assign(bytes, bytes + sizeof canvas.framebuffer);
    return snapshot;
}

inline bool canvas_equals(const CanvasSnapshot& snapshot) {
    return std::memcmp(snapshot.cells.data(), canvas.cells, sizeof canvas.cells) == 0 &&
           std::memcmp(snapshot.framebuffer.data(), canvas.framebuffer, sizeof canvas.framebuffer) == 0;
}

// Fails when a framebuffer pixel differs from before but lies outside rect.
inline ::testing::AssertionResult changes_inside(const CanvasSnapshot& before, const Rect& rect) {
    for (int py = 0; py < FRAMEBUFFER_HEIGHT; ++py) {
        for (int px = 0; px < FRAMEBUFFER_WIDTH; ++px) {
            const size_t at = (static_cast<size_t>(py) * FRAMEBUFFER_WIDTH + px) * 3;
            if (std::memcmp(&before.framebuffer[at], canvas.framebuffer[py][px], 3) == 0) continue;
            if (px < rect.x0 || px > rect.x1 || py < rect.y0 || py > rect.y1)
                return ::testing::AssertionFailure() << "pixel (" << px << "," << py << ") changed outside ("
                                                     << rect.x0 << "," << rect.y0 << ")-(" << rect.x1 << ","
                                                     << rect.y1 << ")";
        }
    }
    return ::testing::AssertionSuccess();
}
