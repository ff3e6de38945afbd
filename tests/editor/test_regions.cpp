// Tests of the region operations.
#include <string>

#include "editor/regions.h"
#include "journal_fixture.h"
#include "board/integrity.h"

namespace {

using RegionTest = JournalTest;

int count_wires() {
    int n = 0;
    for (auto* w = board.wire_list; w; w = w->next) ++n;
    return n;
}

int count_components() {
    int n = 0;
    for (auto* c = board.component_list; c; c = c->next) ++n;
    return n;
}

// Every hole count equals the wire ends and pins on that hole.
void expect_solder_counts_consistent() {
    char problem[256];
    ASSERT_TRUE(board_integrity_check(problem, sizeof problem)) << problem;
}

void apply_key(int key, Rect r) {
    RegionMap m;
    ASSERT_TRUE(region_key_map(key, r, m));
    region_transform(r, m);
}

}  // namespace

TEST_F(RegionTest, KeyMapsReflectAboutTheSnappedCentreLine) {
    RegionMap m;
    ASSERT_TRUE(region_key_map('F', Rect{20, 20, 60, 41}, m));
    EXPECT_EQ(m.mode, REGION_FLIP);
    EXPECT_EQ(m.d, -1);
    EXPECT_EQ(m.ty, 60);  // snap_to_hole(61)
    ASSERT_TRUE(region_key_map('M', Rect{25, 0, 100, 400}, m));
    EXPECT_EQ(m.tx, 130);  // x0 + x1 = 125
    EXPECT_EQ(m.a, -1);
    ASSERT_TRUE(region_key_map('R', Rect{0, 0, 630, 400}, m));
    EXPECT_EQ(m.tx, 630);
    EXPECT_EQ(m.ty, 400);
    EXPECT_FALSE(region_key_map('X', Rect{0, 0, 10, 10}, m));
}

TEST_F(RegionTest, FlipSwapsWirePositionsButKeepsEndOne) {
    WireRecord* w = add_wire(30, 20, 30, 40);
    apply_key('F', Rect{20, 20, 60, 41});
    EXPECT_EQ(w->x1, 30);
    EXPECT_EQ(w->y1, 40);
    EXPECT_EQ(w->y2, 20);
    expect_solder_counts_consistent();
}

TEST_F(RegionTest, MembershipNeedsTheWholeObjectInside) {
    add_wire(30, 20, 30, 80);  // one end outside
    ComponentRecord* npn = add_component("NPN", 0, 100, 100);  // box 98..112
    ComponentRecord* text = add_component("TEXT", 0, 50, 50);
    set_description(text->desc, "a long text reaching far beyond the region's right edge");
    Rect r{0, 0, 110, 60};
    EXPECT_FALSE(wire_in_region(board.wire_list, r));
    EXPECT_FALSE(component_in_region(npn, r));
    EXPECT_TRUE(component_in_region(text, r));  // its anchor lies inside
    EXPECT_TRUE(component_in_region(npn, Rect{120, 120, 90, 90}));  // corners in any order
}

TEST_F(RegionTest, ZeroMoveDoesNothingAndZeroCopyDoublesInPlace) {
    add_wire(10, 10, 10, 40);
    ComponentRecord* c = add_component("NPN", 0, 100, 100);
    set_description(c->desc, "Q1");
    toggle_cell(35, 50);
    std::string before = saved_board();
    region_transform({0, 0, 630, 400}, {REGION_MOVE, 1, 1, 0, 0});
    EXPECT_EQ(saved_board(), before);

    region_transform({0, 0, 630, 400}, {REGION_COPY, 1, 1, 0, 0});
    EXPECT_EQ(count_wires(), 2);
    EXPECT_EQ(count_components(), 2);
    EXPECT_EQ(cell_get(10, 7), 1);
    EXPECT_EQ(cell_get(2, 2), 2);  // both wires end on (10, 10)
    EXPECT_STREQ(board.component_list->desc.text, "Q1");
    expect_solder_counts_consistent();
}

