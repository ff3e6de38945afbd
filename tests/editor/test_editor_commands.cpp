// Tests of the key and menu commands.
#include <cstdio>
#include <cstring>
#include <string>
#include "board/grid.h"
#include "editor/command_steps.h"
#include "editor/commands.h"
#include "editor/gestures.h"
#include "fileio/board_file.h"
#include "session_fixture.h"
#include "support/test_files.h"

namespace {

using CommandTest = SessionTest;

std::string read_file(const std::string& path) {
    std::string text;
    if (FILE* f = std::fopen(path.c_str(), "rb")) {
        int c;
        while ((c = std::fgetc(f)) != EOF) text.push_back(static_cast<char>(c));
        std::fclose(f);
    }
    return text;
}

void write_file(const std::string& path, const char* text) {
    FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fputs(text, f);
    std::fclose(f);
}

std::string temp_dir() {
    return make_temp_directory("cuprolay_editor");
}

TEST_F(CommandTest, PrintAreaSurroundsTheMarkedCellsOnTheBoard) {
    // Nothing marked: the scan's start values, which the exporter orders.
    Rect empty = print_area();
    EXPECT_EQ(empty.x0, 620);
    EXPECT_EQ(empty.y0, 390);
    EXPECT_EQ(empty.x1, 10);
    EXPECT_EQ(empty.y1, 10);

    // One cut at (105, 200): a hole's width around it.
    add_cut(105, 200);
    Rect cut = print_area();
    EXPECT_EQ(cut.x0, 100);
    EXPECT_EQ(cut.y0, 190);
    EXPECT_EQ(cut.x1, 110);
    EXPECT_EQ(cut.y1, 210);

    // Points at the corners of the board: the rectangle stays on it.
    add_wire("WIRE", 0, 0, 0, 630, 0);
    add_wire("WIRE", 0, 630, 400, 630, 400);
    Rect corners = print_area();
    EXPECT_EQ(corners.x0, 0);
    EXPECT_EQ(corners.y0, 0);
    EXPECT_EQ(corners.x1, 630);
    EXPECT_EQ(corners.y1, 400);
}

TEST_F(CommandTest, OnlyComponentsPassTheNameCheck) {
    EXPECT_TRUE(component_name_known("NPN"));
    EXPECT_TRUE(component_name_known("DIL8"));
    EXPECT_EQ(transcript(), "");
    EXPECT_FALSE(component_name_known("RES"));
    EXPECT_FALSE(component_name_known("TEXT"));
    EXPECT_FALSE(component_name_known("VERSION"));
    EXPECT_FALSE(component_name_known("FOO"));
    EXPECT_FALSE(component_name_known(""));
    EXPECT_EQ(transcript(),
              "message \"Error\" \"RES is an unknown component\" -> ok\n"
              "message \"Error\" \"TEXT is an unknown component\" -> ok\n"
              "message \"Error\" \"VERSION is an unknown component\" -> ok\n"
              "message \"Error\" \"FOO is an unknown component\" -> ok\n"
              "message \"Error\" \" is an unknown component\" -> ok\n");
}

TEST_F(CommandTest, QuitAndCloseAskOnlyWhileModified) {
    editor_state.modified = true;
    script("cancel\n");
    editor_close_request();  // Cancel: the editor keeps running
    EXPECT_FALSE(editor_state.quit);
    script("cancel\nok\n");
    dispatch_command('Q');
    EXPECT_FALSE(editor_state.quit);
    EXPECT_TRUE(editor_state.no_checkpoint);
    dispatch_command('Q');
    EXPECT_TRUE(editor_state.quit);
    const std::string question = "message \"Warning\" \"Buffer not saved - really quit?\"";
    EXPECT_EQ(transcript(), question + " -> cancel\n" + question + " -> cancel\n" + question + " -> ok\n");

    const std::string asked = transcript();
    editor_state_reset();
    dispatch_command('Q');
    EXPECT_TRUE(editor_state.quit);
    EXPECT_EQ(transcript(), asked);  // nothing more asked
}

TEST_F(CommandTest, FailedSaveReportsAndKeepsTheModifiedMark) {
    std::strcpy(dialog_state.current_file_name, "/nonexistent-cuprolay-dir/board.cpx");
    editor_state.modified = true;
    dispatch_command(19);
    EXPECT_TRUE(editor_state.modified);
    EXPECT_EQ(transcript(),
              "message \"Error: Couldn't open output file\" \"/nonexistent-cuprolay-dir/board.cpx\" -> ok\n");

    const std::string dir = temp_dir();
    script(("file " + dir + "/missing/board.cpx\n").c_str());
    dispatch_command(23);
    EXPECT_TRUE(editor_state.modified);
    EXPECT_NE(transcript().find("message \"Error: Couldn't open output file:\" \"" + dir +
                                "/missing/board.cpx\" -> ok\n"),
              std::string::npos);
}

TEST_F(CommandTest, SaveAsAsksBeforeReplacingAndKeepsTheFileWhenDeclined) {
    const std::string dir = temp_dir();
    const std::string path = dir + "/board.cpx";
    write_file(path, "old contents\n");
    add_cut(105, 200);
    editor_state.modified = true;

    script(("file " + path + "\ncancel\n").c_str());
    dispatch_command(23);
    EXPECT_EQ(read_file(path), "old contents\n");
    EXPECT_TRUE(editor_state.modified);

    script(("file " + path + "\nok\n").c_str());
    dispatch_command(23);
    EXPECT_FALSE(editor_state.modified);
    EXPECT_NE(read_file(path).find("CUT 21 40\n"), std::string::npos);
    // The chosen name without its extension is offered next time; Save
    // writes the chosen file and keeps the base name without it, so that a
    // print never offers the board's own file.
    EXPECT_EQ(std::string(dialog_state.base_name), dir + "/board");
    EXPECT_EQ(std::string(dialog_state.current_file_name), path);
    add_cut(305, 200);
    editor_state.modified = true;
    dispatch_command(19);
    EXPECT_FALSE(editor_state.modified);
    EXPECT_EQ(std::string(dialog_state.base_name), dir + "/board");
    EXPECT_NE(read_file(path).find("CUT 61 40\n"), std::string::npos);
    EXPECT_NE(transcript().find("message \"File saved:\" \"" + path + "\" -> ok\n"), std::string::npos);
    std::remove(path.c_str());
}

TEST_F(CommandTest, CheckpointColumnOfTheTable) {
    struct Row {
        int code;
        bool no_checkpoint;
    };
    // Codes that cannot change the board skip the next snapshot.
    const Row rows[] = {{12, true}, {27, true}, {'E', true}, {5, true},  {'P', true},
                        {'U', true}, {'Z', true}, {7, true},   {'B', true}, {6, true},
                        {'A', false}, {'H', false}, {13, false}, {'D', false}, {8, false},
                        {300, false}};
    for (const Row& row : rows) {
        editor_state.no_checkpoint = false;
        dispatch_command(row.code);
        EXPECT_EQ(editor_state.no_checkpoint, row.no_checkpoint) << row.code;
        EXPECT_FALSE(editor_state.modified) << row.code;
    }
    EXPECT_EQ(canvas.zoom, 20);
    const std::string text = transcript();
    EXPECT_NE(text.find("help \"About Cuprolay\"\nhelp \"Quick help\"\nhelp \"Quick help\"\n"),
              std::string::npos);  // A, H, and Enter (no topic of its own)
    EXPECT_NE(text.find("export -> cancel\n"), std::string::npos);
    EXPECT_NE(text.find("Continue with GC?"), std::string::npos);
}

TEST_F(CommandTest, ComponentCommandCarriesTheComponentAndItsDescription) {
    pointer_at(100, 100);
    script("answer dil8\nmove 203 198\ndown left\nup left\n");
    dispatch_command('C');
    ComponentRecord* c = board.selected_component;
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->ax, 200);
    EXPECT_EQ(c->ay, 200);
    EXPECT_EQ(c->desc.x, 202);  // moved along with it
    EXPECT_EQ(c->desc.y, 195);
    EXPECT_EQ(cell_get(40, 40), 1);  // its pins are counted
    EXPECT_EQ(cell_get(20, 20), 0);
    EXPECT_TRUE(editor_state.modified);
    EXPECT_EQ(input_state.left_button, 0);  // it waited for the release
}

