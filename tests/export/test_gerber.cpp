// Tests of the Gerber and Excellon files.
#include "board/grid.h"
#include "export/export.h"
#include "export/export_fixture.h"

namespace {

const char* const EXTENSIONS[6] = {".ctr", ".smb", ".sst", ".bot", ".top", ".drd"};

bool contains(const std::string& text, const std::string& piece) {
    return text.find(piece) != std::string::npos;
}

}  // namespace

class GerberTest : public ExportTest {
protected:
    // Answers the six file prompts with base + extension (or declines them)
    // and the closing question, then writes the set.
    int write_set(int x0, int y0, int x1, int y1, bool decline = false) {
        for (const char* extension : EXTENSIONS) {
            headless_answer_file(decline ? nullptr : (path("set") + extension).c_str());
        }
        headless_answer_ask("");
        return write_gerber_set({x0, y0, x1, y1});
    }
    std::string layer(const char* extension) { return read_file(path("set") + extension); }
};

TEST_F(GerberTest, SmallRectangleGivesTheSixFiles) {
    add_wire("RES", 0, 120, 150, 120, 180);        // typed: holes but no copper
    add_wire("WIRE", 0, 200, 110, 200, 190);       // plain vertical
    add_wire("WIRE", 0, 150, 120, 250, 120);       // plain horizontal
    add_bridge(120, 155);                          // cell row 31, column 24
    draw_at_zoom_20();
    ASSERT_EQ(write_set(100, 100, 300, 200), 0);

    EXPECT_EQ(layer(".ctr"),
              "G04 Contour layer*\n%MOIN*%\n%FSLAX22Y22*%\n%ADD10R,0.01X0.01*%\nG54D10*\n"
              "X0Y100D02*\nX0Y0D01*\nX0Y0D02*\nX200Y0D01*\n"
              "X200Y0D02*\nX200Y100D01*\nX200Y100D02*\nX0Y100D01*\nM02*\n");

    // Rows top down: the vertical wire's upper end, the horizontal wire's
    // ends, the resistor, the vertical wire's lower end.
    const std::string pads = "X100Y90D03*\nX50Y80D03*\nX150Y80D03*\n"
                             "X20Y50D03*\nX20Y20D03*\nX100Y10D03*\n";
    EXPECT_EQ(layer(".smb"),
              "G04 Solder mask layer*\n%MOIN*%\n%FSLAX22Y22*%\n"
              "%ADD10R,0.04X0.04*%\n%ADD11R,0.07X0.07X0.04*%\nG54D11*\n" + pads + "M02*\n");

    const std::string copper_head = "%MOIN*%\n%FSLAX22Y22*%\n%ADD10R,0.04X0.04*%\n"
                                    "%ADD11R,0.07X0.07X0.04*%\nG54D10*\n";
    const std::string bottom = layer(".bot");
    EXPECT_EQ(bottom,
              "G04 Bottom copper layer*\n" + copper_head +
                  // A lone hole, the strip between the horizontal wire's ends.
                  "X100Y90D02*\nX100Y90D01*\n"
                  "X50Y80D02*\nX150Y80D01*\n"
                  "X20Y50D02*\nX20Y50D01*\n"
                  "X20Y20D02*\nX20Y20D01*\n"
                  "X100Y10D02*\nX100Y10D01*\n"
                  "X20Y50D02*\nX20Y40D01*\n"  // the bridge
                  "G54D11*\n" + pads + "M02*\n");

    // Only the plain wires, one unit beyond each end; the resistor is absent.
    EXPECT_EQ(layer(".top"), "G04 Top copper layer*\n" + copper_head +
                                 "X49Y80D02*\nX151Y80D01*\n"
                                 "X100Y91D02*\nX100Y9D01*\n"
                                 "G54D11*\n" + pads + "M02*\n");

    EXPECT_EQ(layer(".drd"), "M48 Drill file\nINCH,TZ\n;FILE_FORMAT=2:2\nT01C0.04\n%\nT01\n"
                             "X100Y90\nX50Y80\nX150Y80\nX20Y50\nX20Y20\nX100Y10\nM30\n");

    const std::string silk = layer(".sst");
    EXPECT_EQ(silk.rfind("G04 Silk screen layer*\n%MOIN*%\n%FSLAX22Y22*%\n%ADD10R,0.01X0.01*%\nG54D10*\n", 0),
              0u);
    EXPECT_EQ(silk.substr(silk.size() - 5), "M02*\n");

    // Titles, extensions and the base name, in order.
    std::string shown = transcript();
    const char* titles[6] = {"Board contour file", "Solder masks (.smt=.smb)", "Silk screen top file",
                             "Bottom copper layer file", "Top copper layer file",
                             "Excellon Drill drawing file"};
    size_t at = 0;
    for (int i = 0; i < 6; ++i) {
        at = shown.find(std::string("file w \"") + titles[i] + "\"", at);
        ASSERT_NE(at, std::string::npos) << titles[i];
        EXPECT_TRUE(contains(shown.substr(at, shown.find('\n', at) - at),
                             std::string("\"") + EXTENSIONS[i] + "\""));
    }
    EXPECT_TRUE(contains(shown, "Continue or admire the result?"));
}

