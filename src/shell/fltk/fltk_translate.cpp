// Translation of FLTK key and mouse events into input slot events.
#include "shell/fltk/fltk_translate.h"
#include <FL/Enumerations.H>
#include "shell/codes.h"
#include <cstring>
#include "shell/dialogs.h"

namespace {

KeyTranslation character(int code) {
    KeyTranslation t;
    t.kind = KeyTranslation::CHARACTER;
    t.code = code;
    return t;
}

KeyTranslation key(PlatformKey k) {
    KeyTranslation t;
    t.kind = KeyTranslation::KEY;
    t.key = k;
    return t;
}

// The one character code of a typed text: a single byte, or a two-byte
// UTF-8 sequence of a Latin-1 letter; 0 for anything else.
int typed_code(const char* text, int length) {
    if (text == nullptr || length <= 0) return 0;
    unsigned char c0 = static_cast<unsigned char>(text[0]);
    if (length == 1) return c0 < 0x80 ? c0 : 0;
    unsigned char c1 = static_cast<unsigned char>(text[1]);
    if (length == 2 && (c0 == 0xC2 || c0 == 0xC3) && (c1 & 0xC0) == 0x80)
        return ((c0 & 0x1F) << 6) | (c1 & 0x3F);
    return 0;
}

}  // namespace

KeyTranslation translate_key_down(int fl_key, const char* text, int text_length, bool control,
                                  bool alt) {
    switch (fl_key) {
    case FL_Up: return key(PKEY_UP);
    case FL_Down: return key(PKEY_DOWN);
    case FL_Right: return key(PKEY_RIGHT);
    case FL_Left: return key(PKEY_LEFT);
    case FL_Delete: return key(PKEY_DELETE);
    case FL_Print: return key(PKEY_PRINT);
    case FL_Control_L:
    case FL_Control_R: return key(PKEY_CONTROL);
    case FL_Shift_L: return key(PKEY_LEFT_SHIFT);
    case FL_Shift_R: return key(PKEY_RIGHT_SHIFT);
    default: break;
    }
    if (alt) return KeyTranslation{};
    // Keys that type a control character whatever the layout.
    switch (fl_key) {
    case FL_Enter:
    case FL_KP_Enter: return character(control ? KEY_LINE_FEED : KEY_ENTER);
    case FL_BackSpace: return character(control ? 127 : KEY_BACKSPACE);
    case FL_Tab: return character(KEY_TAB);
    case FL_Escape: return character(KEY_ESCAPE);
    default: break;
    }
    // Control with a letter types its control code, 1 for a to 26 for z.
    if (control && fl_key >= 'a' && fl_key <= 'z') return character(fl_key - 'a' + 1);
    int code = typed_code(text, text_length);
    if (code == 0 || code == 127) return KeyTranslation{};
    return character(code);
}

PlatformKey translate_key_up(int fl_key) {
    switch (fl_key) {
    case FL_Control_L:
    case FL_Control_R: return PKEY_CONTROL;
    case FL_Shift_L: return PKEY_LEFT_SHIFT;
    case FL_Shift_R: return PKEY_RIGHT_SHIFT;
    default: return PKEY_OTHER;
    }
}

void deliver_key_down(const KeyTranslation& t) {
    if (t.kind == KeyTranslation::CHARACTER)
        input_char(t.code);
    else if (t.kind == KeyTranslation::KEY)
        input_key_down(t.key);
}

bool is_second_press(int fl_clicks) { return fl_clicks % 2 == 1; }

std::string fltk_pattern(const char* pattern) {
    std::string parts[16];
    int count = 0;
    std::string current;
    for (const char* p = pattern ? pattern : "";; ++p) {
        if (*p == ';' || *p == '\0') {
            // "*.*" is every file on the platform this list was written for.
            if (current == "*.*") current = "*";
            if (!current.empty() && count < 16) parts[count++] = current;
            current.clear();
            if (*p == '\0') break;
        } else {
            current += *p;
        }
    }
    if (count == 0) return "*";
    if (count == 1) return parts[0];
    std::string joined = "{";
    for (int i = 0; i < count; ++i) joined += (i ? "," : "") + parts[i];
    return joined + "}";
}

std::string fltk_filter_text(const FileFilter* filters, int count) {
    std::string text;
    for (int i = 0; i < count; ++i) {
        if (i > 0) text += '\t';
        // FLTK takes what follows the first '(' of an entry as its pattern,
        // and a '/' would open a submenu in its choice, so the label's own
        // parentheses become brackets and its slashes bars.
        for (const char* p = filters[i].label; *p != '\0'; ++p) {
            char c = *p;
            text += c == '(' ? '[' : c == ')' ? ']' : c == '/' ? '|' : c;
        }
        text += " (" + fltk_pattern(filters[i].pattern) + ")";
    }
    return text;
}

bool apply_default_extension(char* path, size_t capacity, const char* extension) {
    if (extension == nullptr || extension[0] == '\0' || extension_offset(path) != 0) return true;
    size_t length = std::strlen(path);
    if (length == 0 || path[length - 1] == '/') return true;
    // The extension is given with its dot (".cpx").
    const char* suffix = extension[0] == '.' ? extension + 1 : extension;
    size_t extra = 1 + std::strlen(suffix);
    if (length + extra + 1 > capacity) return false;
    path[length] = '.';
    std::strcpy(path + length + 1, suffix);
    return true;
}
