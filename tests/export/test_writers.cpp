// Tests of the PostScript and PDF writers.
#include <cstdlib>
#include <cstring>

#include "export/export.h"
#include "export/export_fixture.h"
#include "support/test_files.h"

namespace {

int number_after(const std::string& text, const std::string& key) {
    size_t at = text.find(key);
    if (at == std::string::npos) return -1;
    return std::atoi(text.c_str() + at + key.size());
}

}  // namespace

class WriterTest : public ExportTest {
protected:
    // Runs a writer through its file dialog into name; returns its result.
    int run_writer(int (*writer)(const Rect&), const std::string& name, int x0, int y0,
                   int x1, int y1) {
        headless_answer_file(path(name).c_str());
        return writer({x0, y0, x1, y1});
    }

    void small_board() {
        add_wire("WIRE", 0, 100, 100, 100, 150);
        add_wire("RES", 0, 120, 100, 120, 150);
        add_component("DIL8", 0, 200, 200);
        add_cut(105, 100);
        draw_at_zoom_20();
    }

    // Checks a PDF's structure: every cross-reference offset points at its
    // object, startxref at the table, both image lengths hold, and the
    // decoded image has 2 x width by 2 x rows samples.
    void check_pdf(const std::string& pdf, int width, int rows) {
        const PdfPosition& position = export_state.pdf;
        for (int object = 1; object <= 6; ++object) {
            EXPECT_EQ(position.object_offset[object], position.actual_offset[object]) << object;
            std::string head = std::to_string(object) + " 0 obj ";
            EXPECT_EQ(pdf.compare(position.actual_offset[object], head.size(), head), 0) << object;
        }
        EXPECT_EQ(position.xref_offset, position.actual_xref_offset);
        EXPECT_EQ(position.position, static_cast<long>(pdf.size()) - 10 -
                                         static_cast<long>(std::to_string(position.xref_offset).size()) -
                                         7);
        size_t xref = pdf.find("xref 0 7\n");
        ASSERT_NE(xref, std::string::npos);
        EXPECT_EQ(static_cast<long>(xref), position.actual_xref_offset);
        EXPECT_EQ(number_after(pdf, "startxref\n"), static_cast<int>(xref));
        for (int object = 1; object <= 6; ++object) {
            char line[32];
            std::snprintf(line, sizeof line, "%010ld 00000 n \n", position.actual_offset[object]);
            EXPECT_EQ(pdf.compare(xref + 29 + 20 * (object - 1), 20, line), 0) << object;
        }
        EXPECT_EQ(pdf.substr(pdf.size() - 6), "%%EOF\n");

        size_t data = pdf.find("/BitsPerComponent 4>> stream\n");
        ASSERT_NE(data, std::string::npos);
        data += std::strlen("/BitsPerComponent 4>> stream\n");
        size_t end = pdf.find("endstream endobj\nxref", data);
        ASSERT_NE(end, std::string::npos);
        EXPECT_EQ(number_after(pdf, "/Subtype /Image /Length "), static_cast<int>(end - data));
        size_t consumed = 0;
        std::vector<unsigned char> image = rle_decode(pdf.substr(data, end - data), &consumed);
        EXPECT_EQ(consumed, end - data - 1);  // the line feed follows the end byte
        EXPECT_EQ(image.size(), static_cast<size_t>(2 * width * rows));
    }
};

TEST_F(WriterTest, PostScriptLevel1SmallAndWholeBoard) {
    small_board();
    ASSERT_EQ(run_writer(write_ps_level1, "small.ps", 100, 100, 101, 101), 0);
    std::string ps = read_file(path("small.ps"));
    const std::string header =
        "%!PS-Adobe-3.0\n{100 690.560000 translate 5.760000 1.440000 scale\n"
        " 16 4 1 [16 0 0 -4 0 4] currentfile image} exec\n";
    ASSERT_EQ(ps.compare(0, header.size(), header), 0) << ps.substr(0, header.size());
    // 4 lines of 16 one-bit samples, then the page is shown.
    EXPECT_EQ(ps.size(), header.size() + 8 + 10);
    EXPECT_EQ(ps.substr(ps.size() - 10), "\nshowpage\n");

    ASSERT_EQ(run_writer(write_ps_level1, "board.ps", 0, 0, 630, 400), 0);
    ps = read_file(path("board.ps"));
    const std::string whole =
        "%!PS-Adobe-3.0\n{100 403.280000 translate 455.040000 288.720000 scale\n"
        " 1264 802 1 [1264 0 0 -802 0 802] currentfile image} exec\n";
    ASSERT_EQ(ps.compare(0, whole.size(), whole), 0) << ps.substr(0, whole.size());
    EXPECT_EQ(ps.size(), whole.size() + 1264 / 8 * 802 + 10);
}

