// Tests of the input slots and the poll operations.
#include "shell_fixture.h"

namespace {

class InputTest : public ShellTest {};

int close_requests = 0;
void count_close_request() { ++close_requests; }

// Event sources for the headless wait: each call dispatches one batch.
void press_and_release_left() {
    input_button(PBUTTON_LEFT, true, 40, 50, false);
    input_button(PBUTTON_LEFT, false, 40, 50, false);
}
int feed_calls = 0;
bool feed_one_batch() {
    if (feed_calls++ > 0) return false;
    press_and_release_left();
    return true;
}
bool feed_key_on_third_wait() {
    if (++feed_calls < 3) return false;
    input_char('k');
    return true;
}

TEST_F(InputTest, KeySlotHoldsOnlyTheNewestCodeAndIsTakenOnce) {
    input_char('a');
    input_menu(259);  // a menu id overwrites the unread character
    input_char('b');
    ASSERT_EQ(key_available(), 1);
    EXPECT_EQ(get_key(), 'b');
    EXPECT_EQ(key_available(), 0);

    input_menu(67);
    input_char(67);  // menu item and typed key: the same to the editor
    EXPECT_EQ(get_key(), 67);

    push_back_key(0x141);  // pushed-back codes are one byte
    EXPECT_EQ(get_key(), 0x41);
}

TEST_F(InputTest, KeyDownTableAndKeysWithoutCodes) {
    const struct { PlatformKey key; int code; } table[] = {
        {PKEY_UP, 16}, {PKEY_DOWN, 14}, {PKEY_RIGHT, 6},
        {PKEY_LEFT, 2}, {PKEY_DELETE, 8}, {PKEY_PRINT, 'P'},
    };
    for (const auto& row : table) {
        input_key_down(row.key);
        ASSERT_EQ(key_available(), 1) << row.code;
        EXPECT_EQ(get_key(), row.code);
    }
    input_char(8);  // Backspace gives the same code as Delete
    EXPECT_EQ(get_key(), 8);

    input_key_down(PKEY_OTHER);
    input_key_down(PKEY_CONTROL);
    input_key_down(PKEY_LEFT_SHIFT);
    EXPECT_EQ(key_available(), 0);
    EXPECT_EQ(input_state.control, 1);
    input_key_up(PKEY_CONTROL);
    EXPECT_EQ(input_state.control, 0);
}

TEST_F(InputTest, EachShiftSlotFollowsItsOwnKeyAndActsAsItsButton) {
    input_pointer_move(120, 80);
    int x = 0, y = 0;
    input_key_down(PKEY_LEFT_SHIFT);
    input_key_down(PKEY_RIGHT_SHIFT);
    input_key_up(PKEY_LEFT_SHIFT);
    EXPECT_EQ(input_state.left_shift, 0);
    EXPECT_EQ(input_state.right_shift, 1);
    EXPECT_EQ(left_state(&x, &y), 0);
    EXPECT_NE(right_state(&x, &y), 0);
    EXPECT_EQ(x, 120);
    EXPECT_EQ(y, 80);
    input_key_up(PKEY_RIGHT_SHIFT);
    EXPECT_EQ(right_state(&x, &y), 0);

    input_key_down(PKEY_LEFT_SHIFT);
    EXPECT_NE(left_state(&x, &y), 0);  // the same as holding the left button
}

TEST_F(InputTest, ButtonsMoveThePointerButNotOnTheSecondPressOfADoubleClick) {
    input_button(PBUTTON_RIGHT, true, 7, 9, false);
    EXPECT_EQ(input_state.right_button, 1);
    EXPECT_EQ(input_state.pointer_x, 7);
    input_button(PBUTTON_RIGHT, false, 8, 9, false);
    EXPECT_EQ(input_state.right_button, 0);

    input_button(PBUTTON_LEFT, true, 30, 31, true);
    EXPECT_EQ(input_state.left_button, 0);
    EXPECT_EQ(input_state.pointer_x, 8);
}

TEST_F(InputTest, PressAndReleaseInOnePumpLeaveTheButtonUp) {
    feed_calls = 0;
    headless_state.feed_event = feed_one_batch;
    wait_for_message();
    int x, y;
    EXPECT_EQ(left_state(&x, &y), 0);
    EXPECT_EQ(x, 40);
    EXPECT_EQ(y, 50);
}

TEST_F(InputTest, ZoomTwentyHalvesPointerCoordinatesTruncatingTowardZero) {
    input_pointer_move(101, -3);
    int x, y;
    left_state(&x, &y);
    EXPECT_EQ(x, 101);
    EXPECT_EQ(y, -3);
    canvas.zoom = 20;
    right_state(&x, &y);
    EXPECT_EQ(x, 50);
    EXPECT_EQ(y, -1);
    EXPECT_EQ(window_to_model(101), 50);
    EXPECT_EQ(model_to_window(50), 100);
}

TEST_F(InputTest, PointerWarpArrivesAsMotionInWindowPixels) {
    canvas.zoom = 20;
    pointer_warp(100, 60);
    EXPECT_TRUE(headless_state.warp_pending);
    EXPECT_EQ(headless_state.warp_x, 200);
    EXPECT_EQ(headless_state.warp_y, 120);
    EXPECT_EQ(input_state.pointer_hide_counter, -1);

    close_requests = 0;
    close_request_handler = count_close_request;
    wait_for_message();
    EXPECT_FALSE(headless_state.warp_pending);
    EXPECT_EQ(close_requests, 0);  // the motion came before the event source
    int x, y;
    left_state(&x, &y);
    EXPECT_EQ(x, 100);
    EXPECT_EQ(y, 60);
}

TEST_F(InputTest, PointerHideCounterOnlyReachesThePlatformWhenShowsOutnumberHides) {
    EXPECT_EQ(input_state.pointer_hide_counter, -1);
    {
        PointerHidden outer;
        PointerHidden inner;
        EXPECT_EQ(input_state.pointer_hide_counter, -3);
        EXPECT_TRUE(headless_state.pointer_visible);
    }
    EXPECT_EQ(input_state.pointer_hide_counter, -1);

    headless_state.pointer_visible = false;
    show_pointer();  // counter reaches 0: the platform shows the pointer
    EXPECT_EQ(input_state.pointer_hide_counter, 0);
    EXPECT_TRUE(headless_state.pointer_visible);
    hide_pointer();  // hides from 0
    EXPECT_FALSE(headless_state.pointer_visible);
    EXPECT_EQ(input_state.pointer_hide_counter, -1);
}

TEST_F(InputTest, ExhaustedEventsCloseTheWindowAtEveryWait) {
    close_requests = 0;
    close_request_handler = count_close_request;
    wait_for_message();
    EXPECT_TRUE(headless_state.closed);
    EXPECT_EQ(close_requests, 1);
    wait_for_message();
    EXPECT_EQ(close_requests, 2);
}

TEST_F(InputTest, GetKeyWithoutAKeySleepsInTheWaitUntilOneArrives) {
    close_requests = 0;
    close_request_handler = count_close_request;
    feed_calls = 0;
    headless_state.feed_event = feed_key_on_third_wait;
    EXPECT_EQ(get_key(), 'k');
    EXPECT_EQ(close_requests, 2);
}

TEST_F(InputTest, DefaultCloseRequestEndsTheProcessWithStatusZero) {
    EXPECT_EXIT(input_close_request(), ::testing::ExitedWithCode(0), "");
}

}  // namespace