TEST_F(GerberTest, SilkScreenCarriesOutlinesSymbolsAndTextsButNotPlainWires) {
    ASSERT_NE(add_component("DIL8", 0, 200, 200), nullptr);
    add_wire("RES", 0, 500, 100, 500, 150);
    add_wire("WIRE", 0, 100, 350, 200, 350);
    add_text(400, 300, "AB");
    draw_at_zoom_20();
    CanvasSnapshot before = take_canvas_snapshot();
    PrintFile file;
    ASSERT_TRUE(print_file_open_path(file, path("silk.sst").c_str()));
    write_gerber_silk_screen(&file, {0, 0, 630, 400});
    ASSERT_TRUE(print_file_close(file));
    // The picture it scanned is gone again.
    EXPECT_TRUE(take_canvas_snapshot() == before);

    const std::string silk = read_file(path("silk.sst"));
    // The outline's top edge at y = 197, from x = 201 to the notch and on to 229.
    EXPECT_TRUE(contains(silk, "X201Y203D02*\nX212D01*\nX218Y203D02*\nX229D01*\n"));
    // The resistor's lead is a line of single points at x = 500.
    EXPECT_TRUE(contains(silk, "X500Y300D02*\nX500D01*\n"));
    // Text rows lie above the base line at y = 300.
    bool text_seen = false;
    for (int y = 290; y < 300; ++y)
        text_seen |= contains(silk, "Y" + std::to_string(400 - y) + "D02*\nX4");
    EXPECT_TRUE(text_seen);
    // The plain wire at y = 350 is copper, not print.
    EXPECT_FALSE(contains(silk, "Y50D02*"));
}

TEST_F(GerberTest, WholeBoardWithStripsCutsAndALoneSolderPoint) {
    add_wire("WIRE", 0, 0, 0, 0, 0);          // a lone hole at the corner
    add_wire("WIRE", 0, 600, 400, 630, 400);  // a strip along the bottom row
    add_wire("WIRE", 0, 10, 200, 50, 200);
    add_cut(25, 200);                         // the strip from 10 to 50 is cut after 10
    draw_at_zoom_20();
    ASSERT_EQ(write_set(0, 0, 630, 400), 0);
    const std::string bottom = layer(".bot");
    EXPECT_TRUE(contains(bottom, "X0Y400D02*\nX0Y400D01*\n"));     // zero-length track
    EXPECT_TRUE(contains(bottom, "X600Y0D02*\nX630Y0D01*\n"));
    EXPECT_TRUE(contains(bottom, "X10Y200D02*\nX10Y200D01*\n"));   // cut after 10
    EXPECT_TRUE(contains(bottom, "X50Y200D02*\nX50Y200D01*\n"));
    EXPECT_TRUE(contains(layer(".drd"), "X0Y400\n"));
    EXPECT_TRUE(contains(layer(".drd"), "X630Y0\n"));
    EXPECT_TRUE(contains(layer(".top"), "X9Y200D02*\nX51Y200D01*\n"));
    EXPECT_TRUE(contains(layer(".top"), "X0Y401D02*\nX0Y399D01*\n"));
}

TEST_F(GerberTest, DecliningEveryFileStillShowsThePreviewAndAsksUntilConfirmed) {
    add_wire("WIRE", 0, 100, 100, 200, 100);
    draw_at_zoom_20();
    static int asks;
    static uint16_t pad_cell, drill_cell, track_cell, ground_cell;
    asks = 0;
    PlatformBackend spy = *platform;
    spy.ask = [](const char* label, const char*, char*, size_t) {
        EXPECT_STREQ(label, "Continue or admire the result?");
        pad_cell = read_cell(102, 102);
        drill_cell = read_cell(100, 100);
        track_cell = read_cell(150, 101);
        ground_cell = read_cell(605, 305);
        return ++asks < 3 ? 1 : 0;  // cancelled twice, then confirmed
    };
    set_platform(&spy);
    for (int i = 0; i < 6; ++i) headless_answer_file(nullptr);
    EXPECT_EQ(write_gerber_set({50, 50, 250, 150}), 1);
    headless_install();
    EXPECT_EQ(asks, 3);
    EXPECT_EQ(pad_cell, PREVIEW_COPPER_COLOUR * 0x1111);
    EXPECT_EQ(drill_cell, scheme_colour(ROLE_DARK) * 0x1111);
    EXPECT_EQ(track_cell, PREVIEW_COPPER_COLOUR * 0x1111);
    EXPECT_EQ(ground_cell, PREVIEW_GROUND_COLOUR * 0x1111);
    for (const char* extension : EXTENSIONS) EXPECT_FALSE(exists(path("set") + extension));
    // Afterwards the board is the board again.
    EXPECT_EQ(read_cell(605, 305), scheme_colour(ROLE_BACKGROUND) * 0x1111);
}

TEST_F(GerberTest, AFileThatCannotBeWrittenIsReportedAndTheOthersStillCome) {
    if (const char* missing = full_device_missing()) GTEST_SKIP() << missing;
    add_wire("WIRE", 0, 100, 100, 200, 100);
    draw_at_zoom_20();
    for (int i = 0; i < 6; ++i) {
        headless_answer_file(i == 3 ? "/dev/full" : (path("set") + EXTENSIONS[i]).c_str());
    }
    headless_answer_ask("");
    EXPECT_EQ(write_gerber_set({0, 0, 630, 400}), 1);
    EXPECT_TRUE(contains(transcript(), "Couldn't write /dev/full"));
    for (int i = 0; i < 6; ++i) {
        if (i != 3) {
            EXPECT_TRUE(exists(path("set") + EXTENSIONS[i])) << EXTENSIONS[i];
        }
    }
}

TEST_F(GerberTest, ExportBoardReachesTheSetThroughTheDialog) {
    add_wire("WIRE", 0, 100, 100, 200, 100);
    canvas.zoom = 10;
    deselect_and_redraw();
    headless_answer_export('G', "1", "1", false);
    for (const char* extension : EXTENSIONS) headless_answer_file((path("set") + extension).c_str());
    headless_answer_ask("");
    EXPECT_EQ(export_board({0, 0, 630, 400}), 0);
    EXPECT_EQ(canvas.zoom, 10);
    for (const char* extension : EXTENSIONS) EXPECT_TRUE(exists(path("set") + extension));
}
