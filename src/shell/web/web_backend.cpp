// The page backend's window half: the canvas that shows the framebuffer,
// the waits, and the entry points the page's event handlers call.
#include <emscripten.h>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include "core/arena.h"
#include "graphics/canvas.h"
#include "shell/dom_keys.h"
#include "shell/input.h"
#include "shell/platform.h"
#include "shell/web/web_shell.h"

WebShellState web_shell;

namespace {

// The framebuffer as the canvas takes it: RGBA, opaque.
uint8_t rgba[FRAMEBUFFER_HEIGHT][FRAMEBUFFER_WIDTH][4];
bool rgba_ready = false;

// Suspends until an event handler calls CU.wake().
EM_ASYNC_JS(void, js_wait_event, (), { await CU.waitEvent(); });
// Lets the browser run its pending tasks (events, painting) once.
EM_ASYNC_JS(void, js_yield, (), { await CU.yieldOnce(); });
// Asks for a paint at the browser's next animation frame.
EM_JS(void, js_request_frame, (), { CU.requestFrame(); });
EM_JS(void, js_fit, (int width, int height), { CU.fit(width, height); });
EM_JS(void, js_desktop, (int* width, int* height), {
    HEAP32[width >> 2] = window.innerWidth;
    HEAP32[height >> 2] = window.innerHeight;
});
EM_JS(void, js_pointer_visible, (int visible), { CU.pointerVisible(visible); });
EM_JS(void, js_ended, (int status), { CU.ended(status); });
EM_JS(void, js_fatal, (const char* caption, const char* text),
      { CU.fatal(UTF8ToString(caption), UTF8ToString(text)); });

// Pump calls closer together than this do not give the browser a turn.
constexpr double YIELD_INTERVAL_MS = 25;

void prepare_rgba() {
    if (rgba_ready) return;
    for (auto& row : rgba)
        for (auto& pixel : row) pixel[3] = 255;
    rgba_ready = true;
}

void web_warp_pointer(int window_x, int window_y) {
    // A page cannot move the system pointer; the editor sees the move as
    // a desktop would report it, and the next real motion takes over.
    input_pointer_move(window_x, window_y);
}

void web_set_pointer_visible(bool visible) { js_pointer_visible(visible ? 1 : 0); }

void web_fit_client_area(int width, int height) {
    web_shell.client_width = std::max(1, std::min(width, web_shell.max_client_width));
    web_shell.client_height = std::max(1, std::min(height, web_shell.max_client_height));
    js_fit(web_shell.client_width, web_shell.client_height);
    blit_to_window();
}

void web_desktop_size(int* width, int* height) { js_desktop(width, height); }

void web_set_max_client_size(int width, int height) {
    web_shell.max_client_width = width;
    web_shell.max_client_height = height;
}

void web_end_process(int status) {
    std::fflush(stdout);
    std::fflush(stderr);
    web_shell.ended = true;
    js_ended(status);
    // Nothing runs after the end: the page stays as it was.
    emscripten_force_exit(status);
}

// The out-of-memory box is asked for deep inside an allocation, through
// the arena's hook, where the page cannot suspend; the program ends right
// after it, so the page shows the text with its end notice instead.
void web_fatal_message(const char* caption, const char* text) {
    js_fatal(caption ? caption : "", text ? text : "");
}

PlatformBackend web_backend = {
    .wait_event = web_wait_event,
    .pump_events = web_pump_events,
    .warp_pointer = web_warp_pointer,
    .set_pointer_visible = web_set_pointer_visible,
    .present = web_present,
    .fit_client_area = web_fit_client_area,
    .desktop_size = web_desktop_size,
    .message_box = web_message_box,
    .ask = web_ask,
    .choose_file = web_choose_file,
    .export_dialog = web_export_dialog,
    .help_viewer = web_help_viewer,
    .set_max_client_size = web_set_max_client_size,
    .end_process = web_end_process,
};

}  // namespace

