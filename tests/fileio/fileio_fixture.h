#pragma once
// A clean board on the headless backend for each board-file test, with
// helpers to load a file's text, save the board to text, and read back the
// message boxes that were shown.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "board/catalog.h"
#include "board/draw.h"
#include "board/grid.h"
#include "board/objects.h"
#include "fileio/board_file.h"
#include "shell/headless/headless.h"
#include "support/board_builders.h"
#include "support/test_files.h"

class BoardFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        reset_everything();
        headless_state.messages_to_stderr = false;
        transcript_ = std::tmpfile();
        ASSERT_NE(transcript_, nullptr);
        headless_state.transcript = transcript_;
    }

    void TearDown() override {
        headless_state.transcript = nullptr;
        if (transcript_ != nullptr) std::fclose(transcript_);
        board_reset();
    }

    // Loads text as a board file (bytes exactly as given, NULs included).
    int load_text(const std::string& text) {
        FILE* f = std::tmpfile();
        EXPECT_NE(f, nullptr);
        std::fwrite(text.data(), 1, text.size(), f);
        std::rewind(f);
        const int result = load_board_file(f);
        std::fclose(f);
        return result;
    }

    // The board as the writer writes it.
    std::string save_text() {
        FILE* f = std::tmpfile();
        EXPECT_NE(f, nullptr);
        EXPECT_TRUE(write_board_file(f));
        const std::string text = read_all(f);
        std::fclose(f);
        return text;
    }

    // Everything the message boxes wrote so far.
    std::string transcript() { return read_all(transcript_); }

    static std::string read_all(FILE* f) {
        std::fflush(f);
        std::rewind(f);
        std::string text;
        char block[4096];
        size_t n;
        while ((n = std::fread(block, 1, sizeof block, f)) > 0) text.append(block, n);
        return text;
    }

    static int count_wires() {
        int n = 0;
        for (const WireRecord* w = board.wire_list; w != nullptr; w = w->next) ++n;
        return n;
    }

    static int count_components() {
        int n = 0;
        for (const ComponentRecord* c = board.component_list; c != nullptr; c = c->next) ++n;
        return n;
    }

    static const char* entry_name(int entry) { return shape_catalog[entry].name; }
    static int entry_variant(int entry) { return shape_catalog[entry].variant; }

    static constexpr const char* VERSION_LINE = "VERSION 1.000 Cuprolay generated data\n";

private:
    FILE* transcript_ = nullptr;
};
