#pragma once
// The raw operations a backend supplies. Every rule about what an event
// or an answer means lives in the portable shell code; a backend only
// feeds the input slots (shell/input.h) and shows raw widgets.
#include <cstddef>
#include "graphics/canvas.h"

struct FileFilter {
    const char* label;
    const char* pattern;
};

// What the export dialog edits, as the widgets show it.
struct ExportDialogFields {
    char format;           // 'D', 'P', 'Q' or 'G'
    char hscale_text[256]; // "%.2f" on entry; as typed on exit
    char vscale_text[256];
};

// What every modal dialog returns, from the backend up to the editor.
enum DialogResult : int { DIALOG_OK = 0, DIALOG_CANCEL = 1 };

struct PlatformBackend {
    // Sleep until the next platform event, then dispatch it and whatever
    // else is pending through the input translation.
    void (*wait_event)();
    // Dispatch what is pending without waiting.
    void (*pump_events)();
    // Move the system pointer to a window pixel.
    void (*warp_pointer)(int window_x, int window_y);
    void (*set_pointer_visible)(bool visible);
    // Show the given framebuffer pixels (the changed part) in the window.
    void (*present)(const Rect& rect);
    void (*fit_client_area)(int width, int height);
    void (*desktop_size)(int* width, int* height);
    // Modal message box; DIALOG_CANCEL or DIALOG_OK.
    int (*message_box)(const char* caption, const char* text, bool with_cancel);
    // Modal one-line prompt; on OK copies the field's raw text into
    // answer (at most capacity - 1 bytes) and returns DIALOG_OK; else DIALOG_CANCEL.
    int (*ask)(const char* label, const char* default_text, char* answer, size_t capacity);
    // Open ('r') or save ('w') chooser; on a choice copies the path and
    // returns DIALOG_OK; else DIALOG_CANCEL. The overwrite question is not the chooser's.
    int (*choose_file)(char mode, const char* title, const char* initial_name,
                       const char* default_extension, const FileFilter* filters,
                       int filter_count, bool must_exist, char* path, size_t capacity);
    // The export dialog; format clicks are reported at once through
    // format_clicked; DIALOG_OK (fields hold the typed text) or DIALOG_CANCEL.
    int (*export_dialog)(ExportDialogFields* fields, void (*format_clicked)(char format));
    // The help viewer: shows the manual scrolled to the first occurrence
    // of title (letter case ignored); returns when it is closed.
    void (*help_viewer)(const char* title);
    // The largest client size the user may drag the window to.
    void (*set_max_client_size)(int width, int height);
    // Teardown and end of the process with the given status.
    void (*end_process)(int status);
};

extern PlatformBackend* platform;
// Installs the backend (null: one that shows nothing, answers OK to a
// message and Cancel to everything else) and routes the arena's
// out-of-memory box and program end through it.
void set_platform(PlatformBackend* backend);

// Repaint: the whole framebuffer to the window.
void blit_to_window();
// Shows what changed since the last present (called by the pump).
void present_changes();

// The operations that may wait for the user, called as plain functions
// rather than through the table: a backend that suspends the program
// while it waits (the browser page) can only unwind through direct calls.
// platform_calls.cpp forwards them to the table; the page links its own.
void platform_wait_event();
void platform_pump_events();
int platform_message_box(const char* caption, const char* text, bool with_cancel);
int platform_ask(const char* label, const char* default_text, char* answer, size_t capacity);
int platform_choose_file(char mode, const char* title, const char* initial_name,
                         const char* default_extension, const FileFilter* filters, int filter_count,
                         bool must_exist, char* path, size_t capacity);
int platform_export_dialog(ExportDialogFields* fields, void (*format_clicked)(char format));
void platform_help_viewer(const char* title);
