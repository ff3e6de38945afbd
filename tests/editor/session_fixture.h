#pragma once
// Editor tests driven the way a user drives the editor: a script of
// events and answers on the headless backend, a clean board and journal,
// and a transcript to read back.
#include <gtest/gtest.h>
#include <cstdio>
#include <string>
#include "board/draw.h"
#include "board/objects.h"
#include "editor/editor_state.h"
#include "editor/journal.h"
#include "export/settings.h"
#include "graphics/canvas.h"
#include "graphics/palette.h"
#include "shell/dialogs.h"
#include "shell/headless/headless.h"
#include "shell/headless/script.h"
#include "shell/input.h"
#include "support/board_builders.h"

class SessionTest : public ::testing::Test {
protected:
    void SetUp() override {
        reset_everything();
        script_state_reset();
        headless_state.messages_to_stderr = false;
        transcript_ = std::tmpfile();
        ASSERT_NE(transcript_, nullptr);
        headless_state.transcript = transcript_;
        script_attach();
        saved_close_handler_ = close_request_handler;
        close_request_handler = record_close;
        closes = 0;
        draw_board_frame();
    }
    void TearDown() override {
        close_request_handler = saved_close_handler_;
        headless_state.transcript = nullptr;
        std::fclose(transcript_);
        journal_reset();
        board_reset();
    }

    // The events and answers that the next waits and dialogs take.
    void script(const char* text) {
        std::string error;
        ASSERT_TRUE(script_parse(text, &script_state.lines, &error)) << error;
        script_state.next = 0;
        script_state.click_step = 0;
    }

    // Puts the pointer at a model point, as a motion already delivered.
    static void pointer_at(int x, int y) {
        input_state.pointer_x = model_to_window(x);
        input_state.pointer_y = model_to_window(y);
    }

    std::string transcript() {
        std::fflush(transcript_);
        std::rewind(transcript_);
        std::string text;
        int c;
        while ((c = std::fgetc(transcript_)) != EOF) text.push_back(static_cast<char>(c));
        return text;
    }

    // When the script runs dry the window is closed; a test that waits
    // past its script ends its drag instead of waiting for ever.
    static void record_close() {
        ++closes;
        input_state.left_button = input_state.right_button = 0;
        input_state.left_shift = input_state.right_shift = 0;
        if (closes > 1000) std::abort();
    }

    static inline int closes = 0;
    FILE* transcript_ = nullptr;
    void (*saved_close_handler_)() = nullptr;
};
