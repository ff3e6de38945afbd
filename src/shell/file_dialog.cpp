// File filters, the file dialog and the output-file opener.
#include <cstring>
#include "core/format.h"
#include "shell/dialogs.h"
#include "shell/input.h"

int file_filters_for(const char* extension, FileFilter* filters, int capacity) {
    if (capacity <= 0) return 0;
    if (extension == nullptr) extension = "";
    int count = 0;
    if (std::strcmp(extension, ".cpx") == 0) {
        filters[count++] = {"Cuprolay files (.cpx,.cyd,.cyr,.cyp,.cys,.ver)",
                            "*.cpx;*.cyd;*.cyr;*.cyp;*.cys;*.ver"};
    } else if (std::strcmp(extension, ".pdf") == 0) {
        filters[count++] = {"Acrobat files (.pdf)", "*.pdf"};
    } else if (std::strcmp(extension, ".ps") == 0) {
        filters[count++] = {"Postscript files (.ps)", "*.ps"};
    } else {
        format_into(dialog_state.filter_pattern, DIALOG_TEXT_SIZE, "*%s", extension);
        filters[count++] = {"Cuprolay auxiliary files", dialog_state.filter_pattern};
    }
    if (count < capacity) filters[count++] = {"All files", "*.*"};
    return count;
}

int extension_offset(const char* path) {
    int name_start = 0;
    int last_dot = -1;
    for (int i = 0; path[i] != '\0'; ++i) {
        if (path[i] == '/' || path[i] == '\\') {
            name_start = i + 1;
            last_dot = -1;
        } else if (path[i] == '.') {
            last_dot = i;
        }
    }
    return last_dot >= name_start ? last_dot + 1 : 0;
}

static bool fits_text_buffer(const char* path) { return std::strlen(path) < DIALOG_TEXT_SIZE; }

// The checks, the overwrite question and the remembered names of a
// chosen path; false when it must not be opened.
static bool accept_chosen_path(char mode, const char* path, int offset, bool ask,
                               bool record_current_name) {
    // A name the buffers cannot hold would be remembered cut, and a later
    // Save would write somewhere else.
    if (!fits_text_buffer(path)) {
        message_box("Error", "File name too long", false);
        return false;
    }
    if (mode == 'w' && ask) {
        if (FILE* existing = std::fopen(path, "rb")) {
            std::fclose(existing);
            char question[DIALOG_TEXT_SIZE];
            if (format_into(question, DIALOG_TEXT_SIZE, "%s\nalready exists. Overwrite?", path) < 0) {
                message_box("Error", "File name too long", false);
                return false;
            }
            if (ask_prompt(question, nullptr, nullptr, 0) != DIALOG_OK) return false;
        }
    }

    // Save passes the current file name itself: copy the path first.
    char chosen[DIALOG_TEXT_SIZE];
    std::strcpy(chosen, path);
    std::strcpy(dialog_state.base_name, chosen);
    if (offset > 0 && offset <= static_cast<int>(std::strlen(chosen)))
        dialog_state.base_name[offset - 1] = '\0';
    if (record_current_name) std::strcpy(dialog_state.current_file_name, chosen);
    std::strcpy(dialog_state.opened_path, chosen);
    return true;
}

static FILE* open_chosen_file(char mode, const char* path, int offset, bool ask,
                              bool record_current_name) {
    if (!accept_chosen_path(mode, path, offset, ask, record_current_name)) return nullptr;
    return std::fopen(dialog_state.opened_path, mode == 'r' ? "rb" : "wb");
}

FILE* open_output_file(char mode, const char* path, int offset, bool ask) {
    return open_chosen_file(mode, path, offset, ask, true);
}

bool choose_output_path(const char* title, const char* initial_name, const char* extension) {
    FileFilter filters[2];
    int filter_count = file_filters_for(extension, filters, 2);
    char initial[DIALOG_TEXT_SIZE] = {};
    format_into(initial, DIALOG_TEXT_SIZE, "%s", initial_name ? initial_name : "");
    char path[DIALOG_TEXT_SIZE] = {};
    bool accepted = false;
    if (platform_choose_file('w', title, initial, extension, filters, filter_count, false, path,
                             DIALOG_TEXT_SIZE) == DIALOG_OK) {
        path[DIALOG_TEXT_SIZE - 1] = '\0';
        bool board_file = extension != nullptr && std::strcmp(extension, ".cpx") == 0;
        accepted = accept_chosen_path('w', path, extension_offset(path), true, board_file);
    }
    input_state.control = 0;
    return accepted;
}

FILE* file_dialog(char mode, const char* title, const char* initial_name, const char* extension,
                  bool must_exist) {
    FileFilter filters[2];
    int filter_count = file_filters_for(extension, filters, 2);
    char initial[DIALOG_TEXT_SIZE] = {};
    format_into(initial, DIALOG_TEXT_SIZE, "%s", initial_name ? initial_name : "");
    char path[DIALOG_TEXT_SIZE] = {};

    FILE* file = nullptr;
    if (platform_choose_file(mode, title, initial, extension, filters, filter_count, must_exist,
                              path, DIALOG_TEXT_SIZE) == DIALOG_OK) {
        path[DIALOG_TEXT_SIZE - 1] = '\0';
        // Only the board's own files become the file Save writes: an
        // inserted board, a font bitmap or an exported picture must not be
        // overwritten by the next Save.
        bool board_file = extension != nullptr && std::strcmp(extension, ".cpx") == 0;
        bool inserted = mode == 'r' && must_exist;
        file = open_chosen_file(mode, path, extension_offset(path), true, board_file && !inserted);
    }
    input_state.control = 0;
    return file;
}
