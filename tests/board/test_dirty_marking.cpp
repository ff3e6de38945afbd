// The strip-end searches and the deferred dirty rectangle against their
// plain forms: a search that steps one column at a time from wherever it
// starts, and a rectangle grown by every strip a marked point lies on.
// The fast forms skip work (the columns off the board, the searches that
// cannot widen the rectangle); the answers must stay the same.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "board/catalog.h"
#include "board/draw.h"
#include "board/grid.h"
#include "board/objects.h"
#include "support/board_builders.h"

namespace {

int stepped_left_end(int x, int y) {
    const int row = y / 5, start = x / 5;
    int c = start - 1;
    while (c >= 2 && cell_get(row, c) == 0) --c;
    return c >= 2 && c % 2 == 0 ? 5 * c : 5 * start;
}

int stepped_right_end(int x, int y) {
    const int row = y / 5, start = x / 5;
    int c = start + 1;
    while (c <= GRID_COLUMNS - 3 && cell_get(row, c) == 0) ++c;
    return c <= GRID_COLUMNS - 3 && c % 2 == 0 ? 5 * c : 5 * start;
}

Rect collected() { return redraw_state.dirty; }

void grow(Rect& r, int x0, int y0, int x1, int y1) {
    r.x0 = std::min({r.x0, x0, x1});
    r.y0 = std::min({r.y0, y0, y1});
    r.x1 = std::max({r.x1, x0, x1});
    r.y1 = std::max({r.y1, y0, y1});
}

// A repaint reaches as far as the strip-end searches, and also to a strip
// end on either edge column, which the searches never find from inside.
int area_left_end(int x, int y) {
    const int row = y / 5, start = x / 5;
    int c = std::min(start - 1, GRID_COLUMNS - 1);
    while (c >= 0 && cell_get(row, c) == 0) --c;
    return c >= 0 && c % 2 == 0 ? 5 * c : 5 * start;
}

int area_right_end(int x, int y) {
    const int row = y / 5, start = x / 5;
    int c = std::max(start + 1, 0);
    while (c <= GRID_COLUMNS - 1 && cell_get(row, c) == 0) ++c;
    return c <= GRID_COLUMNS - 1 && c % 2 == 0 ? 5 * c : 5 * start;
}

void grow_by_point(Rect& r, int x, int y) {
    grow(r, area_left_end(x, y) - 5, y - 5, area_right_end(x, y) + 5, y + 5);
}

void grow_by_description(Rect& r, const DescriptionHead& d) {
    if (d.width != 0) grow(r, d.x, d.y - 5, d.x + d.width, d.y + 1);
}

// Cuts, bridges and solder counts scattered over the grid; some rows left
// bare, so that searches run off the row's ends, and some marked only at
// the outermost holes a search can find, so that strips reach them.
void scatter_cells(std::mt19937& random) {
    for (int row = 0; row < GRID_ROWS; ++row) {
        if (row % 9 == 4) continue;
        if (row % 9 == 6 || row % 9 == 7) {
            const int inset = row % 9 == 6 ? 2 : 4;
            cell_set(row, inset, 1);
            cell_set(row, GRID_COLUMNS - 1 - inset, 1);
            continue;
        }
        for (int column = 0; column < GRID_COLUMNS; ++column) {
            if (random() % 7 == 0) cell_set(row, column, static_cast<int>(random() % 3) + 1);
        }
    }
}

class DirtyMarking : public ::testing::Test {
protected:
    void SetUp() override {
        reset_everything();
        reset_dirty_rect();
    }
    void TearDown() override {
        redraw_state.redraw_deferred = false;
        board_reset();
    }
};

}  // namespace

