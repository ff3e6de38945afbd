// The line formatters: the exact bytes of every line form, and lines too
// long for the caller's buffer.
#include <cstdint>
#include <string>

#include "fileio_fixture.h"

namespace {

class LineFormatTest : public BoardFileTest {};

std::string component_text(const ComponentRecord* c) {
    char buffer[BOARD_LINE_SIZE];
    const int length = format_component_line(buffer, sizeof buffer, c);
    EXPECT_EQ(length, static_cast<int>(std::string(buffer).size()));
    return buffer;
}

std::string wire_text(const WireRecord* w) {
    char buffer[BOARD_LINE_SIZE];
    const int length = format_wire_line(buffer, sizeof buffer, w);
    EXPECT_EQ(length, static_cast<int>(std::string(buffer).size()));
    return buffer;
}

TEST_F(LineFormatTest, ComponentAndTextLines) {
    ComponentRecord* npn = add_component("NPN", 0, 100, 100);
    ASSERT_NE(npn, nullptr);
    EXPECT_EQ(component_text(npn), "NPN 0 20 20 ");
    set_description(npn->desc, "Q1");
    npn->desc.x = 105;
    npn->desc.y = 95;
    EXPECT_EQ(component_text(npn), "NPN 0 20 20 * 105 95 Q1");

    // An alias is stored under the catalog row it leads to, shift included.
    ComponentRecord* dip = add_component("DIP14", 1, 200, 100);
    ASSERT_NE(dip, nullptr);
    EXPECT_EQ(component_text(dip), "DIL14 1 40 20 ");
    ComponentRecord* npn2 = add_component("NPN_2", 0, 300, 100);
    ASSERT_NE(npn2, nullptr);
    EXPECT_EQ(component_text(npn2), "NPN 4 60 18 ");

    ComponentRecord* text = add_text(40, 30, "Power");
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(component_text(text), "TEXT * 40 30 Power");
    set_description(text->desc, "");
    EXPECT_EQ(component_text(text), "TEXT ");

    // Descriptions keep their spaces, leading and trailing ones too.
    set_description(npn->desc, "  two  words ");
    EXPECT_EQ(component_text(npn), "NPN 0 20 20 * 105 95   two  words ");
}

TEST_F(LineFormatTest, WireLinesUseTheRowsOwnNameAndSignedDivision) {
    WireRecord* res = add_wire("RES", 0, 50, 50, 50, 100);
    ASSERT_NE(res, nullptr);
    EXPECT_EQ(wire_text(res), "RES 0 10 10 10 20 ");

    WireRecord* xtal = add_wire("WIRE", 1, 10, 20, 40, 20);
    ASSERT_NE(xtal, nullptr);
    EXPECT_EQ(wire_text(xtal), "XTAL 1 2 4 8 4 ");
    set_description(xtal->desc, "8 MHz");
    xtal->desc.x = -3;
    xtal->desc.y = 16;
    EXPECT_EQ(wire_text(xtal), "XTAL 1 2 4 8 4 * -3 16 8 MHz");

    // Off the board, left of and above it: divisions truncate toward zero.
    WireRecord* off = add_wire("DIODE", 3, -7, -12, -7, 13);
    ASSERT_NE(off, nullptr);
    EXPECT_EQ(wire_text(off), "DIODE 3 -1 -2 -1 2 ");
}

TEST_F(LineFormatTest, CellAndStripLines) {
    char buffer[BOARD_LINE_SIZE];
    EXPECT_EQ(format_cell_line(buffer, sizeof buffer, 20, 13), 9);
    EXPECT_STREQ(buffer, "CUT 13 20");
    format_cell_line(buffer, sizeof buffer, 3, 4);
    EXPECT_STREQ(buffer, "BRIDGE 4 3");
    format_cell_line(buffer, sizeof buffer, 80, 126);
    EXPECT_STREQ(buffer, "BRIDGE 126 80");
    EXPECT_EQ(format_strip_line(buffer, sizeof buffer, 10, 4, 12), 13);
    EXPECT_STREQ(buffer, "STRIP 4 12 10");
}

TEST_F(LineFormatTest, LongDescriptionsAreNeverCutSilently) {
    // The longest answer the prompt gives always fits the line buffer.
    const std::string longest(255, 'w');
    ComponentRecord* dil = add_component("DIL40", 1, -400000, -400000);
    ASSERT_NE(dil, nullptr);
    set_description(dil->desc, longest.c_str());
    // The widest numbers, on a copy that is not on the board (no drawing sees it).
    ComponentRecord widest = *dil;
    widest.next = nullptr;
    widest.desc.x = INT32_MIN;
    widest.desc.y = INT32_MAX;
    const std::string expected = "DIL40 1 -80000 -80000 * -2147483648 2147483647 " + longest;
    EXPECT_EQ(component_text(&widest), expected);
    EXPECT_EQ(component_line(&widest), expected);

    // A longer one (from a file) does not fit: the formatter says so, and
    // the string form gives it whole.
    const std::string huge(3000, 'h');
    WireRecord* w = add_wire("CAP", 1, 0, 0, 0, 10);
    ASSERT_NE(w, nullptr);
    set_description(w->desc, huge.c_str());
    char buffer[BOARD_LINE_SIZE];
    EXPECT_LT(format_wire_line(buffer, sizeof buffer, w), 0);
    EXPECT_EQ(std::string(buffer).size(), static_cast<size_t>(BOARD_LINE_SIZE - 1));
    const std::string whole = wire_line(w);
    EXPECT_EQ(whole, "CAP 1 0 0 0 2 * " + std::to_string(w->desc.x) + " " + std::to_string(w->desc.y) +
                         " " + huge);

    // A small buffer: cut, terminated, and reported.
    char small[10];
    EXPECT_LT(format_cell_line(small, 8, 20, 13), 0);
    EXPECT_STREQ(small, "CUT 13 ");
    EXPECT_EQ(format_cell_line(small, sizeof small, 20, 13), 9);
}

TEST_F(LineFormatTest, MarkedCellSearches) {
    cell_set(10, 0, 1);   // hole
    cell_set(10, 7, 1);   // cut
    cell_set(10, 12, 2);  // hole with two leads
    EXPECT_EQ(next_marked_hole(10, 0), 0);
    EXPECT_EQ(next_marked_hole(10, 1), 12);  // rounded up, the cut is not a hole
    EXPECT_EQ(next_marked_hole(10, 13), -1);
    EXPECT_EQ(next_marked_hole(10, -1), -1);
    EXPECT_EQ(next_marked_cell(10, 1), 7);
    EXPECT_EQ(next_marked_cell(10, 8), 12);
    EXPECT_EQ(next_marked_cell(10, 13), -1);
    EXPECT_EQ(next_marked_cell(10, 127), -1);
    cell_set(10, 126, 1);
    EXPECT_EQ(next_marked_hole(10, 125), 126);
    EXPECT_EQ(next_marked_cell(10, 126), 126);
}

}  // namespace
