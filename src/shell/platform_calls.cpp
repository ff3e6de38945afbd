// The waiting operations forwarded to the installed backend's table.
#include "shell/platform.h"

void platform_wait_event() { platform->wait_event(); }
void platform_pump_events() { platform->pump_events(); }
int platform_message_box(const char* caption, const char* text, bool with_cancel) {
    return platform->message_box(caption, text, with_cancel);
}
int platform_ask(const char* label, const char* default_text, char* answer, size_t capacity) {
    return platform->ask(label, default_text, answer, capacity);
}
int platform_choose_file(char mode, const char* title, const char* initial_name,
                         const char* default_extension, const FileFilter* filters, int filter_count,
                         bool must_exist, char* path, size_t capacity) {
    return platform->choose_file(mode, title, initial_name, default_extension, filters, filter_count,
                                 must_exist, path, capacity);
}
int platform_export_dialog(ExportDialogFields* fields, void (*format_clicked)(char format)) {
    return platform->export_dialog(fields, format_clicked);
}
void platform_help_viewer(const char* title) { platform->help_viewer(title); }
