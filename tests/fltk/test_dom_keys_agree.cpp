// The browser's key rules against the desktop's: for every key and
// modifier both must put the same thing into the input slots.
#include <gtest/gtest.h>
#include <FL/Enumerations.H>
#include <cctype>
#include <cstring>
#include <string>
#include "shell/dom_keys.h"
#include "shell/fltk/fltk_translate.h"
#include "shell/input.h"

namespace {

// The slots after one press (and the release of the same key).
std::string slots_after(bool browser, const char* dom_key, const char* dom_code, int fl_key,
                        const char* fl_text, bool control, bool alt) {
    input_reset();
    if (browser) {
        deliver_dom_key(dom_key_down(dom_key, dom_code, control, alt));
    } else {
        deliver_key_down(translate_key_down(fl_key, fl_text, static_cast<int>(std::strlen(fl_text)), control, alt));
    }
    std::string seen = std::to_string(input_state.key_available) + "/" + std::to_string(input_state.key_code) + "/" +
                       std::to_string(input_state.control) + std::to_string(input_state.left_shift) +
                       std::to_string(input_state.right_shift);
    if (browser)
        input_key_up(dom_key_up(dom_key, dom_code));
    else
        input_key_up(translate_key_up(fl_key));
    return seen + "/" + std::to_string(input_state.control) + std::to_string(input_state.left_shift) +
           std::to_string(input_state.right_shift);
}

void expect_same(const char* dom_key, const char* dom_code, int fl_key, const char* fl_text) {
    for (int modifiers = 0; modifiers < 4; ++modifiers) {
        bool control = (modifiers & 1) != 0, alt = (modifiers & 2) != 0;
        EXPECT_EQ(slots_after(true, dom_key, dom_code, fl_key, fl_text, control, alt),
                  slots_after(false, dom_key, dom_code, fl_key, fl_text, control, alt))
            << "key \"" << dom_key << "\" code " << dom_code << " control " << control << " alt " << alt;
    }
}

}  // namespace

TEST(DomKeysAgree, EveryPrintableCharacterWithEveryModifier) {
    for (int c = 32; c < 127; ++c) {
        const char text[2] = {static_cast<char>(c), '\0'};
        // FLTK numbers a letter key by its lower-case letter, whatever the shift.
        int fl_key = std::isalpha(c) ? std::tolower(c) : c;
        expect_same(text, "", fl_key, text);
    }
    expect_same("\xc3\xa4", "", 0xe4, "\xc3\xa4");  // a Latin-1 letter as UTF-8
    expect_same("\xe2\x82\xac", "", 0x20ac, "\xe2\x82\xac");  // the euro sign types nothing
}

TEST(DomKeysAgree, NamedKeysWithEveryModifier) {
    struct Named {
        const char* key;
        const char* code;
        int fl_key;
        const char* fl_text;
    };
    const Named named[] = {
        {"ArrowUp", "ArrowUp", FL_Up, ""},       {"ArrowDown", "ArrowDown", FL_Down, ""},
        {"ArrowLeft", "ArrowLeft", FL_Left, ""}, {"ArrowRight", "ArrowRight", FL_Right, ""},
        {"Delete", "Delete", FL_Delete, "\x7f"}, {"PrintScreen", "PrintScreen", FL_Print, ""},
        {"Control", "ControlLeft", FL_Control_L, ""}, {"Control", "ControlRight", FL_Control_R, ""},
        {"Shift", "ShiftLeft", FL_Shift_L, ""},  {"Shift", "ShiftRight", FL_Shift_R, ""},
        {"Enter", "Enter", FL_Enter, "\r"},      {"Enter", "NumpadEnter", FL_KP_Enter, "\r"},
        {"Backspace", "Backspace", FL_BackSpace, "\b"}, {"Tab", "Tab", FL_Tab, "\t"},
        {"Escape", "Escape", FL_Escape, "\x1b"}, {"F1", "F1", FL_F + 1, ""},
        {"Home", "Home", FL_Home, ""},           {"Alt", "AltLeft", FL_Alt_L, ""},
    };
    for (const Named& n : named) expect_same(n.key, n.code, n.fl_key, n.fl_text);
}

TEST(DomKeysAgree, DoubleClicksAreEverySecondPress) {
    // The browser counts presses from 1, FLTK from 0.
    for (int press = 1; press <= 6; ++press) EXPECT_EQ(dom_is_second_press(press), is_second_press(press - 1)) << press;
}
