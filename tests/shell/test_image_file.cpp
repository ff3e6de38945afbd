#include <gtest/gtest.h>

#include <png.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "graphics/canvas.h"
#include "graphics/palette.h"
#include "shell/image_file.h"

namespace {

class ImageFile : public ::testing::Test {
protected:
    void SetUp() override {
        canvas_reset();
        char pattern[] = "/tmp/image_file_test_XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        directory = pattern;
    }
    void TearDown() override {
        for (const std::string& name : created) std::remove(name.c_str());
        rmdir(directory.c_str());
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
    return access(name.c_str(), F_OK) == 0;
}

std::vector<unsigned char> file_bytes(const std::string& name) {
    std::ifstream in(name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A few marks in distinct colours near the corners of the board.
void draw_marks() {
    set_pen_colour(14);
    fill_rect(0, 0, 630, 400);
    set_pen_colour(4);
    plot_point(0, 0);
    set_pen_colour(1);
    plot_point(630, 400);
    set_pen_colour(2);
    fill_rect(100, 50, 120, 60);
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

    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    ASSERT_TRUE(png_image_begin_read_from_file(&image, name.c_str())) << image.message;
    EXPECT_EQ(image.width, 1262u);
    EXPECT_EQ(image.height, 802u);
    image.format = PNG_FORMAT_RGB;
    std::vector<unsigned char> pixels(PNG_IMAGE_SIZE(image));
    ASSERT_TRUE(png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) << image.message;
    for (int py = 0; py < 802; ++py)
        for (int px = 0; px < 1262; ++px)
            ASSERT_TRUE(same_pixel(&pixels[(static_cast<size_t>(py) * 1262 + px) * 3], px, py)) << px << "," << py;
    // The far board corner is the last pixel pair of the image.
    EXPECT_EQ(pixels[pixels.size() - 1], palette[1].blue);
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
    if (!exists("/dev/full")) GTEST_SKIP() << "no /dev/full here";
    for (const char* name : {"full.ppm", "full.png"}) {
        const std::string link = path(name);
        ASSERT_EQ(symlink("/dev/full", link.c_str()), 0);
        error[0] = '\0';
        EXPECT_FALSE(write_board_image(link.c_str(), error, sizeof error)) << name;
        EXPECT_NE(std::strstr(error, "Cannot"), nullptr) << error;
        EXPECT_FALSE(exists(link)) << name << " was left behind";
    }
}

}  // namespace
