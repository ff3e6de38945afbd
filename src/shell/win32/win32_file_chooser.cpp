// The open and save file choosers; the overwrite question is the portable
// opener's, so the chooser is asked for none of its own.
#include <windows.h>
#include <commdlg.h>

#include <cstring>
#include <string>

#include "shell/win32/win32_shell.h"

namespace {

// The chooser's filter list: label and pattern pairs, each ended by a NUL,
// the list by a second one; the labels and patterns exactly as given.
std::string filter_list(const FileFilter* filters, int count) {
    std::string list;
    for (int i = 0; i < count; ++i) {
        list += filters[i].label;
        list += '\0';
        list += filters[i].pattern;
        list += '\0';
    }
    list += '\0';
    return list;
}

}  // namespace

int win32_choose_file(char mode, const char* title, const char* initial_name, const char* default_extension,
                      const FileFilter* filters, int filter_count, bool must_exist, char* path,
                      size_t capacity) {
    present_changes();
    char file[256] = {};
    if (initial_name) std::strncpy(file, initial_name, sizeof file - 1);
    const std::string filter = filter_list(filters, filter_count);
    // The chooser appends the default extension without its dot.
    const char* extension = default_extension ? default_extension : "";
    if (extension[0] == '.') ++extension;

    OPENFILENAMEA request = {};
    request.lStructSize = sizeof request;
    request.hwndOwner = win32_shell.main_window;
    request.lpstrFilter = filter.c_str();
    request.nFilterIndex = 1;
    request.lpstrFile = file;
    request.nMaxFile = sizeof file;
    request.lpstrTitle = title;
    request.lpstrDefExt = extension[0] ? extension : nullptr;
    request.Flags = must_exist ? OFN_FILEMUSTEXIST : 0;
    const BOOL chosen = mode == 'r' ? GetOpenFileNameA(&request) : GetSaveFileNameA(&request);
    InvalidateRect(win32_shell.main_window, nullptr, FALSE);
    UpdateWindow(win32_shell.main_window);
    if (!chosen || file[0] == '\0') return DIALOG_CANCEL;
    if (std::strlen(file) >= capacity) return DIALOG_CANCEL;
    std::strcpy(path, file);
    return DIALOG_OK;
}
