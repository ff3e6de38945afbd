// The page's gateway for the operations that wait: direct calls into the
// page backend, so that the program can suspend inside them. Sessions on
// another backend (the test mode's scripts) never suspend and go through
// the table.
#include "shell/platform.h"
#include "shell/web/web_shell.h"

void platform_wait_event() {
    if (web_shell.installed)
        web_wait_event();
    else
        platform->wait_event();
}

void platform_pump_events() {
    if (web_shell.installed)
        web_pump_events();
    else
        platform->pump_events();
}

int platform_message_box(const char* caption, const char* text, bool with_cancel) {
    if (web_shell.installed) return web_message_box(caption, text, with_cancel);
    return platform->message_box(caption, text, with_cancel);
}

int platform_ask(const char* label, const char* default_text, char* answer, size_t capacity) {
    if (web_shell.installed) return web_ask(label, default_text, answer, capacity);
    return platform->ask(label, default_text, answer, capacity);
}

int platform_choose_file(char mode, const char* title, const char* initial_name,
                         const char* default_extension, const FileFilter* filters, int filter_count,
                         bool must_exist, char* path, size_t capacity) {
    if (web_shell.installed)
        return web_choose_file(mode, title, initial_name, default_extension, filters, filter_count,
                               must_exist, path, capacity);
    return platform->choose_file(mode, title, initial_name, default_extension, filters, filter_count,
                                 must_exist, path, capacity);
}

int platform_export_dialog(ExportDialogFields* fields, void (*format_clicked)(char format)) {
    if (web_shell.installed) return web_export_dialog(fields, format_clicked);
    return platform->export_dialog(fields, format_clicked);
}

void platform_help_viewer(const char* title) {
    if (web_shell.installed)
        web_help_viewer(title);
    else
        platform->help_viewer(title);
}
