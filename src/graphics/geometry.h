#pragma once
// The rectangle and cell-range types, and small helpers on them.
//
// Both are inclusive on every edge: a Rect holds the points with
// x0 <= x <= x1 and y0 <= y <= y1, so {3, 4, 3, 4} is the single point
// (3, 4) and its width is x1 - x0 + 1. A rectangle with x0 > x1 or y0 > y1
// holds nothing. Rectangles taken from a drag may come with their corners
// in either order; `ordered` turns them round where it matters, and
// `rects_overlap` takes either order as it is.

#include <algorithm>

struct Rect {
    int x0, y0, x1, y1;
    bool empty() const { return x0 > x1 || y0 > y1; }
    bool contains(int x, int y) const { return x >= x0 && x <= x1 && y >= y0 && y <= y1; }
    bool operator==(const Rect&) const = default;
};

// The grid cells columns c0..c1 and rows r0..r1, inclusive as a Rect.
struct CellRange {
    int c0, r0, c1, r1;
};

// Inline: a redraw tests every record of the board against its rectangle.
inline void order_pair(int& a, int& b) {
    if (a > b) std::swap(a, b);
}
inline Rect ordered(Rect r) {
    order_pair(r.x0, r.x1);
    order_pair(r.y0, r.y1);
    return r;
}
inline bool ranges_overlap(int a, int b, int c, int d) {
    return std::max(a, b) >= std::min(c, d) && std::min(a, b) <= std::max(c, d);
}
// Grown by a rectangle in any corner order.
inline void grow_rect(Rect& r, const Rect& by) {
    r.x0 = std::min(r.x0, std::min(by.x0, by.x1));
    r.y0 = std::min(r.y0, std::min(by.y0, by.y1));
    r.x1 = std::max(r.x1, std::max(by.x0, by.x1));
    r.y1 = std::max(r.y1, std::max(by.y0, by.y1));
}
inline bool rects_overlap(const Rect& a, const Rect& b) {
    return ranges_overlap(a.x0, a.x1, b.x0, b.x1) && ranges_overlap(a.y0, a.y1, b.y0, b.y1);
}
// Orders the corners; false when the rectangle misses the canvas clip,
// otherwise clamps it into the clip.
bool clip_to_clip_rect(Rect& r);
