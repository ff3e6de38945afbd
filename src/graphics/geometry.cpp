#include "graphics/geometry.h"

#include <algorithm>

#include "graphics/canvas.h"

void order_pair(int& a, int& b) {
    if (a > b) std::swap(a, b);
}

bool ranges_overlap(int a, int b, int c, int d) {
    return std::max(a, b) >= std::min(c, d) && std::min(a, b) <= std::max(c, d);
}

bool rects_overlap(int x0, int y0, int x1, int y1, int X0, int Y0, int X1, int Y1) {
    return ranges_overlap(x0, x1, X0, X1) && ranges_overlap(y0, y1, Y0, Y1);
}

bool clip_to_clip_rect(int& x0, int& y0, int& x1, int& y1) {
    order_pair(x0, x1);
    order_pair(y0, y1);
    const ClipRect& clip = canvas.clip_rect;
    if (clip.x0 > clip.x1 || clip.y0 > clip.y1) return false;  // nothing is drawable
    if (x1 < clip.x0 || x0 > clip.x1 || y1 < clip.y0 || y0 > clip.y1) return false;
    x0 = std::clamp(x0, clip.x0, clip.x1);
    x1 = std::clamp(x1, clip.x0, clip.x1);
    y0 = std::clamp(y0, clip.y0, clip.y1);
    y1 = std::clamp(y1, clip.y0, clip.y1);
    return true;
}
