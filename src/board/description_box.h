#pragma once
// The box a description's lettering takes, for redraws and dirty marking.
#include "board/objects.h"
#include "graphics/geometry.h"

// The lettering of a description: its glyph rows reach from y - 4 down to
// y + 1 at the doubled zoom (the descender row), so the box includes y + 1.
constexpr int DESCRIPTION_TOP = -5;
constexpr int DESCRIPTION_BOTTOM = 1;

// The box itself; it holds nothing meaningful while the width is 0.
inline Rect description_box(const DescriptionHead& d) {
    return {d.x, d.y + DESCRIPTION_TOP, d.x + d.width, d.y + DESCRIPTION_BOTTOM};
}

// Grown by the box, when there is lettering.
inline void grow_by_description(Rect& r, const DescriptionHead& d) {
    if (d.width != 0) grow_rect(r, description_box(d));
}
