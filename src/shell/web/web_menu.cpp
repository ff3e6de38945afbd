// The page's menu bar comes from the portable menu table, handed to the
// page's script as JSON rows.
#include <emscripten.h>
#include <string>
#include "shell/menu_table.h"

namespace {

void append_quoted(std::string* out, const char* text) {
    *out += '"';
    for (const char* p = text ? text : ""; *p != '\0'; ++p) {
        if (*p == '"' || *p == '\\') {
            *out += '\\';
            *out += *p;
        } else if (*p == '\t') {
            *out += "\\t";
        } else {
            *out += *p;
        }
    }
    *out += '"';
}

const char* kind_name(MenuRowKind kind) {
    switch (kind) {
    case MenuRowKind::Item: return "item";
    case MenuRowKind::Popup: return "popup";
    case MenuRowKind::Separator: return "separator";
    case MenuRowKind::End: return "end";
    }
    return "end";
}

}  // namespace

// [{"kind": "popup", "text": "&File", "id": 0}, ...] in table order.
extern "C" EMSCRIPTEN_KEEPALIVE const char* web_menu_rows() {
    static std::string json;
    json = "[";
    for (size_t i = 0; i < menu_table_size; ++i) {
        const MenuRow& row = menu_table[i];
        if (i > 0) json += ',';
        json += "{\"kind\":\"";
        json += kind_name(row.kind);
        json += "\",\"text\":";
        append_quoted(&json, row.text);
        json += ",\"id\":" + std::to_string(row.id) + "}";
    }
    json += "]";
    return json.c_str();
}
