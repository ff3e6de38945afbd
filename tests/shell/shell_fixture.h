#pragma once
// Every shell test starts from the headless backend with clean slots,
// dialogs, export settings and canvas, and a transcript it can read back.
#include <gtest/gtest.h>
#include <cstdio>
#include <string>
#include "export/settings.h"
#include "graphics/canvas.h"
#include "shell/dialogs.h"
#include "shell/headless/headless.h"
#include "shell/input.h"
#include "support/board_builders.h"

class ShellTest : public ::testing::Test {
protected:
    void SetUp() override {
        reset_everything();
        headless_state.messages_to_stderr = false;
        transcript_ = std::tmpfile();
        ASSERT_NE(transcript_, nullptr);
        headless_state.transcript = transcript_;
        saved_close_handler_ = close_request_handler;
    }
    void TearDown() override {
        close_request_handler = saved_close_handler_;
        headless_state.transcript = nullptr;
        if (transcript_) std::fclose(transcript_);
    }
    // Everything written to the transcript so far.
    std::string transcript() {
        std::fflush(transcript_);
        std::string text;
        std::rewind(transcript_);
        int c;
        while ((c = std::fgetc(transcript_)) != EOF) text.push_back(static_cast<char>(c));
        return text;
    }

    FILE* transcript_ = nullptr;
    void (*saved_close_handler_)() = nullptr;
};
