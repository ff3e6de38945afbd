#pragma once
// The browser's keyboard events in the portable input terms: what a
// KeyboardEvent's key and code names mean for the editor. Free of any
// browser header so that the native tests cover the rules.
#include "shell/input.h"

struct DomKey {
    enum Kind { NONE, CHARACTER, KEY };
    Kind kind = NONE;
    int code = 0;                  // CHARACTER: the character code
    PlatformKey key = PKEY_OTHER;  // KEY: a key of the key-down table
};

// A key press: the event's key ("a", "Enter", "ArrowUp"...), its code
// ("ShiftLeft"...) and the modifiers. Alt combinations are left to the
// menu bar (its access letters).
DomKey dom_key_down(const char* key, const char* code, bool control, bool alt);
// A key release: the key whose slot it clears, PKEY_OTHER for the rest.
PlatformKey dom_key_up(const char* key, const char* code);
// Passes a translated press to the input slots.
void deliver_dom_key(const DomKey& key);
// The browser counts presses in a row on one spot from 1 (event.detail);
// the second of each pair is a double click, which the editor ignores.
bool dom_is_second_press(int detail);
