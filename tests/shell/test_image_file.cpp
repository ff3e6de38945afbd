// Tests of the PNG and PPM writers.
#include <gtest/gtest.h>


#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "graphics/canvas.h"
#include "graphics/palette.h"
#include "shell/image_file.h"
#include "support/png_reader.h"
#include "support/test_files.h"

namespace {

class ImageFile : public ::testing::Test {
protected:
    void SetUp() override {
        canvas_reset();
        directory = make_temp_directory("image_file_test");
    }
    void TearDown() override {
        remove_tree(directory);
    }
    std::string path(const char* name) {
        created.push_back(directory + "/" + name);
        return created.back();
    }
    std::string directory;
    std::vector<std::string> created;
    char error[256] = "";
};

bool exists(const std::string& name) {
    return path_exists(name);
}

std::vector<unsigned char> file_bytes(const std::string& name) {
    std::ifstream in(name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A few marks in distinct colours near the corners of the board.
void draw_marks() {
    set_pen_colour(14);
    fill_rect({0, 0, 630, 400});
    set_pen_colour(4);
    plot_point(0, 0);
    set_pen_colour(1);
    plot_point(630, 400);
    set_pen_colour(2);
    fill_rect({100, 50, 120, 60});
}

bool same_pixel(const unsigned char* pixel, int px, int py) {
    return std::memcmp(pixel, canvas.framebuffer[py][px], 3) == 0;
}

TEST_F(ImageFile, PpmHoldsTheBoardAreaAtNormalZoom) {
    draw_marks();
    const std::string name = path("board.ppm");
    ASSERT_TRUE(write_board_image(name.c_str(), error, sizeof error)) << error;
    const std::vector<unsigned char> bytes = file_bytes(name);
    const std::string header = "P6\n631 401\n255\n";
    ASSERT_EQ(bytes.size(), header.size() + 631u * 401u * 3u);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + static_cast<long>(header.size())), header);
    const unsigned char* pixels = bytes.data() + header.size();
    for (int py = 0; py < 401; ++py)
        for (int px = 0; px < 631; ++px)
            ASSERT_TRUE(same_pixel(pixels + (static_cast<size_t>(py) * 631 + px) * 3, px, py)) << px << "," << py;
    EXPECT_EQ(pixels[0], palette[4].red);
}

TEST_F(ImageFile, PngHoldsTheBoardAreaAtDoubledZoom) {
    canvas.zoom = 20;
    draw_marks();
    const std::string name = path("board.png");
    ASSERT_TRUE(write_board_image(name.c_str(), error, sizeof error)) << error;

    int width = 0, height = 0;
    std::vector<unsigned char> pixels;
    ASSERT_TRUE(read_png_rgb(name, &width, &height, &pixels));
    EXPECT_EQ(width, 1262);
    EXPECT_EQ(height, 802);
    for (int py = 0; py < 802; ++py)
        for (int px = 0; px < 1262; ++px)
            ASSERT_TRUE(same_pixel(&pixels[(static_cast<size_t>(py) * 1262 + px) * 3], px, py)) << px << "," << py;
    // The far board corner is the last pixel pair of the image.
    EXPECT_EQ(pixels[pixels.size() - 1], palette[1].blue);
}

// Pictures of any size and content come back as written, and the same
// pixels always give the same bytes (the Windows build must match).
TEST_F(ImageFile, AnyRgbPictureRoundTripsThroughPngDeterministically) {
    uint32_t seed = 12345;
    for (int size : {1, 2, 7, 64, 333}) {
        const int width = size, height = size / 2 + 1;
        std::vector<unsigned char> picture(static_cast<size_t>(width) * height * 3);
        for (unsigned char& byte : picture) {
            seed = seed * 1103515245u + 12345u;
            // Runs of equal bytes as well as noise, so both compress paths run.
            byte = static_cast<unsigned char>((seed >> 16) % 3 == 0 ? 7 : seed >> 24);
        }
        const std::string first = path(("a" + std::to_string(size) + ".png").c_str());
        const std::string second = path(("b" + std::to_string(size) + ".png").c_str());
        ASSERT_TRUE(write_rgb_image(first.c_str(), picture.data(), width, height, error, sizeof error)) << error;
        ASSERT_TRUE(write_rgb_image(second.c_str(), picture.data(), width, height, error, sizeof error)) << error;
        EXPECT_EQ(file_bytes(first), file_bytes(second)) << size;
        int got_width = 0, got_height = 0;
        std::vector<unsigned char> back;
        ASSERT_TRUE(read_png_rgb(first, &got_width, &got_height, &back)) << size;
        EXPECT_EQ(got_width, width);
        EXPECT_EQ(got_height, height);
        EXPECT_EQ(back, picture) << size;
    }
    const std::string none = path("none.png");
    EXPECT_FALSE(write_rgb_image(none.c_str(), nullptr, 4, 4, error, sizeof error));
    EXPECT_FALSE(exists(none));
}

TEST_F(ImageFile, ExplicitRegionIsCopiedFromItsOffset) {
    draw_marks();
    const std::string name = path("region.ppm");
    ASSERT_TRUE(write_framebuffer_region(name.c_str(), 95, 45, 30, 20, error, sizeof error)) << error;
    const std::vector<unsigned char> bytes = file_bytes(name);
    const std::string header = "P6\n30 20\n255\n";
    ASSERT_EQ(bytes.size(), header.size() + 30u * 20u * 3u);
    const unsigned char* pixels = bytes.data() + header.size();
    EXPECT_TRUE(same_pixel(pixels, 95, 45));
    EXPECT_TRUE(same_pixel(pixels + (5 * 30 + 5) * 3, 100, 50));
    EXPECT_EQ(pixels[(5 * 30 + 5) * 3 + 1], palette[2].green);
}

TEST_F(ImageFile, RefusesUnknownTypesAndAreasOffTheScreen) {
    const std::string bmp = path("board.bmp");
    EXPECT_FALSE(write_board_image(bmp.c_str(), error, sizeof error));
    EXPECT_NE(std::strstr(error, ".png"), nullptr) << error;
    EXPECT_FALSE(exists(bmp));

    const std::string ppm = path("off.ppm");
    EXPECT_FALSE(write_framebuffer_region(ppm.c_str(), 1200, 0, 100, 10, error, sizeof error));
    EXPECT_STRNE(error, "");
    EXPECT_FALSE(write_framebuffer_region(ppm.c_str(), 0, 0, 0, 10, error, sizeof error));
    EXPECT_FALSE(write_framebuffer_region(ppm.c_str(), -1, 0, 10, 10, error, sizeof error));
    EXPECT_FALSE(exists(ppm));
}

TEST_F(ImageFile, UnwritablePlaceIsReportedWithTheFileName) {
    const std::string missing = directory + "/no/such/dir/board.png";
    EXPECT_FALSE(write_board_image(missing.c_str(), error, sizeof error));
    EXPECT_NE(std::strstr(error, missing.c_str()), nullptr) << error;
}

TEST_F(ImageFile, FullDiskFailsAndLeavesNoHalfWrittenFile) {
    if (const char* missing = full_device_missing()) GTEST_SKIP() << missing;
    for (const char* name : {"full.ppm", "full.png"}) {
        const std::string link = path(name);
        ASSERT_TRUE(make_symlink("/dev/full", link));
        error[0] = '\0';
        EXPECT_FALSE(write_board_image(link.c_str(), error, sizeof error)) << name;
        EXPECT_NE(std::strstr(error, "Cannot"), nullptr) << error;
        EXPECT_FALSE(exists(link)) << name << " was left behind";
    }
}

}  // namespace
