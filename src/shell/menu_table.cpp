// The rows of the main menu "mainmenu", in display order.
#include "shell/menu_table.h"
#include "shell/codes.h"

namespace {

constexpr MenuRow item(const char* text, int id) { return {MenuRowKind::Item, text, id}; }
constexpr MenuRow popup(const char* text) { return {MenuRowKind::Popup, text, 0}; }
constexpr MenuRow separator() { return {MenuRowKind::Separator, nullptr, 0}; }
constexpr MenuRow end() { return {MenuRowKind::End, nullptr, 0}; }

}  // namespace

const MenuRow menu_table[] = {
    popup("&File"),
        item("&Open/New...\tctl-o", KEY_OPEN),
        item("&Save\tctl-s", KEY_SAVE),
        item("Save &as...\tctl-w", KEY_SAVE_AS),
        item("&Insert file...\tctl-i", KEY_INSERT_FILE),
        separator(),
        item("&Print...\tp", 'P'),
        item("&Cancel\t<ESC>", KEY_ESCAPE),
        item("&Quit\tq", 'Q'),
        end(),
    popup("&Edit"),
        item("&Undo\tu", 'U'),
        item("&Redo\tr", 'R'),
        separator(),
        popup("&Wire"),
            item("&Wire\tw", 'W'),
            item("&Resistive\tr", 'R'),
            item("&Capacitive\tc", 'C'),
            item("&Inductive\tl", 'L'),
            item("&Diode\td", 'D'),
            end(),
        item("&Component...\tc", 'C'),
        item("&Text...\tt", 'T'),
        item("&Variants\tv", 'V'),
        item("&d:o reverse\tctl-v", KEY_REVERSE_VARIANT),
        separator(),
        item("&Mirror\tm", 'M'),
        item("&Flip\tf", 'F'),
        item("&Select all\tctl-a", KEY_SELECT_ALL),
        separator(),
        item("&Delete\t<DEL>", KEY_DELETE_MENU),
        end(),
    popup("&View"),
        item("&Redraw\tctl-l", KEY_REDRAW),
        item("&Zoom toggle\tz", 'Z'),
        end(),
    popup("&Advanced"),
        item("&Load font bitmap\tb", 'B'),
        item("&Garbage collection\tctl-g", KEY_GARBAGE_COLLECT),
        end(),
    popup("&Help"),
        item("Quick &help\th", HELP_QUICK),
        item("Cuprolay &basics", HELP_BASICS),
        item("Commands in alphabetical &order", HELP_COMMANDS),
        separator(),
        item("&Creating objects", HELP_CREATING),
        item("&Selecting and deselecting objects", HELP_SELECTING),
        item("&Editing objects", HELP_EDITING),
        item("Mo&ving objects", HELP_MOVING),
        item("&Region commands", HELP_REGIONS),
        separator(),
        item("&File commands", HELP_FILES),
        item("&Printing", HELP_PRINTING),
        item("&Display commands", HELP_DISPLAY),
        item("&Undo and redo", HELP_UNDO),
        item("&Miscellaneous commands", HELP_MISCELLANEOUS),
        separator(),
        item("Windows and Linux &Installation", HELP_INSTALLATION),
        item("&On-line manual", HELP_MANUAL),
        item("C&uprolay philosophy and history", HELP_PHILOSOPHY),
        item("&About Cuprolay", HELP_ABOUT),
        end(),
    end(),
};

const size_t menu_table_size = sizeof menu_table / sizeof menu_table[0];
