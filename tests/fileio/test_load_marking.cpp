// What a load repaints: into an empty board the whole board is marked once,
// into a board that holds something each object is marked; both must leave
// the picture that marking every object, and a full repaint, give.
#include <cstring>
#include <random>
#include <vector>

#include "fileio_fixture.h"
#include "graphics/canvas.h"

namespace {

// Cells and framebuffer, to compare pictures.
std::vector<uint8_t> picture() {
    std::vector<uint8_t> bytes(sizeof canvas.cells + sizeof canvas.framebuffer);
    std::memcpy(bytes.data(), canvas.cells, sizeof canvas.cells);
    std::memcpy(bytes.data() + sizeof canvas.cells, canvas.framebuffer, sizeof canvas.framebuffer);
    return bytes;
}

void repaint_whole_board() { redraw_rect({0, 0, BOARD_RIGHT, BOARD_BOTTOM}); }

// A board file of random lines: components, texts, wires old and new, with
// the description forms, cuts, bridges and strips, now and then a keyword in
// small letters, a carriage return, a blank line or a variant that is not
// there (skipped on the box's OK). Positions reach past every edge.
std::string random_board(std::mt19937& random, int lines) {
    const char* components[] = {"NPN", "PNP", "DIL8", "DIL14", "SIL3", "SIP3", "npn", "dil24", "DIP24S"};
    const char* wires[] = {"WIRE", "RES", "CAP", "DIODE", "XTAL", "IND", "res"};
    const char* letters[] = {"R", "C", "W", "D", "x"};
    auto number = [&](int from, int to) { return from + static_cast<int>(random() % static_cast<unsigned>(to - from + 1)); };
    std::string text = "VERSION 1.000 Cuprolay generated data\n";
    char line[200];
    for (int i = 0; i < lines; ++i) {
        const int x = number(-4, 130), y = number(-4, 84);
        const char* suffix[] = {"", " * 40 60 label", " loose text", " * -30 410 far"};
        const char* description = suffix[random() % 4];
        switch (random() % 9) {
            case 0: case 1:
                std::snprintf(line, sizeof line, "%s %d %d %d%s", components[random() % 9], number(0, 5), x, y,
                              description);
                break;
            case 2:
                std::snprintf(line, sizeof line, "TEXT * %d %d note %d", number(-10, 640), number(-10, 410), i);
                break;
            case 3: case 4: {
                const bool vertical = random() % 2 == 0;
                const int length = number(0, 8);
                std::snprintf(line, sizeof line, "%s %d %d %d %d %d%s", wires[random() % 7], number(0, 3), x, y,
                              vertical ? x : x + length, vertical ? y + length : y, description);
                break;
            }
            case 5:
                std::snprintf(line, sizeof line, "%s %d %d %d %d%s", letters[random() % 5], x, y, x, y + 2, description);
                break;
            case 6: case 7:
                std::snprintf(line, sizeof line, "%s %d %d", random() % 2 ? "CUT" : "bridge", number(-1, 127),
                              number(-1, 81));
                break;
            default:
                std::snprintf(line, sizeof line, "STRIP %d %d %d", y, x, x + 4);
                break;
        }
        text += line;
        if (random() % 13 == 0) text += '\r';
        text += '\n';
        if (random() % 29 == 0) text += '\n';
    }
    return text;
}

}  // namespace

class LoadMarking : public BoardFileTest {
protected:
    // The reference: every line parsed under one deferral, each object
    // marking its own areas as it is taken.
    int load_marking_each_object(const std::string& text) {
        DeferredRedraw bulk;
        size_t start = 0;
        while (start < text.size()) {
            size_t end = text.find('\n', start);
            if (end == std::string::npos) end = text.size();
            std::string line = text.substr(start, end - start);
            if (!line.empty() && line.back() == '\r') line.pop_back();
            start = end + 1;
            float version = 0;
            if (parse_board_line(line.c_str(), &version) != 0) return 1;
        }
        return 0;
    }

    // The empty board drawn, then the text loaded one way or the other.
    std::vector<uint8_t> loaded_picture(const std::string& text, int zoom, bool each_object, std::string* saved) {
        reset_everything();
        headless_state.messages_to_stderr = false;
        canvas.zoom = zoom;
        repaint_whole_board();
        if (each_object)
            load_marking_each_object(text);
        else
            load_text(text);
        *saved = save_text();
        return picture();
    }
};

TEST_F(LoadMarking, AnEmptyBoardLoadPaintsWhatMarkingEveryObjectPaints) {
    std::mt19937 random(2026);
    for (int round = 0; round < 16; ++round) {
        // Single lines too: their own marks cover far less than the board.
        const int lines = round < 6 ? round + 1 : 40 * round;
        const std::string text = random_board(random, lines);
        for (int zoom : {10, 20}) {
            std::string saved_whole, saved_each;
            const std::vector<uint8_t> whole = loaded_picture(text, zoom, false, &saved_whole);
            const std::vector<uint8_t> each = loaded_picture(text, zoom, true, &saved_each);
            ASSERT_EQ(saved_whole, saved_each) << "round " << round;
            ASSERT_TRUE(whole == each) << "round " << round << " zoom " << zoom << ":\n" << text;
        }
    }
}

TEST_F(LoadMarking, AnInsertMarksEveryObjectItAdds) {
    std::mt19937 random(99);
    for (int round = 0; round < 12; ++round) {
        // Ends with a wire, so that the board holds something whatever came before.
        const std::string first = random_board(random, 1 + 15 * round) + "WIRE 0 60 20 60 24 \n";
        const std::string second = random_board(random, 1 + 10 * (round % 5));
        reset_everything();
        headless_state.messages_to_stderr = false;
        canvas.zoom = round % 2 == 0 ? 10 : 20;
        repaint_whole_board();
        load_text(first);
        ASSERT_FALSE(board_is_empty()) << first;
        load_text(second);
        const std::vector<uint8_t> inserted = picture();
        repaint_whole_board();
        ASSERT_TRUE(inserted == picture()) << "round " << round << ":\n" << first << "then:\n" << second;
    }
}

TEST_F(LoadMarking, ALoadThatStopsShowsWhatItTookAndOneThatTakesNothingMarksNothing) {
    repaint_whole_board();
    EXPECT_EQ(load_text("NPN 0 10 10 * 40 30 Q1\nCUT 5 4\nNOSUCH 1 2\nPNP 0 50 50\n"), 1);
    const std::vector<uint8_t> stopped = picture();
    repaint_whole_board();
    EXPECT_TRUE(stopped == picture());
    EXPECT_NE(board.component_list, nullptr);

    board_reset();
    reset_dirty_rect();
    const Rect empty = redraw_state.dirty;
    redraw_state.redraw_deferred = true;
    FILE* f = std::tmpfile();
    std::fputs("VERSION 1.000\n\nSTRIP 2 3 9\n", f);
    std::rewind(f);
    float version = 0;
    EXPECT_EQ(read_board_lines(f, &version), 0);
    std::fclose(f);
    EXPECT_FALSE(dirty_rect_covers_board());
    EXPECT_EQ(redraw_state.dirty.x0, empty.x0);
    EXPECT_EQ(redraw_state.dirty.x1, empty.x1);
    EXPECT_TRUE(board_is_empty());
    redraw_state.redraw_deferred = false;
}
