// icon_file OUT.ico: the program icon as a Windows icon file (32 and 16 pixels).
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>
#include "shell/icon_picture.h"

namespace {

void put16(std::string* out, unsigned v) {
    out->push_back(static_cast<char>(v & 0xFF));
    out->push_back(static_cast<char>((v >> 8) & 0xFF));
}

void put32(std::string* out, uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

// One icon image: a 32-bit bitmap header (twice the height, for the mask),
// the pixels bottom-up as BGRA, and an all-opaque mask padded to 32 bits.
std::string icon_image(const unsigned char* rgb, int size) {
    const int step = ICON_SIZE / size;
    const int mask_row = ((size + 31) / 32) * 4;
    std::string out;
    put32(&out, 40);
    put32(&out, static_cast<uint32_t>(size));
    put32(&out, static_cast<uint32_t>(size * 2));
    put16(&out, 1);
    put16(&out, 32);
    put32(&out, 0);
    put32(&out, static_cast<uint32_t>(size * size * 4 + mask_row * size));
    for (int i = 0; i < 4; ++i) put32(&out, 0);
    for (int y = size - 1; y >= 0; --y)
        for (int x = 0; x < size; ++x) {
            const unsigned char* p = &rgb[((y * step + step / 2) * ICON_SIZE + x * step + step / 2) * 3];
            out.push_back(static_cast<char>(p[2]));
            out.push_back(static_cast<char>(p[1]));
            out.push_back(static_cast<char>(p[0]));
            out.push_back(static_cast<char>(0xFF));
        }
    out.append(static_cast<size_t>(mask_row * size), '\0');
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: icon_file OUT.ico\n");
        return 2;
    }
    std::vector<unsigned char> rgb(ICON_SIZE * ICON_SIZE * 3);
    draw_program_icon(rgb.data());
    const int sizes[2] = {32, 16};
    std::string images[2] = {icon_image(rgb.data(), 32), icon_image(rgb.data(), 16)};
    std::string out;
    put16(&out, 0);
    put16(&out, 1);
    put16(&out, 2);
    uint32_t offset = 6 + 2 * 16;
    for (int i = 0; i < 2; ++i) {
        out.push_back(static_cast<char>(sizes[i]));
        out.push_back(static_cast<char>(sizes[i]));
        put16(&out, 0);
        put16(&out, 1);
        put16(&out, 32);
        put32(&out, static_cast<uint32_t>(images[i].size()));
        put32(&out, offset);
        offset += static_cast<uint32_t>(images[i].size());
    }
    out += images[0] + images[1];
    FILE* file = std::fopen(argv[1], "wb");
    if (file == nullptr || std::fwrite(out.data(), 1, out.size(), file) != out.size() || std::fclose(file) != 0) {
        std::fprintf(stderr, "icon_file: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
