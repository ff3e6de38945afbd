// Edits that once left pixels the board does not have: after each, the
// window must equal a fresh redraw of the same board.
#include "editor/command_steps.h"
#include "export/writers.h"
#include "screen_fixture.h"
#include "support/test_files.h"

namespace {

using ScreenAfterEdits = ScreenTest;

const char* const VERSION_LINE = "VERSION 1.000 Cuprolay generated data\n";

std::string board_text(const std::string& lines) { return VERSION_LINE + lines; }

}  // namespace

// Every way of deleting: the key (and its ctrl-D, backspace and menu
// forms), a region delete, and undoing the step that made the object.
TEST_F(ScreenAfterEdits, DeletedObjectsLeaveNoSolderPointsOrStrips) {
    const char* const drawn_wire = "move 420 360\ndown left\nmove 480 360\nup left\n";
    const char* const placed_npn = "rclick 300 200\nanswer npn\n";
    const char* const deletions[] = {"key delete\n", "key ^D\n", "key backspace\n", "menu 255\n"};
    for (const char* made : {drawn_wire, placed_npn}) {
        for (const char* deletion : deletions) {
            restart();
            // Neighbours on both sides, so a strip ran through each end.
            load(board_text("WIRE 0 80 72 80 72 \nWIRE 0 100 72 100 72 \nWIRE 0 56 40 56 40 \n"));
            const std::string select = made == drawn_wire ? "click 420 360\n" : "";
            run(std::string(made) + select + deletion);
            EXPECT_TRUE(screen_is_board()) << made << deletion;
        }
    }
    restart();
    run(std::string(drawn_wire) + placed_npn + "ctrl down\nmove 250 150\ndown left\n"
        "move 500 380\nup left\nctrl up\nkey delete\n");
    EXPECT_EQ(board.wire_list, nullptr);
    EXPECT_EQ(board.component_list, nullptr);
    EXPECT_TRUE(screen_is_board()) << "region delete";
    run(std::string(drawn_wire) + "key u\n");
    EXPECT_TRUE(screen_is_board()) << "undo";
}

// Strips lie under bodies: a strip made by a new solder point or by taking
// a cut out runs under the wire that crosses it, not over it.
TEST_F(ScreenAfterEdits, NewStripsRunUnderTheWiresThatCrossThem) {
    load(board_text("WIRE 0 20 20 20 20 \nWIRE 0 24 10 24 30 \n"));
    run("click 140 100\n");
    run("rclick 600 10\nanswer-cancel\n");  // deselects without a redraw
    EXPECT_TRUE(screen_is_board()) << "new solder point";

    restart();
    load(board_text("WIRE 0 44 50 44 50 \nWIRE 0 52 50 52 50 \nWIRE 0 48 46 48 54 \n"));
    run("click 235 250\nclick 235 250\n");
    EXPECT_TRUE(screen_is_board()) << "cut put in and taken out";

    // The same under a component's body, which a new pin's strip crosses.
    restart();
    load(board_text("WIRE 0 20 60 20 60 \nWIRE 0 22 56 22 64 \n"));
    run("rclick 130 300\nanswer dil8\nrclick 600 10\nanswer-cancel\n");
    ASSERT_NE(board.component_list, nullptr);
    EXPECT_TRUE(screen_is_board()) << "new component";
}

// A partial redraw redraws every strip that crosses it, also the strips
// that end on the outermost columns, on either side of a new cut.
TEST_F(ScreenAfterEdits, StripsEndingOnTheEdgeColumnsSurviveANearbyCut) {
    for (int zoom : {10, 20}) {
        for (const char* edge : {"WIRE 0 0 20 0 20 \nWIRE 0 4 20 4 20 \nWIRE 0 8 20 8 20 \n",
                                 "WIRE 0 118 20 118 20 \nWIRE 0 122 20 122 20 \nWIRE 0 126 20 126 20 \n"}) {
            restart();
            if (zoom == 20) run("key z\n");
            load(board_text(edge));
            run(edge[7] == '0' ? "click 25 100\n" : "click 605 100\n");
            EXPECT_TRUE(screen_is_board()) << edge << " zoom " << zoom;
        }
    }
}

// A new description is drawn where the selection marker lies; the marker
// must come off with the rest of the highlight, not half of it.
TEST_F(ScreenAfterEdits, EditingADescriptionLeavesNoMarkerTrace) {
    run("rclick 100 100\nanswer npn\nkey t\nanswer Q1\n");
    EXPECT_TRUE(screen_is_board()) << "component";
    restart();
    load(board_text("WIRE 0 4 10 4 20 * 22 52 AB\n"));
    run("click 20 50\nkey t\nanswer CD\n");
    EXPECT_TRUE(screen_is_board()) << "wire";
    // A longer and then an emptied description, both sides of the marker.
    run("click 20 50\nkey t\nanswer LONGER TEXT\nclick 20 50\nkey t\nanswer\n");
    EXPECT_TRUE(screen_is_board()) << "wire, longer then empty";
}

namespace {

std::string file_bytes(const std::string& path) {
    std::string bytes;
    if (FILE* f = std::fopen(path.c_str(), "rb")) {
        int c;
        while ((c = std::fgetc(f)) != EOF) bytes.push_back(static_cast<char>(c));
        std::fclose(f);
    }
    return bytes;
}

// The rectangle written straight from a fresh redraw at zoom 20, with or
// without the inverted frame at its border.
std::string reference_print(int x0, int y0, int x1, int y1, bool framed) {
    const std::string directory = make_temp_directory("cuprolay_reference");
    const std::string path = directory + "/reference.ps";
    const int former_zoom = canvas.zoom;
    canvas.zoom = 20;
    deselect_and_redraw();
    if (framed) draw_print_frame({x0, y0, x1, y1});
    PrintFile file;
    if (!print_file_open_path(file, path.c_str())) return "";
    write_ps_level2_body(file, {x0, y0, x1, y1});
    print_file_close(file);
    if (framed) draw_print_frame({x0, y0, x1, y1});
    canvas.zoom = former_zoom;
    clear_framebuffer_outside({0, 0, 630, 400});
    deselect_and_redraw();
    std::string bytes = file_bytes(path);
    remove_tree(directory);
    return bytes;
}

}  // namespace

// A region print shows the board inside the region and no outline; a
// whole-board print shows the inverted frame at its rectangle's border.
TEST_F(ScreenAfterEdits, ARegionPrintShowsNoOutlineAndABoardPrintItsFrame) {
    const std::string directory = make_temp_directory("cuprolay_region");
    const std::string printed = directory + "/region.ps";
    for (int zoom : {10, 20}) {
        restart();
        if (zoom == 20) run("key z\n");
        load(board_text("RES 0 20 20 20 30 \nWIRE 0 10 24 40 24 \nCUT 45 40\n"));
        std::remove(printed.c_str());
        run("ctrl down\nmove 60 70\ndown left\nmove 230 170\nup left\nctrl up\nkey p\nexport Q 1 1\nfile " +
            printed + "\n");
        EXPECT_TRUE(screen_is_board()) << "zoom " << zoom;
        EXPECT_TRUE(file_bytes(printed) == reference_print(60, 70, 230, 170, false)) << "region, zoom " << zoom;
        std::remove(printed.c_str());
        run("key p\nexport Q 1 1\nfile " + printed + "\n");
        const Rect area = print_area();
        EXPECT_TRUE(file_bytes(printed) == reference_print(area.x0, area.y0, area.x1, area.y1, true)) << "board";
        std::remove(printed.c_str());
    }
    remove_tree(directory);
}
