#pragma once
// The portable half of every dialog: rules about answers, file filters,
// the overwrite question, the remembered file names and the help topics.
#include <cstdio>
#include <cstdint>
#include "shell/platform.h"

constexpr int DIALOG_TEXT_SIZE = 256;

enum DialogMode { DIALOG_ASK = 0, DIALOG_EXPORT = 1, DIALOG_HELP = 2 };

struct DialogState {
    int32_t dialog_mode = DIALOG_ASK;
    char dialog_text[DIALOG_TEXT_SIZE] = {};
    char prompt[DIALOG_TEXT_SIZE] = {};
    char help_title[DIALOG_TEXT_SIZE] = {};
    char current_file_name[DIALOG_TEXT_SIZE] = {};
    char base_name[DIALOG_TEXT_SIZE] = {};
    char filter_pattern[DIALOG_TEXT_SIZE] = {};  // "*" + extension of an auxiliary filter
    char opened_path[DIALOG_TEXT_SIZE] = {};     // the path the last file dialog opened
};

extern DialogState dialog_state;
void dialog_state_reset();

// DIALOG_CANCEL when the user chose Cancel (only offered with with_cancel),
// else DIALOG_OK.
int message_box(const char* caption, const char* text, bool with_cancel);
// With an answer buffer: the first line of what was typed, cut to capacity;
// DIALOG_OK or DIALOG_CANCEL. Without (answer null): a "Question" box with
// OK and Cancel.
int ask_prompt(const char* prompt, const char* default_text, char* answer, size_t capacity);

// The filter list for a default extension, ending with "All files".
int file_filters_for(const char* extension, FileFilter* filters, int capacity);
// Index just after the last dot of the name part of path, 0 when none.
int extension_offset(const char* path);

FILE* file_dialog(char mode, const char* title, const char* initial_name,
                  const char* extension, bool must_exist);
// The save chooser with the overwrite question and the remembered names,
// without opening anything: the path is left in dialog_state.opened_path.
bool choose_output_path(const char* title, const char* initial_name, const char* extension);
FILE* open_output_file(char mode, const char* path, int extension_offset, bool ask);

// Help topic title of a string-table id (257..273), or null.
const char* help_topic_title(int id);
void help_viewer(int topic_id, const char* title);

// Zoom toggle: switches between 10 and 20 and resizes the window.
void zoom_toggle();
