#pragma once
// Pictures of the framebuffer on disk, so that boards can be looked at
// outside the window (render command, developer tools, tests).
#include <cstddef>
#include <cstdint>

// The board area, model (0, 0)..(630, 400), at the canvas's zoom: PNG when
// path ends in ".png", binary PPM when it ends in ".ppm". On failure returns
// false with a message in error and leaves no half-written file behind.
bool write_board_image(const char* path, char* error, size_t error_capacity);

// The same for explicit framebuffer pixel bounds.
bool write_framebuffer_region(const char* path, int px0, int py0, int width, int height,
                              char* error, size_t error_capacity);

// Any RGB picture (rows of width * 3 bytes), through the same encoders.
bool write_rgb_image(const char* path, const uint8_t* pixels, int width, int height, char* error,
                     size_t error_capacity);
