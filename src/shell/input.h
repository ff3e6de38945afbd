#pragma once
// The input slots that the backend fills and the editor polls, the
// translation of platform events into them (shared by every backend),
// and the poll operations.
#include <cstdint>

struct InputState {
    int32_t key_code = 0;
    int32_t key_available = 0;
    int32_t left_button = 0;
    int32_t right_button = 0;
    int32_t pointer_x = 0;  // window client pixels
    int32_t pointer_y = 0;
    int32_t left_shift = 0;
    int32_t right_shift = 0;
    int32_t control = 0;
    int32_t help_open = 0;
    int32_t pointer_hide_counter = -1;
};

extern InputState input_state;
void input_reset();

// Keys a backend reports by their meaning rather than a character.
enum PlatformKey {
    PKEY_UP,
    PKEY_DOWN,
    PKEY_RIGHT,
    PKEY_LEFT,
    PKEY_DELETE,
    PKEY_PRINT,
    PKEY_CONTROL,
    PKEY_LEFT_SHIFT,
    PKEY_RIGHT_SHIFT,
    PKEY_OTHER,
};

enum PlatformButton { PBUTTON_LEFT, PBUTTON_RIGHT };

// Event translation, called by backends for each platform event. The key
// slot holds one code: a newer one overwrites a code not yet read.
void input_char(int code);               // a typed character (control letters 1..26)
void input_menu(int id);                 // a menu item: its id goes to the key slot
void input_key_down(PlatformKey key);
void input_key_up(PlatformKey key);
// double_click: the second press of a quick double click, which is ignored.
void input_button(PlatformButton button, bool down, int window_x, int window_y, bool double_click);
void input_pointer_move(int window_x, int window_y);
// The window's close box; the editor installs what it means.
void input_close_request();
extern void (*close_request_handler)();

// Poll operations. Each shows what was drawn (present_changes) around
// its dispatch, so the window is current whenever the editor looks.
void pump_messages();      // dispatch what is pending, no wait
void wait_for_message();   // sleep until an event, then pump
// Pumps, then says whether a key code waits in the slot.
int key_available();
// Takes the waiting code, sleeping until there is one.
int get_key();
// Puts a code back for the next get_key (only its low byte).
void push_back_key(int code);
// The pointer in model units always; nonzero while the button or its
// shift key is down (left shift for the left button, right for right).
int left_state(int* x, int* y);
int right_state(int* x, int* y);
void pointer_warp(int x, int y);  // model units
// Nesting brackets around drawing, counted from -1: balanced pairs leave
// the backend alone; only the count crossing 0 shows or hides the pointer.
void hide_pointer();
void show_pointer();

// Model coordinate of a window pixel at the current zoom (and back).
int window_to_model(int v);
int model_to_window(int v);

// RAII form of the pointer-hide bracket.
struct PointerHidden {
    PointerHidden() { hide_pointer(); }
    ~PointerHidden() { show_pointer(); }
    PointerHidden(const PointerHidden&) = delete;
    PointerHidden& operator=(const PointerHidden&) = delete;
};
