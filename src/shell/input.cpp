// The input slots, the event translation into them and the poll operations.
#include "shell/input.h"
#include "graphics/canvas.h"
#include "shell/platform.h"
#include "shell/codes.h"

InputState input_state;

void input_reset() { input_state = InputState{}; }

static void end_on_close() { platform->end_process(0); }

void (*close_request_handler)() = end_on_close;

// The slots are not a queue: a newer code overwrites one nobody read yet.
static void store_key(int code) {
    input_state.key_code = code;
    input_state.key_available = 1;
}

void input_char(int code) { store_key(code); }

void input_menu(int id) { store_key(id); }

void input_key_down(PlatformKey key) {
    switch (key) {
    // The arrows give the codes of ctrl-P, ctrl-N, ctrl-F and ctrl-B; the
    // control slot decides whether the editor nudges or moves the pointer.
    case PKEY_UP: store_key(KEY_UP); break;
    case PKEY_DOWN: store_key(KEY_DOWN); break;
    case PKEY_RIGHT: store_key(KEY_RIGHT); break;
    case PKEY_LEFT: store_key(KEY_LEFT); break;
    case PKEY_DELETE: store_key(KEY_BACKSPACE); break;
    case PKEY_PRINT: store_key('P'); break;
    case PKEY_CONTROL: input_state.control = 1; break;
    case PKEY_LEFT_SHIFT: input_state.left_shift = 1; break;
    case PKEY_RIGHT_SHIFT: input_state.right_shift = 1; break;
    case PKEY_OTHER: break;  // printable keys arrive through input_char
    }
}

void input_key_up(PlatformKey key) {
    // Each shift slot follows its own key, so releasing one shift while
    // the other is held leaves the other's slot set.
    switch (key) {
    case PKEY_CONTROL: input_state.control = 0; break;
    case PKEY_LEFT_SHIFT: input_state.left_shift = 0; break;
    case PKEY_RIGHT_SHIFT: input_state.right_shift = 0; break;
    default: break;
    }
}

void input_button(PlatformButton button, bool down, int window_x, int window_y, bool double_click) {
    // The second press of a double click is not a press for the editor.
    if (double_click) return;
    if (button == PBUTTON_LEFT)
        input_state.left_button = down ? 1 : 0;
    else
        input_state.right_button = down ? 1 : 0;
    input_state.pointer_x = window_x;
    input_state.pointer_y = window_y;
}

void input_pointer_move(int window_x, int window_y) {
    input_state.pointer_x = window_x;
    input_state.pointer_y = window_y;
}

void input_close_request() {
    if (close_request_handler == nullptr) close_request_handler = end_on_close;
    close_request_handler();
}

void pump_messages() {
    platform_pump_events();
    present_changes();
}

// What was drawn is shown before the wait sleeps: shown only on waking,
// the last step of a drag would stay off the window until the next event.
void wait_for_message() {
    present_changes();
    platform_wait_event();
    present_changes();
}

int key_available() {
    pump_messages();
    return input_state.key_available;
}

int get_key() {
    // Callers ask key_available first; should one not, sleep in the wait
    // rather than spin on the pump.
    while (!key_available()) wait_for_message();
    input_state.key_available = 0;
    return input_state.key_code;
}

void push_back_key(int code) { store_key(code & 0xFF); }

int window_to_model(int v) { return canvas.zoom == 20 ? v / 2 : v; }

int model_to_window(int v) { return canvas.zoom == 20 ? v * 2 : v; }

int left_state(int* x, int* y) {
    *x = window_to_model(input_state.pointer_x);
    *y = window_to_model(input_state.pointer_y);
    return input_state.left_button || input_state.left_shift;
}

int right_state(int* x, int* y) {
    *x = window_to_model(input_state.pointer_x);
    *y = window_to_model(input_state.pointer_y);
    return input_state.right_button || input_state.right_shift;
}

void pointer_warp(int x, int y) {
    PointerHidden hidden;
    int wx = model_to_window(x);
    int wy = model_to_window(y);
    // Twice in a row: repeating the same point is harmless and settles a
    // pointer that lags the first move.
    platform->warp_pointer(wx, wy);
    platform->warp_pointer(wx, wy);
}

// The counter starts at -1, so balanced brackets never reach the platform.
void hide_pointer() {
    if (input_state.pointer_hide_counter == 0) platform->set_pointer_visible(false);
    --input_state.pointer_hide_counter;
}

void show_pointer() {
    ++input_state.pointer_hide_counter;
    if (input_state.pointer_hide_counter == 0) platform->set_pointer_visible(true);
}