TEST_F(DirtyMarking, StripEndsMatchTheSteppedSearchOnAndFarOffTheBoard) {
    std::mt19937 random(7);
    scatter_cells(random);
    std::vector<int> xs, ys;
    for (int x = -20; x <= 660; ++x) xs.push_back(x);
    for (int y = -10; y <= 410; y += 3) ys.push_back(y);
    for (int far : {-500000, -99999, -1000, 1000, 99999, 500000}) {
        xs.push_back(far);
        ys.push_back(far);
    }
    for (int y : ys) {
        for (int x : xs) {
            ASSERT_EQ(strip_left_end(x, y), stepped_left_end(x, y)) << x << ", " << y;
            ASSERT_EQ(strip_right_end(x, y), stepped_right_end(x, y)) << x << ", " << y;
        }
    }
}

// Points marked one after another, from an empty rectangle on: the skipped
// searches must never have been the ones that widen it.
TEST_F(DirtyMarking, DeferredPointsGrowTheRectangleAsEveryStripWould) {
    std::mt19937 random(11);
    for (int board = 0; board < 20; ++board) {
        grid_reset();
        scatter_cells(random);
        reset_dirty_rect();
        Rect expected = collected();
        redraw_state.redraw_deferred = true;
        for (int i = 0; i < 300; ++i) {
            // Mostly on the board, now and then beyond any edge.
            const int x = static_cast<int>(random() % 760) - 60;
            const int y = static_cast<int>(random() % 480) - 40;
            invalidate_point(x, y);
            grow_by_point(expected, x, y);
            ASSERT_EQ(collected(), expected) << "board " << board << " point " << i << " at " << x << ", " << y;
        }
    }
}

TEST_F(DirtyMarking, DeferredObjectsGrowTheRectangleByPinsBoxesAndDescriptions) {
    std::mt19937 random(5);
    scatter_cells(random);
    const char* names[] = {"NPN", "PNP", "DIL8", "DIL24", "SIL3", "TEXT"};
    const char* wires[] = {"WIRE", "RES", "CAP", "DIODE"};
    reset_dirty_rect();
    Rect expected = collected();
    redraw_state.redraw_deferred = true;
    for (int i = 0; i < 400; ++i) {
        const int x = 5 * static_cast<int>(random() % 140) - 40;
        const int y = 5 * static_cast<int>(random() % 90) - 20;
        if (i % 2 == 0) {
            const char* name = names[i / 2 % 6];
            int variant = static_cast<int>(random() % 16);
            if (catalog_lookup(name, variant).entry < 0) variant = 0;
            ComponentRecord* c = create_component(name, variant, x, y);
            ASSERT_NE(c, nullptr);
            if (i % 3 == 0) set_description(c->desc, "label");
            invalidate_component(c);
            const PinList pins = component_pins(c->entry, c->ax, c->ay);
            for (int p = 0; p < pins.count; ++p) grow_by_point(expected, pins.x[p], pins.y[p]);
            grow(expected, c->box_x0, c->box_y0, c->box_x1, c->box_y1);
            grow_by_description(expected, c->desc);
            register_pins(c);  // what deleting takes back
            delete_component(c);
        } else {
            const int length = 5 * static_cast<int>(random() % 30);
            const bool vertical = i % 4 == 1;
            WireRecord* w = create_wire(catalog_lookup(wires[i % 4], 0).entry, x, y, vertical ? x : x - length,
                                        vertical ? y - length : y);
            ASSERT_NE(w, nullptr);
            if (i % 5 == 0) set_description(w->desc, "10k");
            invalidate_wire(w);
            grow_by_point(expected, std::min(w->x1, w->x2), std::min(w->y1, w->y2));
            grow_by_point(expected, std::max(w->x1, w->x2), std::max(w->y1, w->y2));
            grow(expected, std::min(w->x1, w->x2) - 5, std::min(w->y1, w->y2) - 5, std::max(w->x1, w->x2) + 5,
                 std::max(w->y1, w->y2) + 5);
            grow_by_description(expected, w->desc);
            delete_wire(w);
        }
        ASSERT_EQ(collected(), expected) << "object " << i;
    }
}
