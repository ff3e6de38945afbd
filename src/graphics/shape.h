#pragma once
// Two-level pictures: a bitmap of blank and ink sub-pixels.
#include <cstdint>

// A two-level picture: 2*height rows of 2*width characters, stored one
// after another; a space is blank, anything else is ink. Model block
// (c, r) is sub-pixels (2c, 2r) TL, (2c+1, 2r) TR, (2c, 2r+1) BL, (2c+1, 2r+1) BR.
struct ShapeBitmap {
    int32_t width;
    int32_t height;
    int32_t hot_x;
    int32_t hot_y;
    const char* rows;
};

// Orientation codes of draw_shape.
enum ShapeOrientation {
    ORIENT_AS_STORED = 0,
    ORIENT_QUARTER_CW = 1,
    ORIENT_HALF_TURN = 2,
    ORIENT_QUARTER_CCW = 3,
    ORIENT_MIRROR_LR = 4,
    ORIENT_FLIP_TB = 6,
};

// Ink test of sub-pixel (column j, row i) of a picture.
inline bool shape_ink(const ShapeBitmap& s, int j, int i) {
    return s.rows[i * 2 * s.width + j] != ' ';
}