TEST_F(WriterTest, PostScriptLevel2SmallAndWholeBoard) {
    small_board();
    const std::string fixed =
        "%!PS-Adobe-3.0\n%%LanguageLevel: 2\n[ /Indexed /DeviceRGB 15\n"
        " <000000 0000FF 00FF00 007F7F FF0000 7F007F 7F7F00 A6A6A6\n"
        "  535353 7F7FFF 7FFF7F 00FFFF FF7F7F FF7FFF FFFF00 FFFFFF >\n"
        "] setcolorspace\n";
    const std::string tail = "/DataSource currentfile\n/RunLengthDecode filter\n>>\nimage\n";
    ASSERT_EQ(tail.size(), 57u);

    ASSERT_EQ(run_writer(write_ps_level2, "small.ps", 100, 100, 101, 101), 0);
    std::string header = fixed +
                         "100 691 translate\n   5.8    1.4 scale\n<<\n/ImageType 1\n"
                         "/Width 16\n/Height 4\n/BitsPerComponent 4\n"
                         "/Decode [0 15]\n/ImageMatrix [16 0 0 -4 0 4]\n" + tail;
    std::string ps = read_file(path("small.ps"));
    ASSERT_EQ(ps.compare(0, header.size(), header), 0) << ps.substr(0, header.size());
    size_t consumed = 0;
    EXPECT_EQ(rle_decode(ps.substr(header.size()), &consumed).size(), 2u * 8u * 2u);
    EXPECT_EQ(ps.substr(header.size() + consumed), "\nshowpage\n");

    ASSERT_EQ(run_writer(write_ps_level2, "board.ps", 0, 0, 630, 400), 0);
    header = fixed +
             "100 403 translate\n 455.0  288.7 scale\n<<\n/ImageType 1\n"
             "/Width 1264\n/Height 802\n/BitsPerComponent 4\n"
             "/Decode [0 15]\n/ImageMatrix [1264 0 0 -802 0 802]\n" + tail;
    ps = read_file(path("board.ps"));
    ASSERT_EQ(ps.compare(0, header.size(), header), 0) << ps.substr(0, header.size());
    EXPECT_EQ(rle_decode(ps.substr(header.size()), &consumed).size(), 632u * 401u * 2u);
    EXPECT_EQ(ps.substr(header.size() + consumed), "\nshowpage\n");
}

TEST_F(WriterTest, PdfSmallAndWholeBoard) {
    small_board();
    ASSERT_EQ(run_writer(write_pdf, "small.pdf", 100, 100, 101, 101), 0);
    std::string pdf = read_file(path("small.pdf"));
    const std::string head =
        "%PDF-1.2\n%\xC7\xEC\x8F\xA2\n"
        "1 0 obj <</Type /Catalog /Pages 2 0 R>> endobj\n"
        "2 0 obj <</Type /Pages /Kids [3 0 R] /Count 1>> endobj\n"
        "3 0 obj <</Type /Page /MediaBox [0 0 612 792] /Parent 2 0 R /Resources\n"
        "<</ProcSet [/PDF /ImageB] /XObject <</R6 6 0 R>> >> /Contents 4 0 R>> endobj\n"
        "4 0 obj <</Length 40>> stream\n q    5.8 0 0    1.4 100 691 cm /R6 Do Qendstream endobj\n"
        "5 0 obj <</Producer (Cuprolay)>> endobj\n"
        "6 0 obj <</Type /XObject /Name /R6 /Subtype /Image /Length ";
    ASSERT_EQ(pdf.compare(0, head.size(), head), 0) << pdf.substr(0, head.size());
    const std::string image_head =
        " /Filter /RunLengthDecode \n/ColorSpace [ /Indexed /DeviceRGB 15\n"
        " <000000 0000FF 00FF00 007F7F FF0000 7F007F 7F7F00 A6A6A6\n"
        "  535353 7F7FFF 7FFF7F 00FFFF FF7F7F FF7FFF FFFF00 FFFFFF >\n"
        "] /Width \n  16 /Height    4 /BitsPerComponent 4>> stream\n";
    EXPECT_EQ(pdf.compare(head.size() + 6, image_head.size(), image_head), 0);
    EXPECT_EQ(export_state.pdf.object_offset[1], 15);
    EXPECT_EQ(export_state.pdf.object_offset[2], 62);
    EXPECT_EQ(export_state.pdf.object_offset[3], 117);
    EXPECT_EQ(export_state.pdf.object_offset[4], 265);
    EXPECT_EQ(export_state.pdf.object_offset[5], 352);
    EXPECT_EQ(export_state.pdf.object_offset[6], 392);
    check_pdf(pdf, 8, 2);

    ASSERT_EQ(run_writer(write_pdf, "board.pdf", 0, 0, 630, 400), 0);
    pdf = read_file(path("board.pdf"));
    EXPECT_NE(pdf.find(" q  455.0 0 0  288.7 100 403 cm /R6 Do Qendstream"), std::string::npos);
    EXPECT_NE(pdf.find("] /Width \n1264 /Height  802 /BitsPerComponent 4"), std::string::npos);
    check_pdf(pdf, 632, 401);

    // Four hundred rows at scale 1: the height 288.0 and the offset 404.
    ASSERT_EQ(run_writer(write_pdf, "rows400.pdf", 0, 0, 630, 399), 0);
    EXPECT_NE(read_file(path("rows400.pdf")).find(" q  455.0 0 0  288.0 100 404 cm /R6 Do Q"),
              std::string::npos);
}

