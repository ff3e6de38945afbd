// Tests of net exposure.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <set>
#include <utility>
#include <vector>

#include "board/draw.h"
#include "board/grid.h"
#include "board/net.h"
#include "board/objects.h"
#include "graphics/canvas.h"
#include "shell/headless/headless.h"
#include "support/board_builders.h"

namespace {

class NetTest : public ::testing::Test {
protected:
    void SetUp() override {
        reset_everything();
        headless_state.messages_to_stderr = false;
        draw_board_frame();
    }
    void TearDown() override { board_reset(); }

    static WireRecord* add_wire(int entry, int x1, int y1, int x2, int y2) {
        WireRecord* w = create_wire(entry, x1, y1, x2, y2);
        w->next = board.wire_list;
        board.wire_list = w;
        return w;
    }

    // Holes the last exposure reached, as (column, row).
    static std::set<std::pair<int, int>> reached() {
        std::set<std::pair<int, int>> holes;
        for (int r = 0; r < GRID_ROWS; ++r)
            for (int c = 0; c < GRID_COLUMNS; ++c)
                if (scratch_get(r, c)) holes.insert({c, r});
        return holes;
    }
};

// The flood written as the plain recursion, for comparison.
void reference_flood(int c, int r, bool any_wire, std::set<std::pair<int, int>>& seen) {
    if (c < 0 || c > 126 || r < 0 || r > 80 || seen.count({c, r})) return;
    seen.insert({c, r});
    if (c > 1 && cell_get(r, c - 1) == 0) reference_flood(c - 2, r, any_wire, seen);
    if (r > 1 && cell_get(r - 1, c) != 0) reference_flood(c, r - 2, any_wire, seen);
    if (c < 125 && cell_get(r, c + 1) == 0) reference_flood(c + 2, r, any_wire, seen);
    if (r < 79 && cell_get(r + 1, c) != 0) reference_flood(c, r + 2, any_wire, seen);
    for (const WireRecord* w = board.wire_list; w; w = w->next) {
        if (!any_wire && w->entry != board.plain_wire_type) continue;
        if (w->x1 / 5 == c && w->y1 / 5 == r)
            reference_flood(w->x2 / 5, w->y2 / 5, any_wire, seen);
        else if (w->x2 / 5 == c && w->y2 / 5 == r)
            reference_flood(w->x1 / 5, w->y1 / 5, any_wire, seen);
    }
}

}  // namespace

TEST_F(NetTest, AStripWithoutCutsIsExposedAcrossTheBoard) {
    expose_net(20, 10, false);
    auto holes = reached();
    EXPECT_EQ(holes.size(), 64u);
    EXPECT_TRUE(holes.count({0, 10}));
    EXPECT_TRUE(holes.count({126, 10}));
}

TEST_F(NetTest, ACutStopsTheFloodOnItsSideOnly) {
    cell_set(10, 21, 1);  // right of the hole in column 20
    expose_net(20, 10, false);
    auto holes = reached();
    EXPECT_EQ(holes.size(), 11u);  // columns 0..20
    EXPECT_FALSE(holes.count({22, 10}));
}

TEST_F(NetTest, OnlyBlankWiresJoinStripsUnlessEveryWireConducts) {
    cell_set(10, 21, 1);
    cell_set(10, 19, 1);  // an island of one hole at column 20
    int res = catalog_lookup("RES", -1).entry;
    add_wire(res, 100, 50, 100, 100);
    expose_net(20, 10, false);
    EXPECT_EQ(reached().size(), 1u);
    expose_net(20, 10, true);
    EXPECT_EQ(reached().size(), 65u);  // the island and row 20
    add_wire(board.plain_wire_type, 100, 50, 100, 150);
    expose_net(20, 10, false);
    EXPECT_EQ(reached().size(), 65u);  // the island and row 30
    EXPECT_TRUE(reached().count({20, 30}));
}

