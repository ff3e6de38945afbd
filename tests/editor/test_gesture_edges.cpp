// Edges of the gestures a user reaches easily and a test rarely does: the
// rim of a text's box, a drag of a wire's first end, and undo over a step
// that left its wire selected.
#include <algorithm>
#include <random>
#include <string>
#include <vector>
#include "board/grid.h"
#include "board/integrity.h"
#include "screen_fixture.h"

namespace {

using GestureEdges = ScreenTest;

// The board as the lines of its file, sorted so that two states compare
// whatever order a rebuild gave the lists. Not through the file writer:
// writing deselects first, which would change the very step under test.
std::vector<std::string> board_lines() {
    std::vector<std::string> lines;
    char text[BOARD_LINE_SIZE];
    auto add_wire = [&](const WireRecord* w) {
        if (format_wire_line(text, sizeof text, w) > 0) lines.push_back(text);
    };
    auto add_component = [&](const ComponentRecord* c) {
        if (format_component_line(text, sizeof text, c) > 0) lines.push_back(text);
    };
    if (board.selected_wire != nullptr) add_wire(board.selected_wire);
    if (board.selected_component != nullptr) add_component(board.selected_component);
    for (const WireRecord* w = board.wire_list; w; w = w->next) add_wire(w);
    for (const ComponentRecord* c = board.component_list; c; c = c->next) add_component(c);
    for (int row = 0; row < GRID_ROWS; ++row)
        for (int column = 0; column < GRID_COLUMNS; ++column)
            if (((row | column) & 1) != 0 && cell_get(row, column) != 0 &&
                format_cell_line(text, sizeof text, row, column) > 0)
                lines.push_back(text);
    std::sort(lines.begin(), lines.end());
    return lines;
}

int wire_count() {
    int n = board.selected_wire != nullptr ? 1 : 0;
    for (const WireRecord* w = board.wire_list; w; w = w->next) ++n;
    return n;
}

std::string at(int x, int y) { return std::to_string(x) + " " + std::to_string(y); }

}  // namespace

// A text is taken through every point of its box, x - 1 .. x + width + 1
// by y - 6 .. y + 1 around its description, and through no point beside it.
TEST_F(GestureEdges, ATextIsTakenThroughItsWholeBoxAndNothingMore) {
    for (const char* text : {"", "I", "HELLO"}) {
        ComponentRecord* t = add_text(300, 200, text);
        ASSERT_NE(t, nullptr);
        const DescriptionHead d = t->desc;
        int hits = 0;
        for (int y = d.y - 9; y <= d.y + 4; ++y)
            for (int x = d.x - 4; x <= d.x + d.width + 4; ++x) {
                const bool inside = d.x - 1 <= x && x <= d.x + d.width + 1 && d.y - 6 <= y && y <= d.y + 1;
                ComponentRecord* taken = take_text_at(x, y);
                EXPECT_EQ(taken != nullptr, inside) << '"' << text << "\" at " << at(x - d.x, y - d.y);
                if (taken == nullptr) continue;
                ++hits;
                taken->next = board.component_list;
                board.component_list = taken;
            }
        EXPECT_EQ(hits, (d.width + 3) * 8) << text;
        delete_component(take_text_at(d.x, d.y));
    }
}

// Dragging either end of a straight wire to any hole keeps the wire
// straight: the moved end lands where the drag ended, the fixed end keeps
// its row and slides into the moved end's column when the rows differ.
TEST_F(GestureEdges, DraggingEitherWireEndSlidesTheFixedEnd) {
    std::mt19937 random(11);
    auto hole = [&](int limit) { return 10 * static_cast<int>(random() % static_cast<unsigned>(limit / 10 + 1)); };
    for (int round = 0; round < 40; ++round) {
        restart();
        const int x = 10 + hole(600), y = 10 + hole(360);
        const bool vertical = round % 2 == 0;
        const int ox = vertical ? x : (x + 40) % 620 + 10, oy = vertical ? (y + 50) % 380 + 10 : y;
        run("move " + at(x, y) + "\ndown left\nmove " + at(ox, oy) + "\nup left\n");
        WireRecord* w = board.selected_wire;
        ASSERT_NE(w, nullptr) << round;
        const bool first = round % 4 < 2;
        const int mx = first ? w->x1 : w->x2, my = first ? w->y1 : w->y2;
        const int fx = first ? w->x2 : w->x1, fy = first ? w->y2 : w->y1;
        const int tx = 10 + hole(600), ty = 10 + hole(360);
        run("move " + at(mx, my) + "\ndown left\nmove " + at(tx, ty) + "\nup left\n");
        w = board.selected_wire;
        ASSERT_NE(w, nullptr) << round;
        const std::string where = "round " + std::to_string(round) + (first ? " first end" : " second end");
        const int ex = first ? w->x1 : w->x2, ey = first ? w->y1 : w->y2;
        const int kx = first ? w->x2 : w->x1, ky = first ? w->y2 : w->y1;
        EXPECT_EQ(at(ex, ey), at(tx, ty)) << where;
        EXPECT_EQ(at(kx, ky), at(ty == fy ? fx : tx, fy)) << where;
        EXPECT_TRUE(w->x1 == w->x2 || w->y1 == w->y2) << where;
        char problem[256] = "";
        EXPECT_TRUE(board_integrity_check(problem, sizeof problem)) << where << ": " << problem;
    }
}

// Each pass below ends with its new wire selected, which is how a wire is
// left after it is drawn: undo walks back exactly one pass at a time, and
// redo forward, through cuts, bridges and wires alike.
TEST_F(GestureEdges, UndoAndRedoStepThroughPassesThatEndWithAWireSelected) {
    std::mt19937 random(7);
    auto below = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    std::vector<std::vector<std::string>> states{board_lines()};
    for (int pass = 0; pass < 24; ++pass) {
        const int x = 10 + 20 * below(30), y = 10 + 20 * below(19);
        switch (pass % 3) {
        case 0: run("click " + at(x + 5, y) + "\n"); break;  // a cut
        case 1: run("click " + at(x, y + 5) + "\n"); break;  // a bridge
        default: run("move " + at(x, y) + "\ndown left\nmove " + at(x + 10 * below(3), y) + "\nup left\n");
        }
        if (board_lines() != states.back()) states.push_back(board_lines());
    }
    ASSERT_GT(wire_count(), 3);
    ASSERT_GT(states.size(), 16u);
    for (size_t i = states.size() - 1; i-- > 0;) {
        run("key u\n");
        EXPECT_EQ(board_lines(), states[i]) << "undo to state " << i;
    }
    for (size_t i = 1; i < states.size(); ++i) {
        run("key r\n");
        EXPECT_EQ(board_lines(), states[i]) << "redo to state " << i;
    }
}

// The plainest case of the above: a cut, a wire, another cut; U takes
// back the last cut alone, and a second U the wire alone.
TEST_F(GestureEdges, UndoAfterAWireTakesBackOneStepAtATime) {
    run("click 475 320\nmove 440 300\ndown left\nmove 500 300\nup left\nclick 455 200\n");
    ASSERT_EQ(wire_count(), 1);
    ASSERT_EQ(cell_get(40, 91), 1);
    run("key u\n");
    EXPECT_EQ(cell_get(40, 91), 0);
    EXPECT_EQ(wire_count(), 1);
    EXPECT_EQ(cell_get(64, 95), 1);
    run("key u\n");
    EXPECT_EQ(wire_count(), 0);
    EXPECT_EQ(cell_get(64, 95), 1);
}
