// Tests of the FLTK menu built from the menu table.
#include <gtest/gtest.h>
#include <FL/Enumerations.H>
#include <FL/Fl_Menu_Item.H>
#include <cctype>
#include <cstring>
#include <string>
#include <vector>
#include "shell/dialogs.h"
#include "shell/fltk/fltk_shell.h"
#include "shell/fltk/fltk_translate.h"
#include "shell/input.h"
#include "shell/menu_table.h"

namespace {

struct MenuEntry {
    std::string text;  // without the key hint
    std::string hint;
    int sent;          // the code the item stores in the key slot
};

// Every item of the menu, submenus included, chosen once.
std::vector<MenuEntry> choose_every_item() {
    std::vector<MenuEntry> entries;
    int depth = 0;
    for (const Fl_Menu_Item* item = fltk_menu_items();; ++item) {
        if (item->text == nullptr) {
            if (depth == 0) break;
            --depth;
            continue;
        }
        if (item->flags & FL_SUBMENU) {
            ++depth;
            continue;
        }
        std::string label = item->text;
        size_t tab = label.find('\t');
        input_reset();
        item->do_callback(nullptr);
        entries.push_back({label.substr(0, tab), tab == std::string::npos ? "" : label.substr(tab + 1),
                           input_state.key_available ? input_state.key_code : -1});
    }
    return entries;
}

// The code the main loop sees for a key hint ("ctl-o", "p", "<ESC>").
int code_of_hint(const std::string& hint) {
    KeyTranslation key;
    if (hint == "<ESC>")
        key = translate_key_down(FL_Escape, "\x1b", 1, false, false);
    else if (hint == "<DEL>")
        key = translate_key_down(FL_Delete, "\x7f", 1, false, false);
    else if (hint.compare(0, 4, "ctl-") == 0 && hint.size() == 5)
        key = translate_key_down(hint[4], "", 0, true, false);
    else if (hint.size() == 1)
        key = translate_key_down(hint[0], hint.c_str(), 1, false, false);
    input_reset();
    deliver_key_down(key);
    int code = input_state.key_available ? input_state.key_code : -1;
    return code >= 'a' && code <= 'z' ? code - 'a' + 'A' : code;  // as the main loop folds it
}

std::string without_marks(const std::string& text) {
    std::string plain;
    for (char c : text)
        if (c != '&') plain += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return plain;
}

}  // namespace

TEST(FltkMenu, ItemsSendTheCodesOfTheirKeyHints) {
    std::vector<MenuEntry> entries = choose_every_item();
    ASSERT_EQ(entries.size(), 43u);
    for (const MenuEntry& entry : entries) {
        EXPECT_GT(entry.sent, 0) << entry.text;
        if (entry.hint.empty()) continue;
        // Two hints name keys whose codes differ from the item's and do
        // the same: the Delete key gives the Backspace code, and h opens
        // the same topic by its title.
        if (entry.hint == "<DEL>") {
            EXPECT_EQ(entry.sent, 255);
            EXPECT_EQ(code_of_hint(entry.hint), 8);
        } else if (entry.text == "Quick &help") {
            EXPECT_EQ(entry.sent, 259);
        } else {
            EXPECT_EQ(entry.sent, code_of_hint(entry.hint)) << entry.text << " (" << entry.hint << ")";
        }
    }
}

TEST(FltkMenu, HelpItemsOpenTheTopicsTheyName) {
    int help_items = 0;
    for (const MenuEntry& entry : choose_every_item()) {
        if (entry.sent < 257) continue;
        ++help_items;
        const char* title = help_topic_title(entry.sent);
        ASSERT_NE(title, nullptr) << entry.text;
        if (entry.sent == 257) continue;  // "On-line manual" opens "Cuprolay manual"
        EXPECT_EQ(without_marks(entry.text), without_marks(title)) << entry.sent;
    }
    EXPECT_EQ(help_items, 17);
}

// The FLTK menu shows the rows of the portable table in order, with the
// separators where the table has them.
TEST(FltkMenu, FollowsThePortableTable) {
    const Fl_Menu_Item* item = fltk_menu_items();
    for (size_t i = 0; i < menu_table_size; ++i, ++item) {
        const MenuRow& row = menu_table[i];
        if (row.kind == MenuRowKind::Separator) {
            --item;
            continue;
        }
        if (row.kind == MenuRowKind::End) {
            EXPECT_EQ(item->text, nullptr) << i;
            continue;
        }
        ASSERT_NE(item->text, nullptr) << i;
        EXPECT_STREQ(item->text, row.text);
        EXPECT_EQ((item->flags & FL_SUBMENU) != 0, row.kind == MenuRowKind::Popup) << row.text;
        const bool divider_below = i + 1 < menu_table_size && menu_table[i + 1].kind == MenuRowKind::Separator;
        if (row.kind == MenuRowKind::Item) {
            EXPECT_EQ((item->flags & FL_MENU_DIVIDER) != 0, divider_below) << row.text;
            EXPECT_EQ(item->argument(), row.id) << row.text;
        }
    }
}
