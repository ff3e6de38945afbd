// Tests of the object store.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "board/catalog.h"
#include "board/draw.h"
#include "board/grid.h"
#include "board/objects.h"
#include "core/arena.h"
#include "support/board_builders.h"
#include "board/integrity.h"

namespace {

class ObjectsTest : public ::testing::Test {
protected:
    void SetUp() override { reset_everything(); }
    void TearDown() override { board_reset(); }
};

int wire_entry(const char* name, int variant) { return catalog_lookup(name, variant).entry; }

::testing::AssertionResult counts_match_objects() {
    char problem[256];
    if (board_integrity_check(problem, sizeof problem)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << problem;
}

TEST_F(ObjectsTest, ComponentsGetTheirTextPositionBoxAndPins) {
    ComponentRecord* npn = create_component("NPN", 0, 100, 100);
    ASSERT_NE(npn, nullptr);
    EXPECT_EQ(npn->desc.x, 102);
    EXPECT_EQ(npn->desc.y, 98);
    EXPECT_EQ(npn->desc.text, empty_description);
    EXPECT_EQ(npn->desc.width, 0);
    EXPECT_EQ((std::vector<int>{npn->box_x0, npn->box_y0, npn->box_x1, npn->box_y1}),
              (std::vector<int>{98, 98, 112, 112}));

    ComponentRecord* dil = create_component("DIL8", 0, 100, 100);
    ASSERT_NE(dil, nullptr);
    EXPECT_EQ(dil->desc.x, 102);
    EXPECT_EQ(dil->desc.y, 95);
    EXPECT_EQ((std::vector<int>{dil->box_x0, dil->box_y0, dil->box_x1, dil->box_y1}),
              (std::vector<int>{98, 96, 132, 134}));
    register_pins(dil);
    // Pin rows from the bottom, left before right, each counted once.
    const PinList pins = component_pins(dil->entry, dil->ax, dil->ay);
    ASSERT_EQ(pins.count, 8);
    EXPECT_EQ(pins.x[0], 100);
    EXPECT_EQ(pins.y[0], 130);
    EXPECT_EQ(pins.x[1], 130);
    EXPECT_EQ(pins.y[7], 100);
    for (int y = 100; y <= 130; y += 10) {
        EXPECT_EQ(cell_get(y / 5, 20), 1);
        EXPECT_EQ(cell_get(y / 5, 26), 1);
    }

    ComponentRecord* sil = create_component("SIL1", 0, 50, 50);
    ASSERT_NE(sil, nullptr);
    EXPECT_EQ((std::vector<int>{sil->box_x0, sil->box_y0, sil->box_x1, sil->box_y1}),
              (std::vector<int>{46, 46, 54, 54}));
    register_pins(sil);
    EXPECT_EQ(cell_get(10, 10), 1);

    // An alias shifts the anchor; an unknown name allocates nothing.
    ComponentRecord* alias = create_component("NPN_3", 0, 100, 100);
    ASSERT_NE(alias, nullptr);
    EXPECT_EQ(alias->ay, 90);
    const int32_t usage = temp_usage();
    EXPECT_EQ(create_component("NPN", 16, 0, 0), nullptr);
    EXPECT_EQ(create_component("npn", 0, 0, 0), nullptr);
    EXPECT_EQ(temp_usage(), usage);

    for (ComponentRecord* c : {npn, alias}) {
        c->next = board.component_list;
        board.component_list = c;
    }
    delete_component(dil);
    delete_component(sil);
}

TEST_F(ObjectsTest, WiresGetTheirTextPositionAndMarkBothEnds) {
    const int plain = board.plain_wire_type;
    WireRecord* horizontal = create_wire(plain, 10, 50, 40, 50);
    EXPECT_EQ(horizontal->desc.x, 25);
    EXPECT_EQ(horizontal->desc.y, 46);
    WireRecord* vertical = create_wire(plain, 30, 20, 30, 60);
    EXPECT_EQ(vertical->desc.x, 34);
    EXPECT_EQ(vertical->desc.y, 42);
    WireRecord* dot = create_wire(plain, 50, 50, 50, 50);
    EXPECT_TRUE(wire_is_vertical(*dot));
    EXPECT_EQ(dot->desc.x, 54);
    EXPECT_EQ(dot->desc.y, 52);
    EXPECT_EQ(cell_get(10, 10), 2);
    EXPECT_EQ(cell_get(10, 2), 1);
    EXPECT_EQ(cell_get(10, 8), 1);
    delete_wire(dot);
    EXPECT_EQ(cell_get(10, 10), 0);
    delete_wire(horizontal);
    delete_wire(vertical);
    EXPECT_EQ(temp_usage(), 0);
}

TEST_F(ObjectsTest, MovingAWireEndKeepsItStraight) {
    WireRecord* w = create_wire(board.plain_wire_type, 20, 50, 20, 80);
    // End 2 to another row: the fixed end slides to the new column.
    unregister_wire_ends(w);
    move_wire_end(w, 20, 80, 40, 80);
    EXPECT_EQ((std::vector<int>{w->x1, w->y1, w->x2, w->y2}), (std::vector<int>{40, 50, 40, 80}));
    unregister_wire_ends(w);
    move_wire_end(w, 40, 80, 40, 120);
    EXPECT_EQ((std::vector<int>{w->x1, w->y1, w->x2, w->y2}), (std::vector<int>{40, 50, 40, 120}));
    // Into the fixed end's row: the wire becomes horizontal, and without a
    // description its text position follows.
    unregister_wire_ends(w);
    move_wire_end(w, 40, 50, 90, 120);
    EXPECT_EQ((std::vector<int>{w->x1, w->y1, w->x2, w->y2}), (std::vector<int>{90, 120, 40, 120}));
    EXPECT_EQ(w->desc.x, 65);
    EXPECT_EQ(w->desc.y, 116);
    EXPECT_EQ(cell_get(24, 18), 1);
    EXPECT_EQ(cell_get(24, 8), 1);
    // With a description the text stays where it is.
    set_description(w->desc, "R1");
    unregister_wire_ends(w);
    move_wire_end(w, 90, 120, 90, 200);
    EXPECT_EQ(w->desc.x, 65);
    EXPECT_EQ(w->desc.y, 116);
    w->next = board.wire_list;
    board.wire_list = w;
    EXPECT_TRUE(counts_match_objects());
}

TEST_F(ObjectsTest, SearchesFindTheNewestAndUnlinkIt) {
    WireRecord* older = add_wire("WIRE", 0, 100, 100, 100, 150);
    WireRecord* newer = add_wire("RES", 0, 100, 100, 150, 100);
    EXPECT_EQ(cell_get(20, 20), 2);
    EXPECT_EQ(take_wire_at(100, 100), newer);
    EXPECT_EQ(newer->next, nullptr);
    EXPECT_EQ(board.wire_list, older);
    EXPECT_EQ(take_wire_at(100, 151), nullptr);  // ends match exactly
    EXPECT_EQ(take_wire_at(100, 150), older);
    EXPECT_EQ(board.wire_list, nullptr);
    delete_wire(older);
    delete_wire(newer);

    ComponentRecord* narrow = add_component("DIL24", 2, 200, 100);
    ComponentRecord* wide = add_component("DIL24", 0, 300, 100);
    EXPECT_TRUE(pin_at(narrow, 230, 150));
    EXPECT_FALSE(pin_at(narrow, 260, 150));
    EXPECT_TRUE(pin_at(wide, 360, 210));
    EXPECT_FALSE(pin_at(wide, 330, 150));
    EXPECT_FALSE(pin_at(wide, 360, 220));

    ComponentRecord* text = add_text(400, 300, "HELLO");
    EXPECT_EQ(text->ax, 402);
    EXPECT_EQ(text->ay, 300);
    EXPECT_EQ(take_component_at(410, 298), nullptr);
    EXPECT_EQ(take_text_at(403, 302), nullptr);  // below the text box
    EXPECT_EQ(take_text_at(420, 295), text);
    text->next = board.component_list;
    board.component_list = text;
    EXPECT_EQ(take_component_at(402, 300), text);
    EXPECT_EQ(take_component_at(230, 100), narrow);
    EXPECT_EQ(board.component_list, wide);
    delete_component(text);
    delete_component(narrow);

    // The selected object's description box.
    set_description(wide->desc, "IC1");
    EXPECT_TRUE(description_hit(wide->desc, wide->desc.x - 2, wide->desc.y + 2));
    EXPECT_TRUE(description_hit(wide->desc, wide->desc.x + 12, wide->desc.y - 6));
    EXPECT_FALSE(description_hit(wide->desc, wide->desc.x + 13, wide->desc.y));
    DescriptionHead none{empty_description, 0, 10, 10};
    EXPECT_FALSE(description_hit(none, 10, 10));
}

TEST_F(ObjectsTest, DescriptionsAreArenaCopiesReleasedWithTheirObject) {
    const int32_t start = temp_usage();
    ComponentRecord* c = add_component("NPN", 0, 100, 100);
    const int32_t with_record = temp_usage();
    char typed[] = "BC547";
    set_description(c->desc, typed);
    typed[0] = 'X';
    EXPECT_STREQ(c->desc.text, "BC547");
    EXPECT_EQ(c->desc.width, 20);
    EXPECT_EQ(temp_usage(), with_record + 6);
    set_description(c->desc, c->desc.text);  // its own text
    EXPECT_STREQ(c->desc.text, "BC547");
    EXPECT_EQ(temp_usage(), with_record + 6);
    set_description(c->desc, "");
    EXPECT_EQ(c->desc.text, empty_description);
    EXPECT_EQ(c->desc.width, 0);
    EXPECT_EQ(temp_usage(), with_record);
    set_description(c->desc, "Q1");
    board.component_list = c->next;
    delete_component(c);
    EXPECT_EQ(temp_usage(), start);

    // Nudging moves only the text.
    DescriptionHead d{empty_description, 0, 10, 20};
    for (int key : {6, 6, 2, 14, 16, 16, 7}) nudge_description(d, key);
    EXPECT_EQ(d.x, 11);
    EXPECT_EQ(d.y, 19);
}

TEST_F(ObjectsTest, SelectionHoldsOneRecordPerSlotAndReturnsItToTheHead) {
    WireRecord* a = add_wire("WIRE", 0, 10, 10, 10, 50);
    WireRecord* b = add_wire("RES", 0, 30, 10, 30, 50);
    ASSERT_EQ(take_wire_at(10, 10), a);
    select_wire(a, 10, 10);
    EXPECT_EQ(board.selected_wire, a);
    EXPECT_EQ(board.selection_marker_x, 10);
    // Selecting another wire puts the first one back rather than losing it.
    ASSERT_EQ(take_wire_at(30, 50), b);
    select_wire(b, 30, 50);
    EXPECT_EQ(board.selected_wire, b);
    EXPECT_EQ(board.wire_list, a);
    deselect_all();
    EXPECT_EQ(board.selected_wire, nullptr);
    EXPECT_EQ(board.wire_list, b);
    EXPECT_EQ(b->next, a);
    EXPECT_TRUE(counts_match_objects());
}

TEST_F(ObjectsTest, ClearAndResetReleaseEverything) {
    const int32_t start = temp_usage();
    dense_board();
    add_cut(35, 50);
    EXPECT_GT(temp_usage(), start);
    clear_board();
    EXPECT_EQ(board.wire_list, nullptr);
    EXPECT_EQ(board.component_list, nullptr);
    EXPECT_EQ(temp_usage(), start);
    for (int r = 0; r < GRID_ROWS; ++r)
        for (int c = 0; c < GRID_COLUMNS; ++c) ASSERT_EQ(cell_get(r, c), 0);

    dense_board();
    WireRecord* w = take_wire_at(10, 10);
    ASSERT_NE(w, nullptr);
    select_wire(w, 10, 10);
    ComponentRecord* c = take_component_at(370, 10);
    ASSERT_NE(c, nullptr);
    select_component(c, 370, 10);
    board_reset();
    EXPECT_EQ(temp_usage(), start);
    EXPECT_EQ(board.selected_wire, nullptr);
    EXPECT_EQ(board.selected_component, nullptr);
    EXPECT_EQ(board.plain_wire_type, wire_entry("WIRE", 0));
}

// Random creations, moves, variant changes, selections and deletions with a
// fixed seed: after every step each hole counts exactly the wire ends and
// pins on it, and at the end the arena is back where it started.
TEST_F(ObjectsTest, SolderCountsFollowEveryChange) {
    std::mt19937 random(2024);
    auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    auto hole = [&](int limit) { return 10 * pick(limit / 10 + 1); };
    const char* components[] = {"NPN", "PNP", "DIL8", "DIL24", "SIL5", "TEXT", "DIL40"};
    const int wire_entries[] = {wire_entry("WIRE", 0), wire_entry("XTAL", 1), wire_entry("RES", 1),
                                wire_entry("DIODE", 3), wire_entry("CAP", 0)};
    const int32_t start = temp_usage();

    auto nth_wire = [&](int n) {
        WireRecord* w = board.wire_list;
        while (w != nullptr && n-- > 0) w = w->next;
        return w;
    };
    auto nth_component = [&](int n) {
        ComponentRecord* c = board.component_list;
        while (c != nullptr && n-- > 0) c = c->next;
        return c;
    };

    for (int step = 0; step < 400; ++step) {
        switch (pick(8)) {
            case 0: {  // components can hang over the board edge
                ComponentRecord* c =
                    add_component(components[pick(7)], pick(4), 10 * pick(70) - 30, 10 * pick(45) - 30);
                if (c != nullptr && pick(2)) set_description(c->desc, "U");
                break;
            }
            case 1: {
                const int x = hole(BOARD_RIGHT), y = hole(BOARD_BOTTOM);
                const bool vertical = pick(2) == 0;
                WireRecord* w = create_wire(wire_entries[pick(5)], x, y, vertical ? x : hole(BOARD_RIGHT),
                                            vertical ? hole(BOARD_BOTTOM) : y);
                w->next = board.wire_list;
                board.wire_list = w;
                break;
            }
            case 2: {  // drag a wire end
                WireRecord* w = nth_wire(pick(8));
                if (w == nullptr) break;
                WireRecord* taken = take_wire_at(w->x1, w->y1);
                unregister_wire_ends(taken);
                move_wire_end(taken, taken->x1, taken->y1, hole(BOARD_RIGHT), hole(BOARD_BOTTOM));
                taken->next = board.wire_list;
                board.wire_list = taken;
                break;
            }
            case 3: {  // variant change or move of a component
                ComponentRecord* c = nth_component(pick(8));
                if (c == nullptr) break;
                unregister_pins(c);
                if (pick(2)) {
                    c->entry = variant_entry(c->entry, static_cast<VariantField>(pick(5)));
                    compute_component_box(c);
                } else {
                    translate_component(c, 10 * (pick(5) - 2), 10 * (pick(5) - 2), true);
                }
                register_pins(c);
                break;
            }
            case 4: {
                if (WireRecord* w = nth_wire(pick(6))) {
                    WireRecord* taken = take_wire_at(w->x2, w->y2);
                    delete_wire(taken);
                }
                break;
            }
            case 5: {
                if (ComponentRecord* c = nth_component(pick(6))) {
                    const PinList pins = component_pins(c->entry, c->ax, c->ay);
                    ComponentRecord* taken =
                        pins.count > 0 ? take_component_at(pins.x[0], pins.y[0]) : take_component_at(c->ax, c->ay);
                    if (taken != nullptr) delete_component(taken);
                }
                break;
            }
            case 6: {
                deselect_all();
                if (WireRecord* w = nth_wire(0)) select_wire(take_wire_at(w->x1, w->y1), w->x1, w->y1);
                break;
            }
            default: {
                deselect_all();
                ComponentRecord* c = nth_component(pick(4));
                if (c != nullptr && !entry_is_text(c->entry)) {
                    const PinList pins = component_pins(c->entry, c->ax, c->ay);
                    if (pins.count > 0) select_component(take_component_at(pins.x[0], pins.y[0]), pins.x[0], pins.y[0]);
                }
                break;
            }
        }
        ASSERT_TRUE(counts_match_objects()) << "after step " << step;
    }
    deselect_all();
    clear_board();
    EXPECT_EQ(temp_usage(), start);
}

}  // namespace
