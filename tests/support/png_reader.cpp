// The PNG decoder the tests read pictures back with (stb_image, header-only).
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#include <stb_image.h>

#include "support/png_reader.h"

bool read_png_rgb(const std::string& path, int* width, int* height, std::vector<unsigned char>* pixels) {
    pixels->clear();
    int channels = 0;
    unsigned char* data = stbi_load(path.c_str(), width, height, &channels, 3);
    if (data == nullptr) return false;
    pixels->assign(data, data + static_cast<size_t>(*width) * static_cast<size_t>(*height) * 3);
    stbi_image_free(data);
    return true;
}
