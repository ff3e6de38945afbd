// Writing a framebuffer region or the board picture as a PNG or PPM file.
#include "shell/image_file.h"

#include <stb_image_write.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "core/format.h"
#include "graphics/canvas.h"

namespace {

enum class ImageKind { UNKNOWN, PNG, PPM };

bool ends_with(const char* text, const char* suffix) {
    size_t length = std::strlen(text);
    size_t suffix_length = std::strlen(suffix);
    return length >= suffix_length && std::strcmp(text + length - suffix_length, suffix) == 0;
}

ImageKind kind_of(const char* path) {
    if (ends_with(path, ".png")) return ImageKind::PNG;
    if (ends_with(path, ".ppm")) return ImageKind::PPM;
    return ImageKind::UNKNOWN;
}

// RGB pixels, rows stride bytes apart.
struct Region {
    const uint8_t* first;
    int width, height, stride;
};

const uint8_t* region_row(const Region& region, int row) {
    return region.first + static_cast<size_t>(row) * static_cast<size_t>(region.stride);
}

bool write_ppm(FILE* file, const Region& region) {
    if (std::fprintf(file, "P6\n%d %d\n255\n", region.width, region.height) < 0) return false;
    const size_t row_bytes = static_cast<size_t>(region.width) * 3;
    for (int row = 0; row < region.height; ++row) {
        if (std::fwrite(region_row(region, row), 1, row_bytes, file) != row_bytes) return false;
    }
    return true;
}

// The encoder hands its output over in pieces; a failed piece is
// remembered so that the file is reported and removed afterwards.
struct PngSink {
    FILE* file;
    bool failed;
};

void write_png_piece(void* context, void* data, int size) {
    auto* sink = static_cast<PngSink*>(context);
    if (sink->failed || size <= 0) return;
    if (std::fwrite(data, 1, static_cast<size_t>(size), sink->file) != static_cast<size_t>(size))
        sink->failed = true;
}

bool write_png(FILE* file, const char* path, const Region& region, char* error, size_t error_capacity) {
    PngSink sink = {file, false};
    if (stbi_write_png_to_func(write_png_piece, &sink, region.width, region.height, 3, region.first,
                               region.stride) == 0) {
        format_into(error, error_capacity, "Cannot write %s: out of memory for the PNG encoder", path);
        return false;
    }
    if (sink.failed) {
        format_into(error, error_capacity, "Cannot write %s: %s", path, std::strerror(errno));
        return false;
    }
    return true;
}

bool check_image_path(const char* path, char* error, size_t error_capacity) {
    if (error != nullptr && error_capacity > 0) error[0] = '\0';
    if (path == nullptr || path[0] == '\0') {
        format_into(error, error_capacity, "No image file name given");
        return false;
    }
    if (kind_of(path) == ImageKind::UNKNOWN) {
        format_into(error, error_capacity, "Unknown image type (use .png or .ppm): %s", path);
        return false;
    }
    return true;
}

bool write_image(const char* path, const Region& region, char* error, size_t error_capacity) {
    const ImageKind kind = kind_of(path);
    FILE* file = std::fopen(path, "wb");
    if (file == nullptr) {
        format_into(error, error_capacity, "Cannot write %s: %s", path, std::strerror(errno));
        return false;
    }
    bool written;
    if (kind == ImageKind::PNG) {
        written = write_png(file, path, region, error, error_capacity);
    } else {
        written = write_ppm(file, region);
        if (!written) format_into(error, error_capacity, "Cannot write %s: %s", path, std::strerror(errno));
    }
    if (written && (std::fflush(file) != 0 || std::ferror(file))) {
        format_into(error, error_capacity, "Cannot write %s: %s", path, std::strerror(errno));
        written = false;
    }
    if (std::fclose(file) != 0 && written) {
        format_into(error, error_capacity, "Cannot finish %s: %s", path, std::strerror(errno));
        written = false;
    }
    if (!written) std::remove(path);
    return written;
}

}  // namespace

bool write_framebuffer_region(const char* path, int px0, int py0, int width, int height,
                              char* error, size_t error_capacity) {
    if (!check_image_path(path, error, error_capacity)) return false;
    if (width <= 0 || height <= 0 || px0 < 0 || py0 < 0 || px0 > FRAMEBUFFER_WIDTH - width ||
        py0 > FRAMEBUFFER_HEIGHT - height) {
        format_into(error, error_capacity, "Image area %d,%d size %dx%d lies outside the %dx%d screen", px0, py0,
                    width, height, FRAMEBUFFER_WIDTH, FRAMEBUFFER_HEIGHT);
        return false;
    }

    const Region region = {canvas.framebuffer[py0][px0], width, height, FRAMEBUFFER_WIDTH * 3};
    return write_image(path, region, error, error_capacity);
}

bool write_board_image(const char* path, char* error, size_t error_capacity) {
    // The board spans model 0..630 by 0..400; each model unit is zoom/10 pixels.
    const int scale = canvas.zoom == 20 ? 2 : 1;
    return write_framebuffer_region(path, 0, 0, 631 * scale, 401 * scale, error, error_capacity);
}

bool write_rgb_image(const char* path, const uint8_t* pixels, int width, int height, char* error,
                     size_t error_capacity) {
    if (!check_image_path(path, error, error_capacity)) return false;
    if (pixels == nullptr || width <= 0 || height <= 0 || width > 1 << 15 || height > 1 << 15) {
        format_into(error, error_capacity, "Image size %dx%d is not a picture", width, height);
        return false;
    }
    return write_image(path, Region{pixels, width, height, width * 3}, error, error_capacity);
}
