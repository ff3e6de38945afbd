// Tests of the portable menu table every backend builds its menu from.
#include <gtest/gtest.h>
#include <string>
#include "shell/codes.h"
#include "shell/dialogs.h"
#include "shell/menu_table.h"

TEST(MenuTable, PopupsAreBalancedAndSeparatorsLieBetweenItems) {
    int depth = 0, items = 0, popups = 0;
    for (size_t i = 0; i < menu_table_size; ++i) {
        const MenuRow& row = menu_table[i];
        switch (row.kind) {
        case MenuRowKind::Popup: ++depth; ++popups; break;
        case MenuRowKind::End: --depth; break;
        case MenuRowKind::Item:
            ++items;
            ASSERT_NE(row.text, nullptr);
            EXPECT_GT(row.id, 0) << row.text;
            EXPECT_LE(row.id, HELP_LAST) << row.text;
            break;
        case MenuRowKind::Separator:
            // FLTK and Win32 both draw a separator between two entries of one level.
            ASSERT_GT(i, 0u);
            ASSERT_LT(i + 1, menu_table_size);
            EXPECT_NE(menu_table[i - 1].kind, MenuRowKind::Popup);
            EXPECT_NE(menu_table[i + 1].kind, MenuRowKind::End);
            EXPECT_NE(menu_table[i + 1].kind, MenuRowKind::Separator);
            break;
        }
        ASSERT_GE(depth, i + 1 == menu_table_size ? -1 : 0) << i;
    }
    EXPECT_EQ(depth, -1);  // the last End closes the menu bar itself
    EXPECT_EQ(items, 43);
    EXPECT_EQ(popups, 6);
}

TEST(MenuTable, EveryHelpTopicHasExactlyOneItem) {
    for (int topic = HELP_FIRST; topic <= HELP_LAST; ++topic) {
        ASSERT_NE(help_topic_title(topic), nullptr) << topic;
        int found = 0;
        for (size_t i = 0; i < menu_table_size; ++i)
            if (menu_table[i].kind == MenuRowKind::Item && menu_table[i].id == topic) ++found;
        EXPECT_EQ(found, 1) << topic;
    }
    EXPECT_EQ(help_topic_title(HELP_FIRST - 1), nullptr);
    EXPECT_EQ(help_topic_title(HELP_LAST + 1), nullptr);
}
