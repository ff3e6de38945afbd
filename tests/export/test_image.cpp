// Tests of reading the canvas back as the printed image.
#include "export/export_fixture.h"

namespace {

// Sets a canvas cell from its four sub-pixel colours.
void set_cell(int x, int y, int tl, int tr, int bl, int br) {
    canvas.cells[y][x] = static_cast<uint16_t>(tl << 12 | tr << 8 | bl << 4 | br);
}

// The image as emit_colour_image sends it, decoded back to one byte per
// sample pair.
std::vector<unsigned char> colour_image(int x0, int y0, int x1, int y1, const std::string& file) {
    PrintFile out;
    EXPECT_TRUE(print_file_open_path(out, file.c_str()));
    long total = emit_colour_image({x0, y0, x1, y1}, &out);
    EXPECT_TRUE(print_file_close(out));
    std::string data = ExportTest::read_file(file);
    EXPECT_EQ(total, static_cast<long>(data.size()));
    EXPECT_EQ(total, emit_colour_image({x0, y0, x1, y1}, nullptr));
    return rle_decode(data, nullptr);
}

}  // namespace

TEST(ImageGeometry, WidthIsPaddedToAMultipleOfEight) {
    EXPECT_EQ(image_width(10, 10), 8);
    EXPECT_EQ(image_width(10, 11), 8);
    EXPECT_EQ(image_width(10, 17), 8);
    EXPECT_EQ(image_width(10, 18), 16);
    EXPECT_EQ(image_width(0, 630), 632);
    EXPECT_EQ(image_rows(0, 400), 401);
    EXPECT_EQ(image_rows(7, 7), 1);
}

TEST_F(ExportTest, SamplesRecolourStripsAndWhitenBackgroundAndPadding) {
    const int background = scheme_colour(ROLE_BACKGROUND);
    const int strip = scheme_colour(ROLE_STRIP);
    const int object = scheme_colour(ROLE_OBJECT);
    const int cut = scheme_colour(ROLE_CUT);
    EXPECT_EQ(colour_sample(5, 10, background), 15);
    EXPECT_EQ(colour_sample(5, 10, strip), object);
    EXPECT_EQ(colour_sample(5, 10, cut), cut);
    EXPECT_EQ(colour_sample(11, 10, cut), 15);  // padding
    EXPECT_EQ(mono_sample(5, 10, background), 1);
    EXPECT_EQ(mono_sample(5, 10, strip), 0);
    EXPECT_EQ(mono_sample(5, 10, 15), 0);  // only the background is white
    EXPECT_EQ(mono_sample(11, 10, 0), 1);
}

TEST_F(ExportTest, ColourImageCarriesTwoByTwoSamplesTopFirstWithWhitePadding) {
    // A rectangle of two columns and two rows: width 8, six padding columns.
    for (int y = 20; y <= 21; ++y)
        for (int x = 30; x <= 40; ++x) set_cell(x, y, 0, 0, 0, 0);
    set_cell(30, 20, 1, 2, 3, 4);
    set_cell(31, 20, 5, 6, 7, 8);
    set_cell(30, 21, scheme_colour(ROLE_STRIP), scheme_colour(ROLE_BACKGROUND), 9, 10);
    set_cell(31, 21, 11, 13, 0, 15);
    std::vector<unsigned char> image = colour_image(30, 20, 31, 21, path("img.bin"));
    ASSERT_EQ(image.size(), 2u * 2u * 8u);  // 2 rows x 2 lines x 8 pairs
    // Row 20, upper line, then lower line; beyond x1 every pair is white.
    EXPECT_EQ(image[0], 0x12);
    EXPECT_EQ(image[1], 0x56);
    for (int i = 2; i < 8; ++i) EXPECT_EQ(image[i], 0xFF) << i;
    EXPECT_EQ(image[8], 0x34);
    EXPECT_EQ(image[9], 0x78);
    for (int i = 10; i < 16; ++i) EXPECT_EQ(image[i], 0xFF) << i;
    // Row 21: the strip prints in the object colour, the background white.
    EXPECT_EQ(image[16], (scheme_colour(ROLE_OBJECT) << 4) | 15);
    EXPECT_EQ(image[17], 0xBD);
    EXPECT_EQ(image[24], 0x9A);
    EXPECT_EQ(image[25], 0x0F);
    for (int i = 26; i < 32; ++i) EXPECT_EQ(image[i], 0xFF) << i;
}

TEST_F(ExportTest, MonoImagePacksFourPixelsPerByteWithWhitePadding) {
    const int bg = scheme_colour(ROLE_BACKGROUND);
    for (int x = 50; x <= 60; ++x) set_cell(x, 5, bg, bg, bg, bg);
    set_cell(50, 5, 0, bg, bg, 0);   // upper: black white, lower: white black
    set_cell(51, 5, bg, 0, 0, 0);
    set_cell(52, 5, 0, 0, bg, bg);
    PrintFile out;
    ASSERT_TRUE(print_file_open_path(out, path("mono.bin").c_str()));
    emit_mono_image({50, 5, 52, 5}, out);
    ASSERT_TRUE(print_file_close(out));
    std::string data = read_file(path("mono.bin"));
    ASSERT_EQ(data.size(), 4u);  // 16 samples per line, two lines
    // Upper line: 01 10 00 11 | 11 11 11 11 (x = 53 is padding white).
    EXPECT_EQ(static_cast<unsigned char>(data[0]), 0b01100011);
    EXPECT_EQ(static_cast<unsigned char>(data[1]), 0xFF);
    // Lower line: 10 00 11 11 | 11 11 11 11.
    EXPECT_EQ(static_cast<unsigned char>(data[2]), 0b10001111);
    EXPECT_EQ(static_cast<unsigned char>(data[3]), 0xFF);
}

TEST_F(ExportTest, ColourImageOfRandomCellsMatchesTheSamplesOneByOne) {
    unsigned seed = 99;
    for (int y = 0; y < CANVAS_HEIGHT; ++y) {
        for (int x = 0; x < CANVAS_WIDTH; ++x) {
            seed = seed * 1103515245u + 12345u;
            // Mostly runs of one cell, with every colour now and then.
            canvas.cells[y][x] = (seed >> 28) < 3 ? static_cast<uint16_t>(seed >> 8)
                                 : x > 0          ? canvas.cells[y][x - 1]
                                                  : 0xEEEE;
        }
    }
    const int rects[][4] = {{0, 0, 630, 400}, {13, 7, 14, 9}, {100, 50, 357, 51}, {625, 390, 639, 479}};
    for (const auto& r : rects) {
        const int width = image_width(r[0], r[2]);
        const int rows = image_rows(r[1], r[3]);
        std::vector<unsigned char> image = colour_image(r[0], r[1], r[2], r[3], path("random.bin"));
        ASSERT_EQ(image.size(), static_cast<size_t>(2 * width * rows));
        size_t k = 0;
        for (int y = r[1]; y < r[1] + rows; ++y) {
            for (int half = 0; half < 2; ++half) {
                for (int x = r[0]; x < r[0] + width; ++x, ++k) {
                    unsigned cell = read_cell(x, y);
                    int left = (cell >> (half ? 4 : 12)) & 15;
                    int right = (cell >> (half ? 0 : 8)) & 15;
                    int want = colour_sample(x, r[2], left) << 4 | colour_sample(x, r[2], right);
                    ASSERT_EQ(image[k], want) << x << "," << y << " half " << half;
                }
            }
        }
    }
}
