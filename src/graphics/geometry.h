#pragma once

void order_pair(int& a, int& b);
bool ranges_overlap(int a, int b, int c, int d);
bool rects_overlap(int x0, int y0, int x1, int y1, int X0, int Y0, int X1, int Y1);
// Orders both pairs; false when the rectangle misses clip_rect, otherwise
// clamps all four values into it.
bool clip_to_clip_rect(int& x0, int& y0, int& x1, int& y1);
