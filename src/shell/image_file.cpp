#include "shell/image_file.h"

#include <png.h>

#include <cerrno>
#include <csetjmp>
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

struct Region {
    int px0, py0, width, height;
};

const uint8_t* region_row(const Region& region, int row) {
    return canvas.framebuffer[region.py0 + row][region.px0];
}

bool write_ppm(FILE* file, const Region& region) {
    if (std::fprintf(file, "P6\n%d %d\n255\n", region.width, region.height) < 0) return false;
    const size_t row_bytes = static_cast<size_t>(region.width) * 3;
    for (int row = 0; row < region.height; ++row) {
        if (std::fwrite(region_row(region, row), 1, row_bytes, file) != row_bytes) return false;
    }
    return true;
}

// libpng reports errors by longjmp; keep its text for our message.
struct PngErrorSink {
    jmp_buf jump;
    char text[200];
};

void on_png_error(png_structp png, png_const_charp message) {
    auto* sink = static_cast<PngErrorSink*>(png_get_error_ptr(png));
    format_into(sink->text, sizeof sink->text, "%s", message ? message : "unknown error");
    longjmp(sink->jump, 1);
}

void on_png_warning(png_structp, png_const_charp) {}

bool write_png(FILE* file, const char* path, const Region& region, char* error, size_t error_capacity) {
    // Static so that nothing the longjmp skips over needs destroying.
    static PngErrorSink sink;
    sink.text[0] = '\0';
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &sink, on_png_error, on_png_warning);
    if (png == nullptr) {
        format_into(error, error_capacity, "Cannot start the PNG writer");
        return false;
    }
    png_infop info = png_create_info_struct(png);
    if (info == nullptr) {
        png_destroy_write_struct(&png, nullptr);
        format_into(error, error_capacity, "Cannot start the PNG writer");
        return false;
    }
    if (setjmp(sink.jump)) {
        png_destroy_write_struct(&png, &info);
        format_into(error, error_capacity, "Cannot write %s: %s", path, sink.text);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, static_cast<png_uint_32>(region.width), static_cast<png_uint_32>(region.height), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int row = 0; row < region.height; ++row) {
        png_write_row(png, region_row(region, row));
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

bool write_framebuffer_region(const char* path, int px0, int py0, int width, int height,
                              char* error, size_t error_capacity) {
    if (error != nullptr && error_capacity > 0) error[0] = '\0';
    if (path == nullptr || path[0] == '\0') {
        format_into(error, error_capacity, "No image file name given");
        return false;
    }
    const ImageKind kind = kind_of(path);
    if (kind == ImageKind::UNKNOWN) {
        format_into(error, error_capacity, "Unknown image type (use .png or .ppm): %s", path);
        return false;
    }
    if (width <= 0 || height <= 0 || px0 < 0 || py0 < 0 || px0 > FRAMEBUFFER_WIDTH - width ||
        py0 > FRAMEBUFFER_HEIGHT - height) {
        format_into(error, error_capacity, "Image area %d,%d size %dx%d lies outside the %dx%d screen", px0, py0,
                    width, height, FRAMEBUFFER_WIDTH, FRAMEBUFFER_HEIGHT);
        return false;
    }

    FILE* file = std::fopen(path, "wb");
    if (file == nullptr) {
        format_into(error, error_capacity, "Cannot write %s: %s", path, std::strerror(errno));
        return false;
    }
    const Region region = {px0, py0, width, height};
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

bool write_board_image(const char* path, char* error, size_t error_capacity) {
    // The board spans model 0..630 by 0..400; each model unit is zoom/10 pixels.
    const int scale = canvas.zoom == 20 ? 2 : 1;
    return write_framebuffer_region(path, 0, 0, 631 * scale, 401 * scale, error, error_capacity);
}
