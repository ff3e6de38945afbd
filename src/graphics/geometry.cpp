// Small helpers on coordinate pairs and rectangles.
#include "graphics/geometry.h"

#include <algorithm>

#include "graphics/canvas.h"

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
