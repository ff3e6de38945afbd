#pragma once
// Whole editor sessions on the headless backend, checked the way a user
// would check them: the window must show what a fresh redraw of the same
// board shows.
#include <cstdio>
#include <cstring>
#include <string>
#include "editor/editor_state.h"
#include "fileio/board_file.h"
#include "session_fixture.h"
#include "support/test_files.h"

class ScreenTest : public SessionTest {
protected:
    // A clean session again, for a test that tries several in a row.
    void restart() {
        TearDown();
        SetUp();
    }

    // Reads a board from its file text, as the command line's board is read.
    static void load(const std::string& text) {
        FILE* file = open_text_stream(text);
        ASSERT_NE(file, nullptr);
        load_board_file(file);
        std::fclose(file);
    }

    // Runs main-loop passes until every line of the script has been taken.
    void run(const std::string& text) {
        script(text.c_str());
        int passes = 0;
        while ((script_state.next < script_state.lines.size() || script_state.click_step != 0) &&
               !editor_state.quit && ++passes < 10000)
            editor_pass();
    }

    static bool nothing_selected() { return board.selected_wire == nullptr && board.selected_component == nullptr; }

    // The canvas against a full redraw of the board it holds; the redraw
    // stays, so a later check starts from a true picture.
    static ::testing::AssertionResult screen_is_board() {
        if (!nothing_selected()) return ::testing::AssertionFailure() << "something is selected";
        const CanvasSnapshot shown = take_canvas_snapshot();
        redraw_rect(0, 0, 630, 400);
        const CanvasSnapshot board_picture = take_canvas_snapshot();
        if (shown == board_picture) return ::testing::AssertionSuccess();
        int count = 0;
        std::string where;
        for (int y = 0; y <= 400; ++y)
            for (int x = 0; x <= 630; ++x) {
                const size_t at = static_cast<size_t>(y) * CANVAS_WIDTH + x;
                if (shown.cells[at] == board_picture.cells[at]) continue;
                if (++count <= 6) where += " (" + std::to_string(x) + "," + std::to_string(y) + ")";
            }
        return ::testing::AssertionFailure() << count << " points differ from a fresh redraw:" << where
                                             << (count == 0 ? " (pixels only)" : "");
    }
};