void web_present(const Rect& rect) {
    if (rect.empty()) return;
    // Nothing is converted here: many presents fall between two frames of
    // the browser (a scripted session's all do), and the frame converts
    // once the part they changed.
    Rect& pending = web_shell.unpainted;
    pending = pending.empty() ? rect
                              : Rect{std::min(pending.x0, rect.x0), std::min(pending.y0, rect.y0),
                                     std::max(pending.x1, rect.x1), std::max(pending.y1, rect.y1)};
    if (web_shell.frame_requested) return;
    web_shell.frame_requested = true;
    js_request_frame();
}

void web_wait_event() {
    // What the last command drew is shown before the page sleeps, not
    // after the next event.
    present_changes();
    js_wait_event();
    web_shell.last_yield_ms = emscripten_get_now();
}

void web_pump_events() {
    double now = emscripten_get_now();
    if (now - web_shell.last_yield_ms < YIELD_INTERVAL_MS) return;
    js_yield();
    web_shell.last_yield_ms = emscripten_get_now();
}

void web_install() {
    web_shell = WebShellState{};
    web_shell.installed = true;
    set_platform(&web_backend);
    temp_arena.fatal_message = web_fatal_message;
    js_fit(web_shell.client_width, web_shell.client_height);
}

// The page's event handlers; each returns 1 when it used the event.
extern "C" {

// The animation frame's paint: the framebuffer's part presented since the
// last frame, as RGBA in the buffer returned, whose rectangle goes to out
// (x0, y0, x1, y1, the board's shown width and height, then the buffer's
// width and height, all pixels).
// Returns null when nothing of the board is to be painted.
EMSCRIPTEN_KEEPALIVE const uint8_t* web_frame(int* out) {
    web_shell.frame_requested = false;
    const Rect rect = web_shell.unpainted;
    web_shell.unpainted = Rect{0, 0, -1, -1};
    if (rect.empty()) return nullptr;
    prepare_rgba();
    // Only the board's part of the framebuffer is shown, as on the desktop.
    const int scale = canvas.zoom == 20 ? 2 : 1;
    const int x1 = std::min({rect.x1, 631 * scale - 1, FRAMEBUFFER_WIDTH - 1});
    const int y1 = std::min({rect.y1, 401 * scale - 1, FRAMEBUFFER_HEIGHT - 1});
    const int x0 = std::max(rect.x0, 0), y0 = std::max(rect.y0, 0);
    if (x0 > x1 || y0 > y1) return nullptr;
    for (int y = y0; y <= y1; ++y) {
        const uint8_t* from = canvas.framebuffer[y][x0];
        uint8_t* to = rgba[y][x0];
        for (int x = x0; x <= x1; ++x, from += 3, to += 4) {
            to[0] = from[0];
            to[1] = from[1];
            to[2] = from[2];
        }
    }
    const int frame[8] = {x0, y0, x1, y1, 631 * scale, 401 * scale, FRAMEBUFFER_WIDTH, FRAMEBUFFER_HEIGHT};
    std::copy(frame, frame + 8, out);
    return &rgba[0][0][0];
}

EMSCRIPTEN_KEEPALIVE int web_key_down(const char* key, const char* code, int control, int alt) {
    DomKey translated = dom_key_down(key, code, control != 0, alt != 0);
    if (translated.kind == DomKey::NONE) return 0;
    if (!input_state.help_open) deliver_dom_key(translated);
    return 1;
}

EMSCRIPTEN_KEEPALIVE int web_key_up(const char* key, const char* code) {
    PlatformKey released = dom_key_up(key, code);
    if (released == PKEY_OTHER) return 0;
    input_key_up(released);
    return 1;
}

EMSCRIPTEN_KEEPALIVE void web_button(int right, int down, int x, int y, int detail) {
    input_button(right ? PBUTTON_RIGHT : PBUTTON_LEFT, down != 0, x, y,
                 down != 0 && dom_is_second_press(detail));
}

EMSCRIPTEN_KEEPALIVE void web_pointer_move(int x, int y) { input_pointer_move(x, y); }

EMSCRIPTEN_KEEPALIVE void web_menu(int id) { input_menu(id); }

}  // extern "C"
