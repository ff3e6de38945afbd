#pragma once
// The main menu as portable data: every backend builds its menu from these rows.
#include <cstddef>

enum class MenuRowKind { Item, Popup, Separator, End };

// Item: text ("&" marks the access letter, "\t" starts the key hint) and the
// code it sends. Popup: opens a submenu closed by an End row. Separator: a
// line between the neighbouring rows. The table ends with an End at depth 0.
struct MenuRow {
    MenuRowKind kind;
    const char* text;
    int id;
};

extern const MenuRow menu_table[];
extern const size_t menu_table_size;
