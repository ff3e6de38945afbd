// The installed backend and the null backend in place before one.
#include "shell/platform.h"
#include <cstdlib>
#include "core/arena.h"

// The backend in place before one is installed: it shows nothing, answers
// OK to messages and Cancel to everything else, so the core never meets a
// null platform.
namespace {
void null_wait_event() {}
void null_pump_events() {}
void null_warp_pointer(int, int) {}
void null_set_pointer_visible(bool) {}
void null_present(const Rect&) {}
void null_fit_client_area(int, int) {}
void null_desktop_size(int* width, int* height) {
    *width = 1024;
    *height = 768;
}
int null_message_box(const char*, const char*, bool) { return DIALOG_OK; }
int null_ask(const char*, const char*, char*, size_t) { return DIALOG_CANCEL; }
int null_choose_file(char, const char*, const char*, const char*, const FileFilter*, int, bool,
                     char*, size_t) {
    return DIALOG_CANCEL;
}
int null_export_dialog(ExportDialogFields*, void (*)(char)) { return DIALOG_CANCEL; }
void null_help_viewer(const char*) {}
void null_set_max_client_size(int, int) {}
void null_end_process(int status) { std::exit(status); }

PlatformBackend null_backend = {
    .wait_event = null_wait_event,
    .pump_events = null_pump_events,
    .warp_pointer = null_warp_pointer,
    .set_pointer_visible = null_set_pointer_visible,
    .present = null_present,
    .fit_client_area = null_fit_client_area,
    .desktop_size = null_desktop_size,
    .message_box = null_message_box,
    .ask = null_ask,
    .choose_file = null_choose_file,
    .export_dialog = null_export_dialog,
    .help_viewer = null_help_viewer,
    .set_max_client_size = null_set_max_client_size,
    .end_process = null_end_process,
};

// The end of the program when memory runs out, in whatever backend is up.
void fatal_message(const char* caption, const char* text) { platform->message_box(caption, text, false); }
void terminate_program(int status) { platform->end_process(status); }

}  // namespace

PlatformBackend* platform = &null_backend;

void set_platform(PlatformBackend* backend) {
    platform = backend ? backend : &null_backend;
    temp_arena.fatal_message = fatal_message;
    temp_arena.terminate = terminate_program;
}

void blit_to_window() {
    platform->present(Rect{0, 0, FRAMEBUFFER_WIDTH - 1, FRAMEBUFFER_HEIGHT - 1});
}

void present_changes() {
    Rect rect = take_changed_rect();
    if (!rect.empty()) platform->present(rect);
}
