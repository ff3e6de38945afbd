// The FLTK menu while the help viewer is open: as inert as the board.
#include <gtest/gtest.h>
#include <FL/Enumerations.H>
#include <FL/Fl_Menu_Item.H>
#include "shell/fltk/fltk_shell.h"
#include "shell/input.h"
#include "support/board_builders.h"

// Every item, chosen while help is open, leaves nothing for the editor,
// neither then nor once help has closed; chosen with help closed, the
// same item does reach the editor, so the drop is help's doing.
TEST(FltkMenuWhileHelpOpen, EveryChoiceIsDroppedNotKeptForAfter) {
    int items = 0, depth = 0;
    for (const Fl_Menu_Item* item = fltk_menu_items(); depth > 0 || item->text != nullptr; ++item) {
        if (item->text == nullptr || (item->flags & FL_SUBMENU)) {
            depth += item->text == nullptr ? -1 : 1;
            continue;
        }
        ++items;
        reset_everything();
        input_state.help_open = 1;
        item->do_callback(nullptr);
        EXPECT_EQ(key_available(), 0) << item->text;
        input_state.help_open = 0;
        EXPECT_EQ(key_available(), 0) << item->text << " (after help closed)";
        item->do_callback(nullptr);
        ASSERT_NE(key_available(), 0) << item->text;
        EXPECT_EQ(get_key(), static_cast<int>(item->argument())) << item->text;
    }
    EXPECT_EQ(items, 43);
    reset_everything();
}
