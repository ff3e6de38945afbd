#pragma once
// A clean board, journal and headless platform for each test, and small
// helpers to put objects on the board as the editor does.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "board/draw.h"
#include "board/grid.h"
#include "board/objects.h"
#include "core/arena.h"
#include "editor/editor_state.h"
#include "editor/journal.h"
#include "fileio/board_file.h"
#include "graphics/canvas.h"
#include "shell/dialogs.h"
#include "shell/headless/headless.h"
#include "shell/input.h"
#include "support/board_builders.h"

// An empty board and journal, drawn afresh at a zoom: where a random
// session starts.
inline void start_blank_board(int zoom) {
    journal_reset();
    board_reset();
    canvas_reset();
    redraw_state_reset();
    canvas.zoom = zoom;
    draw_board_frame();
}

class JournalTest : public ::testing::Test {
protected:
    void SetUp() override {
        reset_everything();
        headless_state.messages_to_stderr = false;
        transcript = std::tmpfile();
        headless_state.transcript = transcript;
    }
    void TearDown() override {
        headless_state.transcript = nullptr;
        std::fclose(transcript);
        journal_reset();
        board_reset();
    }

    std::string transcript_text() {
        std::fflush(transcript);
        std::rewind(transcript);
        std::string text;
        int ch;
        while ((ch = std::fgetc(transcript)) != EOF) text.push_back(static_cast<char>(ch));
        return text;
    }

    // The board as the writer saves it.
    static std::string saved_board() {
        FILE* f = std::tmpfile();
        write_board_file(f);
        std::rewind(f);
        std::string text;
        int ch;
        while ((ch = std::fgetc(f)) != EOF) text.push_back(static_cast<char>(ch));
        std::fclose(f);
        return text;
    }

    // A plain wire, as a click and drag would make it.
    static WireRecord* add_wire(int x1, int y1, int x2, int y2) { return ::add_wire("WIRE", 0, x1, y1, x2, y2); }
    static ComponentRecord* add_component(const char* name, int variant, int x, int y) {
        return ::add_component(name, variant, x, y);
    }

    static int event_count() {
        int n = 0;
        for (JournalEvent* e = journal.base.newer; e != nullptr; e = e->newer) ++n;
        return n;
    }

    FILE* transcript = nullptr;
};
