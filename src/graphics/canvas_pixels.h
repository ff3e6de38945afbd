#pragma once
// Writing cells and framebuffer pixels, shared by the canvas's drawing files.
#include <cstdint>
#include <cstring>

#include "graphics/canvas.h"
#include "graphics/palette.h"

namespace canvas_pixels {

// Callers guarantee the rectangle lies in the framebuffer.
inline void grow_changed(const Rect& pixels) {
    Rect& changed = canvas.changed;
    if (pixels.x0 < changed.x0) changed.x0 = pixels.x0;
    if (pixels.y0 < changed.y0) changed.y0 = pixels.y0;
    if (pixels.x1 > changed.x1) changed.x1 = pixels.x1;
    if (pixels.y1 > changed.y1) changed.y1 = pixels.y1;
}

// Cell bits kept by each skip mask (pen bits 7..4 = TL, TR, BL, BR).
constexpr uint16_t keep_mask(int skip) {
    return static_cast<uint16_t>(((skip & 8) ? 0xF000 : 0) | ((skip & 4) ? 0x0F00 : 0) |
                                 ((skip & 2) ? 0x00F0 : 0) | ((skip & 1) ? 0x000F : 0));
}

constexpr uint16_t KEEP_FOR_SKIP[16] = {
    keep_mask(0),  keep_mask(1),  keep_mask(2),  keep_mask(3),  keep_mask(4),  keep_mask(5),
    keep_mask(6),  keep_mask(7),  keep_mask(8),  keep_mask(9),  keep_mask(10), keep_mask(11),
    keep_mask(12), keep_mask(13), keep_mask(14), keep_mask(15),
};

// Plots points that the caller has found inside the clip, the cells and
// (at the doubled zoom, both pixels wide and high) the framebuffer, in
// the paint mode: the pen colour, the zoom and the bounds of what it drew
// are held here rather than read back from the canvas after every byte
// written (a byte store may alias any of them). The canvas's changed
// rectangle grows once, when the plotter ends.
class PointPlotter {
public:
    explicit PointPlotter(int colour)
        : value_(static_cast<uint16_t>((colour & 15) * 0x1111)), doubled_(canvas.zoom == 20) {
        const PaletteColour rgb = palette[colour & 15];
        // RGBRGB: the two pixels of a block row, stored as 4 + 2 bytes.
        const uint8_t pair[8] = {rgb.red, rgb.green, rgb.blue, rgb.red, rgb.green, rgb.blue, 0, 0};
        std::memcpy(&pair_, pair, sizeof pair_);
        colour_ = colour & 15;
    }
    ~PointPlotter() {
        if (x0_ <= x1_) {
            if (doubled_)
                grow_changed({2 * x0_, 2 * y0_, 2 * x1_ + 1, 2 * y1_ + 1});
            else
                grow_changed({x0_, y0_, x1_, y1_});
        }
    }
    PointPlotter(const PointPlotter&) = delete;
    PointPlotter& operator=(const PointPlotter&) = delete;

    // Whether every point of the rectangle (ordered) may be plotted here.
    static bool takes(const Rect& points) {
        if (canvas.pen_mode != PEN_PAINT) return false;
        const Rect& clip = canvas.clip_rect;
        if (points.x0 < clip.x0 || points.y0 < clip.y0 || points.x1 > clip.x1 || points.y1 > clip.y1) return false;
        const int right = canvas.zoom == 20 ? (FRAMEBUFFER_WIDTH - 2) / 2 : CANVAS_WIDTH - 1;
        const int bottom = canvas.zoom == 20 ? FRAMEBUFFER_HEIGHT / 2 - 1 : CANVAS_HEIGHT - 1;
        return points.x0 >= 0 && points.y0 >= 0 && points.x1 <= right && points.y1 <= bottom;
    }

    // The point as plot_point paints it with this skip mask.
    void plot(int x, int y, int skip) {
        if (x < x0_) x0_ = x;
        if (x > x1_) x1_ = x;
        if (y < y0_) y0_ = y;
        if (y > y1_) y1_ = y;
        uint16_t& cell = canvas.cells[y][x];
        if (!doubled_) {
            cell = static_cast<uint16_t>(colour_);
            store_pixel(canvas.framebuffer[y][x]);
            return;
        }
        const uint16_t keep = KEEP_FOR_SKIP[skip & 15];
        cell = static_cast<uint16_t>((cell & keep) | (value_ & ~keep));
        uint8_t* top = canvas.framebuffer[2 * y][2 * x];
        uint8_t* bottom = top + sizeof canvas.framebuffer[0];
        store_row(top, skip >> 2);
        store_row(bottom, skip);
    }

private:
    void store_pixel(uint8_t* pixel) const {
        const uint32_t low = static_cast<uint32_t>(pair_);
        std::memcpy(pixel, &low, 2);
        pixel[2] = static_cast<uint8_t>(low >> 16);
    }
    // One row of a block; bit 1 of skip leaves the left pixel, bit 0 the right.
    void store_row(uint8_t* row, int skip) const {
        switch (skip & 3) {
            case 0: {
                const uint32_t low = static_cast<uint32_t>(pair_);
                const uint16_t high = static_cast<uint16_t>(pair_ >> 32);
                std::memcpy(row, &low, 4);
                std::memcpy(row + 4, &high, 2);
                break;
            }
            case 1: store_pixel(row); break;
            case 2: store_pixel(row + 3); break;
            default: break;
        }
    }

    uint64_t pair_ = 0;
    uint16_t value_;
    int colour_ = 0;
    bool doubled_;
    int x0_ = CANVAS_WIDTH, y0_ = CANVAS_HEIGHT, x1_ = -1, y1_ = -1;
};

}  // namespace canvas_pixels
