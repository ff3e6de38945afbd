// Browser key names to the portable input calls.
#include "shell/dom_keys.h"
#include <cstring>

namespace {

DomKey character(int code) {
    DomKey t;
    t.kind = DomKey::CHARACTER;
    t.code = code;
    return t;
}

DomKey key(PlatformKey k) {
    DomKey t;
    t.kind = DomKey::KEY;
    t.key = k;
    return t;
}

bool is(const char* a, const char* b) { return a != nullptr && std::strcmp(a, b) == 0; }

// The one character code of a key name that types text: a single byte,
// or a two-byte UTF-8 sequence of a Latin-1 letter; 0 for anything else.
int typed_code(const char* text) {
    if (text == nullptr) return 0;
    size_t length = std::strlen(text);
    auto c0 = static_cast<unsigned char>(text[0]);
    if (length == 1) return c0 < 0x80 ? c0 : 0;
    if (length != 2) return 0;
    auto c1 = static_cast<unsigned char>(text[1]);
    if ((c0 == 0xC2 || c0 == 0xC3) && (c1 & 0xC0) == 0x80) return ((c0 & 0x1F) << 6) | (c1 & 0x3F);
    return 0;
}

PlatformKey shift_of(const char* code) { return is(code, "ShiftRight") ? PKEY_RIGHT_SHIFT : PKEY_LEFT_SHIFT; }

}  // namespace

DomKey dom_key_down(const char* name, const char* code, bool control, bool alt) {
    if (is(name, "ArrowUp")) return key(PKEY_UP);
    if (is(name, "ArrowDown")) return key(PKEY_DOWN);
    if (is(name, "ArrowRight")) return key(PKEY_RIGHT);
    if (is(name, "ArrowLeft")) return key(PKEY_LEFT);
    if (is(name, "Delete")) return key(PKEY_DELETE);
    if (is(name, "PrintScreen")) return key(PKEY_PRINT);
    if (is(name, "Control")) return key(PKEY_CONTROL);
    if (is(name, "Shift")) return key(shift_of(code));
    if (alt) return DomKey{};
    // Keys that type a control character whatever the layout.
    if (is(name, "Enter")) return character(control ? 10 : 13);
    if (is(name, "Backspace")) return character(control ? 127 : 8);
    if (is(name, "Tab")) return character(9);
    if (is(name, "Escape")) return character(27);
    int typed = typed_code(name);
    // Control with a letter types its control code, 1 for a to 26 for z,
    // whichever shift is held.
    if (control) {
        if (typed >= 'a' && typed <= 'z') return character(typed - 'a' + 1);
        if (typed >= 'A' && typed <= 'Z') return character(typed - 'A' + 1);
    }
    if (typed == 0 || typed == 127 || typed < 32) return DomKey{};
    return character(typed);
}

PlatformKey dom_key_up(const char* name, const char* code) {
    if (is(name, "Control")) return PKEY_CONTROL;
    if (is(name, "Shift")) return shift_of(code);
    return PKEY_OTHER;
}

void deliver_dom_key(const DomKey& t) {
    if (t.kind == DomKey::CHARACTER)
        input_char(t.code);
    else if (t.kind == DomKey::KEY)
        input_key_down(t.key);
}

bool dom_is_second_press(int detail) { return detail >= 2 && detail % 2 == 0; }
