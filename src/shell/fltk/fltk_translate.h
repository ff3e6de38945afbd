#pragma once
// Pure translations from FLTK's event values to the portable input calls
// and chooser inputs, kept apart from the widgets so that they can be
// tested without a display.
#include <cstddef>
#include <string>
#include "shell/input.h"
#include "shell/platform.h"

struct KeyTranslation {
    enum Kind { NONE, CHARACTER, KEY };
    Kind kind = NONE;
    int code = 0;                  // CHARACTER: the character code
    PlatformKey key = PKEY_OTHER;  // KEY: a key of the key-down table
};

// A key press: FLTK's key number, the text it typed and the modifiers.
// Alt combinations are left to the menu bar (its &-letters).
KeyTranslation translate_key_down(int fl_key, const char* text, int text_length, bool control,
                                  bool alt);
// A key release: the key whose slot it clears, PKEY_OTHER for the rest.
PlatformKey translate_key_up(int fl_key);
// Passes a translated press to the input slots.
void deliver_key_down(const KeyTranslation& key);

// FLTK counts quick presses on one spot (Fl::event_clicks(): 0, 1, 2...);
// the second of each pair is a double click, which the editor ignores.
bool is_second_press(int fl_clicks);

// The chooser's filter list: "label (pattern)" entries separated by tabs,
// the pattern in FLTK's notation ("{*.a,*.b}"; "*.*" is every file).
std::string fltk_filter_text(const FileFilter* filters, int count);
// FLTK's form of one pattern list such as "*.cpx;*.cyd".
std::string fltk_pattern(const char* pattern);

// Appends the default extension to a chosen name without one, as a
// save chooser does; false (path unchanged) when it would not fit.
bool apply_default_extension(char* path, size_t capacity, const char* extension);
