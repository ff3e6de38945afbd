// Clipping a rectangle to the canvas clip.
#include "graphics/geometry.h"

#include <algorithm>

#include "graphics/canvas.h"

bool clip_to_clip_rect(Rect& r) {
    r = ordered(r);
    const Rect& clip = canvas.clip_rect;
    if (clip.empty()) return false;  // nothing is drawable
    if (r.x1 < clip.x0 || r.x0 > clip.x1 || r.y1 < clip.y0 || r.y0 > clip.y1) return false;
    r.x0 = std::clamp(r.x0, clip.x0, clip.x1);
    r.x1 = std::clamp(r.x1, clip.x0, clip.x1);
    r.y0 = std::clamp(r.y0, clip.y0, clip.y1);
    r.y1 = std::clamp(r.y1, clip.y0, clip.y1);
    return true;
}
