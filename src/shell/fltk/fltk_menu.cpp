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
#include "shell/fltk/fltk_shell.h"
#include "shell/input.h"

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

void menu_item_chosen(Fl_Widget*, void* id) { input_menu(static_cast<int>(reinterpret_cast<intptr_t>(id))); }

#define ITEM(text, id) {text, 0, menu_item_chosen, reinterpret_cast<void*>(id), 0, HINT_LABEL, 0, 0, 0}
#define ITEM_THEN_SEPARATOR(text, id) \
    {text, 0, menu_item_chosen, reinterpret_cast<void*>(id), FL_MENU_DIVIDER, HINT_LABEL, 0, 0, 0}
#define POPUP(text) {text, 0, nullptr, nullptr, FL_SUBMENU, 0, 0, 0, 0}
#define POPUP_THEN_SEPARATOR(text) {text, 0, nullptr, nullptr, FL_SUBMENU | FL_MENU_DIVIDER, HINT_LABEL, 0, 0, 0}
#define END {nullptr, 0, nullptr, nullptr, 0, 0, 0, 0, 0}

Fl_Menu_Item main_menu[] = {
    POPUP("&File"),
        ITEM("&Open/New...\tctl-o", 15),
        ITEM("&Save\tctl-s", 19),
        ITEM("Save &as...\tctl-w", 23),
        ITEM_THEN_SEPARATOR("&Insert file...\tctl-i", 9),
        ITEM("&Print...\tp", 80),
        ITEM("&Cancel\t<ESC>", 27),
        ITEM("&Quit\tq", 81),
        END,
    POPUP("&Edit"),
        ITEM("&Undo\tu", 85),
        ITEM_THEN_SEPARATOR("&Redo\tr", 82),
        POPUP("&Wire"),
            ITEM("&Wire\tw", 87),
            ITEM("&Resistive\tr", 82),
            ITEM("&Capacitive\tc", 67),
            ITEM("&Inductive\tl", 76),
            ITEM("&Diode\td", 68),
            END,
        ITEM("&Component...\tc", 67),
        ITEM("&Text...\tt", 84),
        ITEM("&Variants\tv", 86),
        ITEM_THEN_SEPARATOR("&d:o reverse\tctl-v", 22),
        ITEM("&Mirror\tm", 77),
        ITEM("&Flip\tf", 70),
        ITEM_THEN_SEPARATOR("&Select all\tctl-a", 1),
        ITEM("&Delete\t<DEL>", 255),
        END,
    POPUP("&View"),
        ITEM("&Redraw\tctl-l", 12),
        ITEM("&Zoom toggle\tz", 90),
        END,
    POPUP("&Advanced"),
        ITEM("&Load font bitmap\tb", 66),
        ITEM("&Garbage collection\tctl-g", 7),
        END,
    POPUP("&Help"),
        ITEM("Quick &help\th", 259),
        ITEM("Cuprolay &basics", 261),
        ITEM_THEN_SEPARATOR("Commands in alphabetical &order", 273),
        ITEM("&Creating objects", 262),
        ITEM("&Selecting and deselecting objects", 263),
        ITEM("&Editing objects", 264),
        ITEM("Mo&ving objects", 265),
        ITEM_THEN_SEPARATOR("&Region commands", 266),
        ITEM("&File commands", 267),
        ITEM("&Printing", 268),
        ITEM("&Display commands", 269),
        ITEM("&Undo and redo", 270),
        ITEM_THEN_SEPARATOR("&Miscellaneous commands", 271),
        ITEM("Windows and Linux &Installation", 272),
        ITEM("&On-line manual", 257),
        ITEM("C&uprolay philosophy and history", 260),
        ITEM("&About Cuprolay", 258),
        END,
    END,
};

#undef ITEM
#undef ITEM_THEN_SEPARATOR
#undef POPUP
#undef POPUP_THEN_SEPARATOR
#undef END

}  // namespace

void fltk_build_menu(Fl_Menu_Bar* bar) {
    Fl::set_labeltype(HINT_LABEL, draw_hint_label, measure_hint_label);
    bar->box(FL_FLAT_BOX);
    bar->menu(main_menu);
}

const Fl_Menu_Item* fltk_menu_items() { return main_menu; }