TEST_F(NetTest, ABridgeJoinsTwoStrips) {
    cell_set(5, 40, 1);  // between rows 4 and 6 at column 40
    expose_net(0, 4, false);
    auto holes = reached();
    EXPECT_EQ(holes.size(), 128u);
    EXPECT_TRUE(holes.count({126, 6}));
}

TEST_F(NetTest, ZeroLengthWiresAndLoopsEnd) {
    add_wire(board.plain_wire_type, 50, 50, 50, 50);
    add_wire(board.plain_wire_type, 50, 50, 50, 100);
    add_wire(board.plain_wire_type, 50, 100, 50, 50);
    expose_net(10, 10, false);
    EXPECT_EQ(reached().size(), 128u);
}

TEST_F(NetTest, ExposingTwiceLeavesNoTrace) {
    cell_set(10, 21, 1);
    cell_set(9, 20, 1);
    add_wire(board.plain_wire_type, 300, 50, 300, 300);
    std::vector<uint16_t> cells(&canvas.cells[0][0], &canvas.cells[0][0] + CANVAS_WIDTH * CANVAS_HEIGHT);
    std::vector<uint8_t> pixels(&canvas.framebuffer[0][0][0],
                                &canvas.framebuffer[0][0][0] + sizeof canvas.framebuffer);
    for (int zoom : {10, 20}) {
        canvas.zoom = zoom;
        redraw_rect({0, 0, 630, 400});
        cells.assign(&canvas.cells[0][0], &canvas.cells[0][0] + CANVAS_WIDTH * CANVAS_HEIGHT);
        pixels.assign(&canvas.framebuffer[0][0][0], &canvas.framebuffer[0][0][0] + sizeof canvas.framebuffer);
        expose_net(20, 10, false);
        EXPECT_NE(std::memcmp(cells.data(), canvas.cells, cells.size() * 2), 0);
        expose_net(20, 10, false);
        EXPECT_EQ(std::memcmp(cells.data(), canvas.cells, cells.size() * 2), 0) << "zoom " << zoom;
        EXPECT_EQ(std::memcmp(pixels.data(), canvas.framebuffer, pixels.size()), 0) << "zoom " << zoom;
        EXPECT_EQ(canvas.pen_mode, PEN_PAINT);
    }
}

TEST_F(NetTest, StartOffTheGridExposesNothingAndWiresOffTheBoardAreNotFollowed) {
    expose_net(-2, 10, false);
    EXPECT_TRUE(reached().empty());
    add_wire(board.plain_wire_type, 100, 100, 100, -3000);
    expose_net(20, 20, false);
    EXPECT_EQ(reached().size(), 64u);
}

TEST_F(NetTest, ReachesTheSameHolesAsTheRecursiveFlood) {
    std::mt19937 rng(42);
    for (int round = 0; round < 20; ++round) {
        board_reset();
        for (int i = 0; i < 150; ++i) {
            int r = 2 * static_cast<int>(rng() % 41), c = 2 * static_cast<int>(rng() % 63) + 1;
            cell_set(r, c, 1);  // cuts
            cell_set(2 * static_cast<int>(rng() % 40) + 1, 2 * static_cast<int>(rng() % 64), 1);  // bridges
        }
        int res = catalog_lookup("RES", -1).entry;
        for (int i = 0; i < 30; ++i) {
            int x = 10 * static_cast<int>(rng() % 64);
            int y1 = 10 * static_cast<int>(rng() % 41), y2 = 10 * static_cast<int>(rng() % 41);
            add_wire(i % 3 ? board.plain_wire_type : res, x, y1, x, y2);
        }
        for (bool any : {false, true}) {
            std::set<std::pair<int, int>> expected;
            reference_flood(40, 40, any, expected);
            expose_net(40, 40, any);
            ASSERT_EQ(reached(), expected) << "round " << round << " any " << any;
        }
    }
}
