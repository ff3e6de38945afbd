// The menu "mainmenu": every item sends its id as a key code. An item's
// key hint (the text after the tab) is shown right-aligned; it is only a
// hint, the keys themselves arrive as typed characters.
#include <FL/Fl.H>
#include <FL/Fl_Menu_Bar.H>
#include <FL/Fl_Menu_Item.H>
#include <FL/fl_draw.H>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>
#include "shell/fltk/fltk_shell.h"
#include "shell/input.h"
#include "shell/menu_table.h"

namespace {

constexpr Fl_Labeltype HINT_LABEL = FL_FREE_LABELTYPE;
constexpr int HINT_GAP = 28;

// Splits "text\thint" into its two parts.
void split_hint(const char* label, std::string* text, std::string* hint) {
    const char* tab = std::strchr(label, '\t');
    *text = tab ? std::string(label, tab) : std::string(label);
    *hint = tab ? std::string(tab + 1) : std::string();
}

void draw_hint_label(const Fl_Label* label, int x, int y, int w, int h, Fl_Align align) {
    std::string text, hint;
    split_hint(label->value, &text, &hint);
    fl_font(label->font, label->size);
    fl_color(label->color);
    fl_draw(text.c_str(), x, y, w, h, align, nullptr, 0);
    if (!hint.empty())
        fl_draw(hint.c_str(), x, y, w - 4, h, Fl_Align(FL_ALIGN_RIGHT | FL_ALIGN_CLIP), nullptr, 0);
}

void measure_hint_label(const Fl_Label* label, int& w, int& h) {
    std::string text, hint;
    split_hint(label->value, &text, &hint);
    fl_font(label->font, label->size);
    int tw = 0, th = 0, hw = 0, hh = 0;
    fl_measure(text.c_str(), tw, th, 0);
    if (!hint.empty()) fl_measure(hint.c_str(), hw, hh, 0);
    w = tw + (hint.empty() ? 0 : HINT_GAP + hw + 4);
    h = std::max(th, hh);
}

// While the help viewer is open the menu is as inert as the board: a
// choice is dropped, not kept for after, and the viewer comes forward.
void menu_item_chosen(Fl_Widget*, void* id) {
    if (input_state.help_open) {
        if (fltk_shell.help_window != nullptr) fltk_shell.help_window->show();
        return;
    }
    input_menu(static_cast<int>(reinterpret_cast<intptr_t>(id)));
}

// FLTK marks a separator on the entry above it, so a Separator row sets
// the divider flag of the last entry at its level (an item or a popup).
std::vector<Fl_Menu_Item> build_menu_items() {
    std::vector<Fl_Menu_Item> items;
    std::vector<size_t> open_popups;
    size_t last_at_level = 0;
    for (size_t i = 0; i < menu_table_size; ++i) {
        const MenuRow& row = menu_table[i];
        switch (row.kind) {
        case MenuRowKind::Item:
            last_at_level = items.size();
            items.push_back({row.text, 0, menu_item_chosen, reinterpret_cast<void*>(intptr_t{row.id}), 0,
                             HINT_LABEL, 0, 0, 0});
            break;
        case MenuRowKind::Popup:
            open_popups.push_back(items.size());
            items.push_back({row.text, 0, nullptr, nullptr, FL_SUBMENU, 0, 0, 0, 0});
            break;
        case MenuRowKind::Separator:
            if (!items.empty()) items[last_at_level].flags |= FL_MENU_DIVIDER;
            break;
        case MenuRowKind::End:
            items.push_back({nullptr, 0, nullptr, nullptr, 0, 0, 0, 0, 0});
            if (!open_popups.empty()) {
                last_at_level = open_popups.back();
                open_popups.pop_back();
            }
            break;
        }
    }
    return items;
}

std::vector<Fl_Menu_Item>& main_menu() {
    static std::vector<Fl_Menu_Item> items = build_menu_items();
    return items;
}

}  // namespace

void fltk_build_menu(Fl_Menu_Bar* bar) {
    Fl::set_labeltype(HINT_LABEL, draw_hint_label, measure_hint_label);
    bar->box(FL_FLAT_BOX);
    bar->menu(main_menu().data());
}

const Fl_Menu_Item* fltk_menu_items() { return main_menu().data(); }
