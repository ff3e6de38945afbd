#pragma once
// What the parts of the browser page share: the page backend's state and
// its raw operations, called directly by the waiting gateway.
#include <cstddef>
#include <cstdint>
#include "shell/platform.h"

struct WebShellState {
    bool installed = false;       // the page backend is the platform
    int client_width = 639;       // the canvas, in pixels
    int client_height = 455;
    int max_client_width = 639;
    int max_client_height = 455;
    double last_yield_ms = 0;     // when the pump last let the browser run
    Rect unpainted{0, 0, -1, -1};  // presented, not yet painted into the canvas
    bool frame_requested = false;  // the page will paint at its next frame
    bool ended = false;
};

extern WebShellState web_shell;

// Makes the page backend the platform.
void web_install();
// Shows the framebuffer in the canvas at the browser's next frame, as the
// headless backend never does (the test mode's sessions).
void web_present(const Rect& rect);

void web_wait_event();
void web_pump_events();
int web_message_box(const char* caption, const char* text, bool with_cancel);
int web_ask(const char* label, const char* default_text, char* answer, size_t capacity);
int web_choose_file(char mode, const char* title, const char* initial_name,
                    const char* default_extension, const FileFilter* filters, int filter_count,
                    bool must_exist, char* path, size_t capacity);
int web_export_dialog(ExportDialogFields* fields, void (*format_clicked)(char format));
void web_help_viewer(const char* title);
