// Tests of the command table, row by row.
#include <cstring>
#include <string>
#include "board/catalog.h"
#include "editor/commands.h"
#include "session_fixture.h"
#include "shell/codes.h"
#include "shell/menu_table.h"

namespace {

using CommandTableTest = SessionTest;

WireRecord* selected_plain_wire() {
    WireRecord* w = add_wire("WIRE", 0, 100, 100, 200, 100);
    board.wire_list = w->next;
    select_wire(w, 100, 100);
    return w;
}

}  // namespace

TEST_F(CommandTableTest, WireLettersGiveTheSelectedWireTheirType) {
    const struct {
        int code;
        const char* type;
    } expected[] = {{'W', "WIRE"}, {'R', "RES"}, {'C', "CAP"}, {'L', "IND"}, {'D', "DIODE"}};
    for (const auto& row : expected) {
        WireRecord* w = selected_plain_wire();
        ASSERT_NE(w, nullptr);
        editor_state.modified = false;
        dispatch_command(row.code);
        ASSERT_EQ(board.selected_wire, w) << char(row.code);
        EXPECT_STREQ(shape_catalog[w->entry].name, row.type) << char(row.code);
        EXPECT_TRUE(editor_state.modified) << char(row.code);
        deselect_all();
    }
    // Every wire row of the table is one of these.
    for (size_t i = 0; i < command_table_size; ++i) {
        if (command_table[i].when != WIRE_SELECTED) continue;
        bool listed = false;
        for (const auto& row : expected) listed |= row.code == command_table[i].code;
        EXPECT_TRUE(listed) << char(command_table[i].code);
    }
}

TEST_F(CommandTableTest, WireLettersWithoutAWireDoNothing) {
    for (int code : {'W', 'L', 'D'}) {
        dispatch_command(code);
        EXPECT_FALSE(editor_state.modified) << char(code);
    }
    EXPECT_EQ(board.wire_list, nullptr);
    EXPECT_EQ(transcript(), "");  // no help viewer, no dialog
}

// Every menu item reaches a command row or a help topic, and each code
// has one row for any selection, reached only when no wire row took it.
TEST(CommandTable, RowsCoverTheMenuAndEachCodeOnce) {
    for (size_t i = 0; i < command_table_size; ++i) {
        int any_rows = 0;
        for (size_t j = 0; j < command_table_size; ++j) {
            if (command_table[j].code != command_table[i].code) continue;
            if (command_table[j].when == ANY_SELECTION) ++any_rows;
            if (command_table[i].when == ANY_SELECTION && command_table[j].when == WIRE_SELECTED) {
                EXPECT_LT(j, i) << command_table[i].code;
            }
        }
        EXPECT_EQ(any_rows, 1) << command_table[i].code;
        EXPECT_NE(command_table[i].handler, nullptr);
    }
    for (size_t m = 0; m < menu_table_size; ++m) {
        const MenuRow& item = menu_table[m];
        if (item.kind != MenuRowKind::Item || (item.id >= HELP_FIRST && item.id <= HELP_LAST)) continue;
        bool found = false;
        for (size_t i = 0; i < command_table_size; ++i) found |= command_table[i].code == item.id;
        EXPECT_TRUE(found) << item.text;
    }
}