TEST_F(WriterTest, PdfOffsetsHoldForManyRectanglesAndScales) {
    dense_board();
    draw_at_zoom_20();
    const int rectangles[][4] = {
        {0, 0, 0, 0},     {0, 0, 630, 400}, {10, 10, 620, 390}, {630, 400, 630, 400},
        {0, 0, 7, 0},     {0, 0, 8, 400},   {100, 100, 300, 200}, {5, 395, 625, 400},
        {313, 17, 319, 399}, {0, 250, 630, 251}, {42, 7, 555, 333}, {600, 0, 630, 10},
    };
    const char* scales[] = {"0.5", "1", "1.37", "2", "5", "0", "nan", "0.999", "1.95"};
    int run = 0;
    for (const auto& r : rectangles) {
        for (const char* h : scales) {
            const char* v = scales[(run * 7 + 3) % 9];
            ++run;
            export_settings.export_hscale = std::strtof(h, nullptr);
            export_settings.export_vscale = std::strtof(v, nullptr);
            ASSERT_EQ(run_writer(write_pdf, "many.pdf", r[0], r[1], r[2], r[3]), 0);
            SCOPED_TRACE(std::to_string(r[0]) + "," + std::to_string(r[1]) + "," +
                         std::to_string(r[2]) + "," + std::to_string(r[3]) + " " + h + " " + v);
            check_pdf(read_file(path("many.pdf")), image_width(r[0], r[2]), image_rows(r[1], r[3]));
        }
    }
    // The longest image the canvas can give: no two neighbouring sample
    // pairs alike, so the encoder never finds a run.
    for (int y = 0; y < CANVAS_HEIGHT; ++y)
        for (int x = 0; x < CANVAS_WIDTH; ++x) canvas.cells[y][x] = ((x + y) & 1) ? 0x1234 : 0x5678;
    export_settings.export_hscale = export_settings.export_vscale = 2.0f;
    ASSERT_EQ(run_writer(write_pdf, "longest.pdf", 0, 0, 630, 400), 0);
    check_pdf(read_file(path("longest.pdf")), 632, 401);
    EXPECT_GT(number_after(read_file(path("longest.pdf")), "/Subtype /Image /Length "), 750000);
}

TEST_F(WriterTest, ScalesAreClampedAndStoredBack) {
    small_board();
    headless_answer_export('D', "5", "0", false);
    headless_answer_file(path("clamped.pdf").c_str());
    ASSERT_EQ(export_board({100, 100, 101, 101}), 0);
    EXPECT_EQ(export_settings.export_hscale, 2.0f);
    EXPECT_EQ(export_settings.export_vscale, 0.5f);
    EXPECT_NE(read_file(path("clamped.pdf")).find(" q   11.5 0 0    0.7 100 691 cm"),
              std::string::npos);

    headless_answer_export('Q', "nan", "1.25", false);
    headless_answer_file(path("nan.ps").c_str());
    ASSERT_EQ(export_board({100, 100, 101, 101}), 0);
    EXPECT_EQ(export_settings.export_hscale, 0.5f);
    EXPECT_EQ(export_settings.export_vscale, 1.25f);
    // The next dialog starts from the clamped values, formatted with "%.2f".
    static std::string shown;
    PlatformBackend spy = *platform;
    spy.export_dialog = [](ExportDialogFields* fields, void (*)(char)) {
        shown = std::string(fields->hscale_text) + " " + fields->vscale_text;
        return 1;
    };
    set_platform(&spy);
    EXPECT_NE(export_board({100, 100, 101, 101}), 0);
    headless_install();
    EXPECT_EQ(shown, "0.50 1.25");
}

