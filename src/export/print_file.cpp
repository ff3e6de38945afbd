// The print output file and the export state.
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "core/format.h"
#include "export/writers.h"
#include "shell/dialogs.h"
#include "shell/safe_file.h"

ExportState export_state;

void export_state_reset() { export_state = ExportState{}; }

static void copy_path(PrintFile& file, const char* path) {
    std::snprintf(file.path, sizeof file.path, "%s", path ? path : "");
}

bool print_file_open(PrintFile& file, const char* title, const char* extension) {
    // Nothing is opened yet: the earlier file at the path stays until the
    // new one is complete.
    // Offered: the base name with the print's extension; a Gerber layer
    // offers the bare base, which its six files share.
    const bool print = extension != nullptr && (std::strcmp(extension, ".pdf") == 0 || std::strcmp(extension, ".ps") == 0);
    char initial[DIALOG_TEXT_SIZE] = {};
    format_into(initial, sizeof initial, "%s%s", dialog_state.base_name,
                print && dialog_state.base_name[0] != '\0' ? extension : "");
    if (!choose_output_path(title, initial, extension)) return false;
    copy_path(file, dialog_state.opened_path);
    file.open = true;
    return true;
}

bool print_file_open_path(PrintFile& file, const char* path) {
    copy_path(file, path);
    file.open = path != nullptr && path[0] != '\0';
    return file.open;
}

void print_drain(PrintFile& file) {
    if (file.used == 0) return;
    if (!file.failed) file.content.append(reinterpret_cast<const char*>(file.buffer), file.used);
    file.used = 0;
}

void print_put(PrintFile& file, const void* bytes, size_t count) {
    const unsigned char* next = static_cast<const unsigned char*>(bytes);
    while (count > 0) {
        if (file.used == sizeof file.buffer) print_drain(file);
        size_t room = sizeof file.buffer - file.used;
        size_t part = count < room ? count : room;
        std::memcpy(file.buffer + file.used, next, part);
        file.used += part;
        file.bytes_written += static_cast<long>(part);
        next += part;
        count -= part;
    }
}

void print_text(PrintFile& file, const char* text) { print_put(file, text, std::strlen(text)); }

int print_format(PrintFile& file, const char* format, ...) {
    char text[1024];
    va_list arguments;
    va_start(arguments, format);
    int length = std::vsnprintf(text, sizeof text, format, arguments);
    va_end(arguments);
    // Every piece the writers format is short; one that is not is a fault
    // of the file, not something to cut silently.
    if (length < 0 || length >= static_cast<int>(sizeof text)) {
        file.failed = true;
        return 0;
    }
    print_put(file, text, static_cast<size_t>(length));
    return length;
}

bool print_file_close(PrintFile& file) {
    if (!file.open) return false;
    print_drain(file);
    file.open = false;
    if (!file.failed && write_file_whole(file.path, file.content.data(), file.content.size())) return true;

    char text[DIALOG_TEXT_SIZE];
    if (format_into(text, sizeof text, "Couldn't write %s", file.path) < 0) {
        format_into(text, sizeof text, "Couldn't write the print file");
    }
    message_box("Error", text, false);
    return false;
}