TEST_F(CommandTest, WireDescriptionKeepsItsCentreAndLeavesNoOldText) {
    WireRecord* w = add_wire("WIRE", 0, 100, 100, 200, 100);
    ASSERT_NE(w, nullptr);
    describe_wire(w, "abcdef");
    const int old_x = w->desc.x;
    board.wire_list = w->next;
    select_wire(w, 100, 100);

    script("answer ab\n");
    dispatch_command('T');
    EXPECT_EQ(w->desc.x, old_x + (24 - 8) / 2);
    EXPECT_EQ(std::string(w->desc.text), "ab");
    EXPECT_EQ(board.selected_wire, nullptr);  // edited objects end unselected
    EXPECT_TRUE(editor_state.modified);
    // What is on the screen is what a full redraw paints.
    CanvasSnapshot shown = take_canvas_snapshot();
    redraw_rect({0, 0, 630, 400});
    EXPECT_TRUE(take_canvas_snapshot() == shown);
}

TEST_F(CommandTest, CancelledPromptsChangeNothing) {
    pointer_at(100, 100);
    script("answer-cancel\nanswer-cancel\n");
    dispatch_command('C');
    dispatch_command('T');
    EXPECT_EQ(board.component_list, nullptr);
    EXPECT_EQ(board.selected_component, nullptr);
    EXPECT_FALSE(editor_state.modified);
}

}  // namespace
