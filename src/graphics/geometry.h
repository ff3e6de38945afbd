#pragma once
// Small helpers on coordinate pairs and rectangles.

#include <algorithm>

// Inline: a redraw tests every record of the board against its rectangle.
inline void order_pair(int& a, int& b) {
    if (a > b) std::swap(a, b);
}
inline bool ranges_overlap(int a, int b, int c, int d) {
    return std::max(a, b) >= std::min(c, d) && std::min(a, b) <= std::max(c, d);
}
inline bool rects_overlap(int x0, int y0, int x1, int y1, int X0, int Y0, int X1, int Y1) {
    return ranges_overlap(x0, x1, X0, X1) && ranges_overlap(y0, y1, Y0, Y1);
}
// Orders both pairs; false when the rectangle misses clip_rect, otherwise
// clamps all four values into it.
bool clip_to_clip_rect(int& x0, int& y0, int& x1, int& y1);
