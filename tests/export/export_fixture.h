#pragma once
// A clean board on the headless backend for the export tests, with the
// canvas at zoom 20 as export_board leaves it for the writers, and helpers
// to run a writer into a temporary file and to read what was shown.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "board/draw.h"
#include "board/objects.h"
#include "export/settings.h"
#include "export/writers.h"
#include "graphics/canvas.h"
#include "graphics/palette.h"
#include "shell/dialogs.h"
#include "shell/headless/headless.h"
#include "support/board_builders.h"
#include "support/test_files.h"

class ExportTest : public ::testing::Test {
public:
    void SetUp() override {
        reset_everything();
        headless_state.messages_to_stderr = false;
        transcript_ = std::tmpfile();
        ASSERT_NE(transcript_, nullptr);
        headless_state.transcript = transcript_;
        directory_ = make_temp_directory("cuprolay-export");
    }

    void TearDown() override {
        headless_state.transcript = nullptr;
        if (transcript_) std::fclose(transcript_);
        board_reset();
        remove_tree(directory_);
    }

    std::string path(const std::string& name) const { return directory_ + "/" + name; }

    // Everything the headless dialogs wrote to the transcript so far.
    std::string transcript() {
        std::fflush(transcript_);
        std::rewind(transcript_);
        std::string text;
        int c;
        while ((c = std::fgetc(transcript_)) != EOF) text.push_back(static_cast<char>(c));
        return text;
    }

    static bool exists(const std::string& file) {
        FILE* f = std::fopen(file.c_str(), "rb");
        if (f) std::fclose(f);
        return f != nullptr;
    }

    static std::string read_file(const std::string& file) {
        std::string bytes;
        FILE* f = std::fopen(file.c_str(), "rb");
        if (!f) return bytes;
        char chunk[65536];
        size_t n;
        while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0) bytes.append(chunk, n);
        std::fclose(f);
        return bytes;
    }

    // Draws the whole board at zoom 20, as export_board does before a writer.
    static void draw_at_zoom_20() {
        canvas.zoom = 20;
        deselect_and_redraw();
    }

    FILE* transcript_ = nullptr;
    std::string directory_;
};

// Decodes RunLengthDecode data; stops at the end byte, whose position
// (one past it) goes to *consumed.
inline std::vector<unsigned char> rle_decode(const std::string& data, size_t* consumed) {
    std::vector<unsigned char> out;
    size_t i = 0;
    while (i < data.size()) {
        int n = static_cast<unsigned char>(data[i++]);
        if (n == 128) break;
        if (n < 128) {
            for (int k = 0; k <= n && i < data.size(); ++k) out.push_back(data[i++]);
        } else if (i < data.size()) {
            out.insert(out.end(), 257 - n, static_cast<unsigned char>(data[i++]));
        }
    }
    if (consumed) *consumed = i;
    return out;
}
