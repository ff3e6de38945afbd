#pragma once
// Reads a PNG back into RGB bytes, so that tests can check what was written.
#include <string>
#include <vector>

// False (with nothing in pixels) when the file is not a readable PNG.
bool read_png_rgb(const std::string& path, int* width, int* height, std::vector<unsigned char>* pixels);
