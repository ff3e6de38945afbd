// The file commands: Open/New, Save, Save as, Insert file and the font
// bitmap.
//
// Save and Save as never open the board file itself for writing: the
// board goes to a temporary file that is renamed over it, so a failed
// write leaves the old file whole. The chooser's overwrite question is
// therefore asked here, before anything touches the file (the opener's
// "wb" would truncate it at once), and the names are remembered as the
// opener remembers them.
#include <cstdio>
#include <cstring>
#include "board/objects.h"
#include "core/format.h"
#include "editor/command_steps.h"
#include "editor/editor_state.h"
#include "fileio/board_file.h"
#include "graphics/font.h"
#include "shell/dialogs.h"
#include "shell/input.h"
#include "shell/platform.h"

namespace {

void copy_name(char* buffer, const char* text) {
    format_into(buffer, DIALOG_TEXT_SIZE, "%s", text ? text : "");
}

// The chooser alone: the filters of the extension, the answer in path.
bool choose_path(char mode, const char* title, const char* initial_name, const char* extension,
                 bool must_exist, char* path) {
    FileFilter filters[2];
    int filter_count = file_filters_for(extension, filters, 2);
    char initial[DIALOG_TEXT_SIZE];
    copy_name(initial, initial_name);
    path[0] = '\0';
    int result = platform_choose_file(mode, title, initial, extension, filters, filter_count,
                                       must_exist, path, DIALOG_TEXT_SIZE);
    path[DIALOG_TEXT_SIZE - 1] = '\0';
    // The control key's release may have gone to the chooser.
    input_state.control = 0;
    return result == DIALOG_OK && path[0] != '\0';
}

// The opener's question before an existing file is replaced.
bool overwrite_confirmed(const char* path) {
    FILE* existing = std::fopen(path, "rb");
    if (existing == nullptr) return true;
    std::fclose(existing);
    char question[DIALOG_TEXT_SIZE];
    if (format_into(question, DIALOG_TEXT_SIZE, "%s\nalready exists. Overwrite?", path) < 0) {
        message_box("Error", "File name too long", false);
        return false;
    }
    return ask_prompt(question, nullptr, nullptr, 0) == DIALOG_OK;
}

// The base name is the path without its extension (offset 0: the whole
// path); the current file name is what Save writes.
void remember_names(const char* path, int offset, bool as_current_file) {
    char copy[DIALOG_TEXT_SIZE];
    copy_name(copy, path);
    std::memcpy(dialog_state.base_name, copy, sizeof copy);
    if (offset > 0 && offset <= static_cast<int>(std::strlen(copy)))
        dialog_state.base_name[offset - 1] = '\0';
    if (as_current_file) std::memcpy(dialog_state.current_file_name, copy, sizeof copy);
}

}  // namespace

void open_command() {
    deselect_all();
    clear_board();
    FILE* file = file_dialog('r', "Find", dialog_state.current_file_name, ".cpx", false);
    if (file != nullptr) {
        if (load_board_file(file) != 0)
            message_box("Error: Couldn't read file:", dialog_state.current_file_name, false);
        std::fclose(file);
    }
    editor_state.modified = false;
}

void save_as_command() {
    char path[DIALOG_TEXT_SIZE];
    if (!choose_path('w', "Save as", dialog_state.base_name, ".cpx", false, path) ||
        !overwrite_confirmed(path)) {
        message_box("Error: Couldn't open output file:", dialog_state.current_file_name, false);
        return;
    }
    remember_names(path, extension_offset(path), true);
    if (!save_board_to_path(path)) {
        // The mark stays set: the board is not on disk.
        message_box("Error: Couldn't open output file:", dialog_state.current_file_name, false);
        return;
    }
    editor_state.modified = false;
}

void save_command() {
    if (dialog_state.current_file_name[0] == '\0') {
        save_as_command();
        return;
    }
    char path[DIALOG_TEXT_SIZE];
    copy_name(path, dialog_state.current_file_name);
    // The base name drops the extension here too: a print offered the
    // board's own name would be one Enter away from overwriting it.
    remember_names(path, extension_offset(path), true);
    if (!save_board_to_path(path)) {
        message_box("Error: Couldn't open output file", path, false);
        return;
    }
    message_box("File saved:", path, false);
    editor_state.modified = false;
}

void insert_command() {
    // An inserted board does not become the file Save writes.
    char path[DIALOG_TEXT_SIZE];
    FILE* file = nullptr;
    if (choose_path('r', "Insert file", dialog_state.base_name, ".cpx", true, path)) {
        remember_names(path, extension_offset(path), false);
        file = std::fopen(path, "rb");
    }
    if (file == nullptr) {
        message_box("Error: Couldn't open file", dialog_state.current_file_name, false);
        return;
    }
    deselect_all();
    if (load_board_file(file) != 0) message_box("Error: Couldn't insert file", path, false);
    std::fclose(file);
    editor_state.modified = true;
}

void font_bitmap_command() {
    FILE* file = file_dialog('r', "Load 128(H)x256(W) font bitmap file", "", ".bmp", true);
    if (file == nullptr) return;
    deselect_all();
    if (load_font_bitmap(file) != 0) message_box("Error", "Couldn't load font bitmap", false);
    std::fclose(file);
}
