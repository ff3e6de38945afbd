// Tests of the FLTK event translation.
#include <gtest/gtest.h>
#include <FL/Enumerations.H>
#include <cstring>
#include <string>
#include "shell/fltk/fltk_translate.h"
#include "shell/input.h"

namespace {

// Presses a key through the translation into the slots and returns the
// key code it stored (-1 for none).
int typed(int fl_key, const char* text, bool control = false, bool alt = false) {
    input_reset();
    deliver_key_down(translate_key_down(fl_key, text, static_cast<int>(std::strlen(text)), control, alt));
    return input_state.key_available ? input_state.key_code : -1;
}

}  // namespace

TEST(FltkKeys, CharactersKeepTheirCodes) {
    EXPECT_EQ(typed('a', "a"), 'a');
    EXPECT_EQ(typed('a', "A"), 'A');  // with shift
    EXPECT_EQ(typed('5', "5"), '5');
    EXPECT_EQ(typed(' ', " "), 32);
    EXPECT_EQ(typed(FL_Enter, "\r"), 13);
    EXPECT_EQ(typed(FL_KP_Enter, "\r"), 13);
    EXPECT_EQ(typed(FL_Escape, "\x1b"), 27);
    EXPECT_EQ(typed(FL_Tab, "\t"), 9);
    EXPECT_EQ(typed(FL_BackSpace, "\b"), 8);
    EXPECT_EQ(typed(0xe4, "\xc3\xa4"), 0xe4);  // a Latin-1 letter typed as UTF-8
    EXPECT_EQ(typed('x', "\xe2\x82\xac"), -1);  // no single-byte code
    EXPECT_EQ(typed(FL_F + 1, ""), -1);
}

TEST(FltkKeys, ControlLettersGiveOneToTwentySix) {
    EXPECT_EQ(typed('a', "\x01", true), 1);
    EXPECT_EQ(typed('s', "", true), 19);  // whatever text the layout gave
    EXPECT_EQ(typed('z', "\x1a", true), 26);
    EXPECT_EQ(typed(FL_Enter, "\r", true), 10);
    // Alt-letters are the menu bar's.
    EXPECT_EQ(typed('f', "f", false, true), -1);
}

TEST(FltkKeys, KeyDownTableKeys) {
    EXPECT_EQ(typed(FL_Up, ""), 16);
    EXPECT_EQ(typed(FL_Down, ""), 14);
    EXPECT_EQ(typed(FL_Right, ""), 6);
    EXPECT_EQ(typed(FL_Left, ""), 2);
    EXPECT_EQ(typed(FL_Delete, "\x7f"), 8);  // the Delete key, not its text
    EXPECT_EQ(typed(FL_Print, ""), 80);
    EXPECT_EQ(typed(FL_Up, "", false, true), 16);
}

TEST(FltkKeys, ShiftsAndControlFollowTheirOwnKeys) {
    input_reset();
    deliver_key_down(translate_key_down(FL_Shift_L, "", 0, false, false));
    deliver_key_down(translate_key_down(FL_Shift_R, "", 0, false, false));
    deliver_key_down(translate_key_down(FL_Control_R, "", 0, false, false));
    EXPECT_EQ(input_state.left_shift, 1);
    EXPECT_EQ(input_state.right_shift, 1);
    EXPECT_EQ(input_state.control, 1);
    EXPECT_EQ(input_state.key_available, 0);

    input_key_up(translate_key_up(FL_Shift_R));
    EXPECT_EQ(input_state.left_shift, 1);
    EXPECT_EQ(input_state.right_shift, 0);
    input_key_up(translate_key_up(FL_Shift_L));
    EXPECT_EQ(input_state.left_shift, 0);
    input_key_up(translate_key_up(FL_Control_L));
    EXPECT_EQ(input_state.control, 0);
    EXPECT_EQ(translate_key_up('a'), PKEY_OTHER);
    EXPECT_EQ(translate_key_up(FL_Up), PKEY_OTHER);
}

TEST(FltkMouse, EverySecondQuickPressIsADoubleClick) {
    EXPECT_FALSE(is_second_press(0));
    EXPECT_TRUE(is_second_press(1));
    EXPECT_FALSE(is_second_press(2));  // a third quick press is a press again
    EXPECT_TRUE(is_second_press(3));

    input_reset();
    input_button(PBUTTON_LEFT, true, 10, 20, is_second_press(1));
    EXPECT_EQ(input_state.left_button, 0);
}

TEST(FltkChooser, FilterListInFltkNotation) {
    EXPECT_EQ(fltk_pattern("*.cpx;*.cyd;*.ver"), "{*.cpx,*.cyd,*.ver}");
    EXPECT_EQ(fltk_pattern("*.bmp"), "*.bmp");
    EXPECT_EQ(fltk_pattern("*.*"), "*");
    EXPECT_EQ(fltk_pattern(""), "*");

    FileFilter filters[] = {{"Cuprolay files (.cpx,.cyd)", "*.cpx;*.cyd"}, {"All files", "*.*"}};
    EXPECT_EQ(fltk_filter_text(filters, 2), "Cuprolay files [.cpx,.cyd] ({*.cpx,*.cyd})\tAll files (*)");
    FileFilter slashed[] = {{"a/b", "*.x"}};
    EXPECT_EQ(fltk_filter_text(slashed, 1), "a|b (*.x)");
}

TEST(FltkChooser, DefaultExtensionOnlyForNamesWithout) {
    char path[32] = "/tmp/board";
    EXPECT_TRUE(apply_default_extension(path, sizeof path, ".cpx"));
    EXPECT_STREQ(path, "/tmp/board.cpx");
    EXPECT_TRUE(apply_default_extension(path, sizeof path, ".cpx"));
    EXPECT_STREQ(path, "/tmp/board.cpx");

    char other[32] = "/tmp.d/notes.txt";
    apply_default_extension(other, sizeof other, ".cpx");
    EXPECT_STREQ(other, "/tmp.d/notes.txt");
    char dotted_dir[32] = "/tmp.d/board";
    apply_default_extension(dotted_dir, sizeof dotted_dir, ".cpx");
    EXPECT_STREQ(dotted_dir, "/tmp.d/board.cpx");

    // No room: the name stays as it was.
    char tight[12] = "/tmp/boards";
    EXPECT_FALSE(apply_default_extension(tight, sizeof tight, ".cpx"));
    EXPECT_STREQ(tight, "/tmp/boards");
}