TEST_F(RegionTest, MoveCarriesObjectsCutsAndBridges) {
    WireRecord* w = add_wire(20, 20, 20, 60);
    ComponentRecord* c = add_component("DIL8", 0, 100, 100);
    toggle_cell(25, 20);   // cut
    toggle_cell(20, 25);   // bridge
    region_transform({0, 0, 150, 150}, {REGION_MOVE, 1, 1, 100, 50});
    EXPECT_EQ(w->x1, 120);
    EXPECT_EQ(w->y1, 70);
    EXPECT_EQ(c->ax, 200);
    EXPECT_EQ(c->ay, 150);
    EXPECT_EQ(cell_get(4, 5), 0);
    EXPECT_EQ(cell_get(14, 25), 1);
    EXPECT_EQ(cell_get(5, 4), 0);
    EXPECT_EQ(cell_get(15, 24), 1);
    expect_solder_counts_consistent();
}

TEST_F(RegionTest, FlippedTransistorTakesItsFlipVariantAndSnappedAnchor) {
    ComponentRecord* c = add_component("NPN", 0, 100, 100);
    int flipped = variant_entry(c->entry, FIELD_FLIP);
    // Region (90, 90)-(120, 120): ty = 210, so the box rows 98..112 map to 98..112.
    region_transform({90, 90, 120, 120}, {REGION_FLIP, 1, -1, 0, snap_to_hole(210)});
    EXPECT_EQ(c->entry, flipped);
    EXPECT_EQ(c->ax, 100);
    EXPECT_EQ(c->ay, 100);
    expect_solder_counts_consistent();
}

TEST_F(RegionTest, DeleteRegionRemovesMembersAndMarksAndFreesMemory) {
    int32_t usage = temp_usage();
    add_wire(20, 20, 20, 60);
    ComponentRecord* c = add_component("SIL3", 0, 50, 20);
    set_description(c->desc, "J1");
    add_wire(300, 300, 300, 350);  // outside
    toggle_cell(35, 20);
    delete_region(Rect{0, 0, 100, 100});
    EXPECT_EQ(count_wires(), 1);
    EXPECT_EQ(count_components(), 0);
    EXPECT_EQ(cell_get(4, 7), 0);
    expect_solder_counts_consistent();
    WireRecord* rest = board.wire_list;
    board.wire_list = nullptr;
    delete_wire(rest);
    EXPECT_EQ(temp_usage(), usage);
}

TEST_F(RegionTest, CopiesKeepLongDescriptionsWhole) {
    ComponentRecord* c = add_component("NPN", 0, 100, 100);
    std::string long_text(255, 'd');
    set_description(c->desc, long_text.c_str());
    region_transform({90, 90, 120, 120}, {REGION_COPY, 1, 1, 100, 0});
    ASSERT_EQ(count_components(), 2);
    EXPECT_EQ(std::string(board.component_list->desc.text), long_text);
    EXPECT_EQ(board.component_list->ax, 200);
}

TEST_F(RegionTest, RotateTwiceRestoresTheBoard) {
    add_wire(20, 20, 20, 60);
    add_component("NPN", 4, 100, 100);
    add_component("DIL14", 0, 200, 100);
    toggle_cell(25, 20);
    toggle_cell(20, 45);
    std::string before = saved_board();
    Rect r{0, 0, 300, 200};
    apply_key('R', r);
    expect_solder_counts_consistent();
    apply_key('R', r);
    EXPECT_EQ(saved_board(), before);
    expect_solder_counts_consistent();
}

TEST_F(RegionTest, CopiesKeepDescriptionsLongerThanTheLineBuffer) {
    ComponentRecord* c = add_component("NPN", 0, 100, 100);
    std::string very_long(3000, 'y');
    set_description(c->desc, very_long.c_str());
    region_transform({90, 90, 120, 120}, {REGION_COPY, 1, 1, 0, 100});
    ASSERT_EQ(count_components(), 2);
    EXPECT_EQ(std::string(board.component_list->desc.text), very_long);
}
