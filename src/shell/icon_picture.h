#pragma once
// The program's icon picture, shared by every backend's window icon.

constexpr int ICON_SIZE = 32;

// Draws the 32 by 32 picture as RGB bytes, rows top to bottom.
void draw_program_icon(unsigned char* rgb);