TEST_F(WriterTest, ExportSwitchesToZoom20AndBackAndCancelTouchesNothing) {
    add_wire("RES", 0, 120, 100, 120, 150);
    canvas.zoom = 10;
    deselect_and_redraw();
    CanvasSnapshot before = take_canvas_snapshot();

    headless_answer_export('D', "1", "1", true);
    EXPECT_NE(export_board({0, 0, 630, 400}), 0);
    EXPECT_EQ(canvas.zoom, 10);
    EXPECT_TRUE(take_canvas_snapshot() == before);

    // The rectangle comes in any corner order. Afterwards the cells are the
    // zoom 10 board again (the framebuffer beyond the zoom 10 area keeps
    // the doubled picture, which the window at zoom 10 does not show).
    headless_answer_export('D', "1", "1", false);
    headless_answer_file(path("zoom.pdf").c_str());
    EXPECT_EQ(export_board({630, 400, 0, 0}), 0);
    EXPECT_EQ(canvas.zoom, 10);
    EXPECT_TRUE(take_canvas_snapshot().cells == before.cells);
    EXPECT_NE(read_file(path("zoom.pdf")).find("/Width \n1264 /Height  802"), std::string::npos);
}

TEST_F(WriterTest, FrameIsInvertedIntoAWholeBoardPrintAndTakenBackAfterwards) {
    draw_at_zoom_20();
    CanvasSnapshot before = take_canvas_snapshot();
    ASSERT_EQ(run_writer(write_ps_level2, "frame.ps", 0, 0, 630, 400), 0);
    EXPECT_TRUE(take_canvas_snapshot() == before);
    std::string ps = read_file(path("frame.ps"));
    size_t header = ps.find("image\n") + 6;
    std::vector<unsigned char> image = rle_decode(ps.substr(header), nullptr);
    ASSERT_EQ(image.size(), 632u * 401u * 2u);
    // The top line is the inverted background (14 becomes 1) all along the
    // board; the first pair of the second canvas row is the frame's left
    // side, the one after it is board.
    EXPECT_EQ(image[3], 0x11);
    EXPECT_EQ(image[313], 0x11);
    EXPECT_EQ(image[1264 + 0], 0x11);
    EXPECT_EQ(image[2 * 632 * 2 + 0], 0x11);
    EXPECT_EQ(image[2 * 632 * 2 + 40], 0xFF);  // background prints white
    EXPECT_EQ(image[1264 + 630], 0x11);        // x = 630, the right side
    EXPECT_EQ(image[2 * 632 * 2 + 630], 0x11);
    EXPECT_EQ(image[2 * 632 * 2 + 631], 0xFF);  // padding
}

TEST_F(WriterTest, NoFileIsReportedByEveryWriter) {
    draw_at_zoom_20();
    for (auto writer : {write_pdf, write_ps_level1, write_ps_level2}) {
        CanvasSnapshot before = take_canvas_snapshot();
        headless_answer_file(nullptr);
        EXPECT_EQ(writer({0, 0, 630, 400}), 1);
        EXPECT_TRUE(take_canvas_snapshot() == before);
    }
    std::string shown = transcript();
    size_t count = 0;
    for (size_t at = 0; (at = shown.find("Couldn't open file for printing", at)) != std::string::npos;
         ++at)
        ++count;
    EXPECT_EQ(count, 3u) << shown;
}

TEST_F(WriterTest, WriteErrorsAreReportedAndLeaveNoPartialFile) {
    draw_at_zoom_20();
    if (const char* missing = full_device_missing()) GTEST_SKIP() << missing;
    // A device that takes no bytes: reported, and the device stays.
    for (auto writer : {write_pdf, write_ps_level1, write_ps_level2}) {
        headless_answer_file("/dev/full");
        EXPECT_EQ(writer({0, 0, 630, 400}), 1);
    }
    EXPECT_TRUE(exists("/dev/full"));
    std::string shown = transcript();
    EXPECT_NE(shown.find("Error"), std::string::npos);
    EXPECT_NE(shown.find("Couldn't write /dev/full"), std::string::npos) << shown;

    // An ordinary file that cannot grow past 4000 bytes: the cut file goes.
    int pdf, ps1, ps2;
    {
        FileSizeLimit limit(4000);
        if (!limit.active()) GTEST_SKIP() << FileSizeLimit::why_not();
        pdf = run_writer(write_pdf, "cut.pdf", 0, 0, 630, 400);
        ps1 = run_writer(write_ps_level1, "cut1.ps", 0, 0, 630, 400);
        ps2 = run_writer(write_ps_level2, "cut2.ps", 0, 0, 630, 400);
    }
    EXPECT_EQ(pdf, 1);
    EXPECT_EQ(ps1, 1);
    EXPECT_EQ(ps2, 1);
    EXPECT_FALSE(exists(path("cut.pdf")));
    EXPECT_FALSE(exists(path("cut1.ps")));
    EXPECT_FALSE(exists(path("cut2.ps")));
    EXPECT_NE(transcript().find("Couldn't write " + path("cut.pdf")), std::string::npos);
}
