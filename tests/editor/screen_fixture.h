#pragma once
// Whole editor sessions on the headless backend, checked the way a user
// would check them: the window must show what a fresh redraw of the same
// board shows.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>
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

    static void copy_canvas(CanvasSnapshot& into) {
        const auto* cells = &canvas.cells[0][0];
        into.cells.assign(cells, cells + CANVAS_WIDTH * CANVAS_HEIGHT);
        const auto* pixels = &canvas.framebuffer[0][0][0];
        into.pixels.assign(pixels, pixels + sizeof canvas.framebuffer);
    }

    static bool nothing_selected() { return board.selected_wire == nullptr && board.selected_component == nullptr; }

    // The canvas against a full redraw of the board it holds, at every
    // board point that ignored (631 x 401, row by row) does not name; the
    // redraw stays, so a later check starts from a true picture.
    static ::testing::AssertionResult screen_is_board(const std::vector<bool>* ignored = nullptr) {
        if (!nothing_selected()) return ::testing::AssertionFailure() << "something is selected";
        // Kept between calls: a property test checks thousands of times.
        static CanvasSnapshot shown, board_picture;
        copy_canvas(shown);
        // A fresh window starts black around the board.
        std::memset(canvas.framebuffer, 0, sizeof canvas.framebuffer);
        redraw_rect({0, 0, 630, 400});
        copy_canvas(board_picture);
        if (shown == board_picture) return ::testing::AssertionSuccess();
        const int z = canvas.zoom / 10;
        int count = 0;
        std::string where;
        for (int y = 0; y <= 400; ++y)
            for (int x = 0; x <= 630; ++x) {
                if (ignored != nullptr && (*ignored)[static_cast<size_t>(y) * 631 + x]) continue;
                bool same = shown.cells[static_cast<size_t>(y) * CANVAS_WIDTH + x] ==
                            board_picture.cells[static_cast<size_t>(y) * CANVAS_WIDTH + x];
                for (int py = z * y; py < z * y + z; ++py)
                    for (int px = z * x; px < z * x + z; ++px) {
                        const size_t at = (static_cast<size_t>(py) * FRAMEBUFFER_WIDTH + px) * 3;
                        same = same && std::memcmp(&shown.pixels[at], &board_picture.pixels[at], 3) == 0;
                    }
                if (same) continue;
                if (++count <= 6) where += " (" + std::to_string(x) + "," + std::to_string(y) + ")";
            }
        int beyond = 0;
        for (int py = 0; py < FRAMEBUFFER_HEIGHT; ++py)
            for (int px = 0; px < FRAMEBUFFER_WIDTH; ++px) {
                if (px < z * 631 && py < z * 401) continue;
                const size_t at = (static_cast<size_t>(py) * FRAMEBUFFER_WIDTH + px) * 3;
                beyond += std::memcmp(&shown.pixels[at], &board_picture.pixels[at], 3) != 0;
            }
        if (count == 0 && beyond == 0) return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << count << " points differ from a fresh redraw:" << where << "; "
                                             << beyond << " pixels around the board";
    }
};
