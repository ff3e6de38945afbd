#pragma once
// The box a description's lettering takes, for redraws and dirty marking.

// The lettering of a description: its glyph rows reach from y - 4 down to
// y + 1 at the doubled zoom (the descender row), so the box includes y + 1.
constexpr int DESCRIPTION_TOP = -5;
constexpr int DESCRIPTION_BOTTOM = 1;
