// The portable half of the dialogs: message box, ask prompt, export and help.
#include "shell/dialogs.h"
#include "shell/codes.h"
#include <algorithm>
#include <cstring>
#include "graphics/canvas.h"
#include "shell/input.h"

DialogState dialog_state;

void dialog_state_reset() { dialog_state = DialogState{}; }

// Copies text into a fixed buffer, cut to fit; a null text gives "".
static void copy_cut(char* buffer, size_t capacity, const char* text) {
    if (capacity == 0) return;
    size_t length = text ? std::strlen(text) : 0;
    if (length > capacity - 1) length = capacity - 1;
    if (length > 0) std::memcpy(buffer, text, length);
    buffer[length] = '\0';
}

int message_box(const char* caption, const char* text, bool with_cancel) {
    int result = platform_message_box(caption, text, with_cancel);
    // The control key's release may have gone to the box.
    input_state.control = 0;
    return with_cancel && result != DIALOG_OK ? DIALOG_CANCEL : DIALOG_OK;
}

int ask_prompt(const char* prompt, const char* default_text, char* answer, size_t capacity) {
    if (answer == nullptr)
        return platform_message_box("Question", prompt, true) != DIALOG_OK ? DIALOG_CANCEL : DIALOG_OK;

    copy_cut(dialog_state.dialog_text, DIALOG_TEXT_SIZE, default_text);
    copy_cut(dialog_state.prompt, DIALOG_TEXT_SIZE, prompt);
    dialog_state.dialog_mode = DIALOG_ASK;

    // The field is read into the text buffer with room for 254 characters.
    char typed[DIALOG_TEXT_SIZE] = {};
    if (platform_ask(dialog_state.prompt, dialog_state.dialog_text, typed, DIALOG_TEXT_SIZE - 1) !=
        DIALOG_OK)
        return DIALOG_CANCEL;
    copy_cut(dialog_state.dialog_text, DIALOG_TEXT_SIZE, typed);

    // Only the first line counts (a pasted answer may hold several); the
    // answer is cut to the caller's buffer.
    if (capacity == 0) return DIALOG_OK;
    size_t line = std::strcspn(dialog_state.dialog_text, "\r\n");
    if (line > capacity - 1) line = capacity - 1;
    std::memcpy(answer, dialog_state.dialog_text, line);
    answer[line] = '\0';
    return DIALOG_OK;
}

const char* help_topic_title(int id) {
    static const char* const titles[] = {
        "Cuprolay manual",
        "About Cuprolay",
        "Quick help",
        "Cuprolay philosophy and history",
        "Cuprolay basics",
        "Creating objects",
        "Selecting and deselecting objects",
        "Editing objects",
        "Moving objects",
        "Region commands",
        "File commands",
        "Printing",
        "Display commands",
        "Undo and redo",
        "Miscellaneous commands",
        "Windows and Linux installation",
        "Commands in alphabetical order",
    };
    static_assert(sizeof titles / sizeof titles[0] == HELP_LAST - HELP_FIRST + 1);
    if (id < HELP_FIRST || id > HELP_LAST) return nullptr;
    return titles[id - HELP_FIRST];
}

void help_viewer(int topic_id, const char* title) {
    dialog_state.dialog_mode = DIALOG_HELP;
    copy_cut(dialog_state.help_title, DIALOG_TEXT_SIZE, "Quick help");
    if (title != nullptr) {
        copy_cut(dialog_state.help_title, DIALOG_TEXT_SIZE, title);
    } else if (const char* topic = help_topic_title(topic_id)) {
        copy_cut(dialog_state.help_title, DIALOG_TEXT_SIZE, topic);
    }
    input_state.help_open = 1;
    platform_help_viewer(dialog_state.help_title);
    input_state.help_open = 0;
}

void zoom_toggle() {
    int desktop_width = 0, desktop_height = 0;
    platform->desktop_size(&desktop_width, &desktop_height);
    canvas.zoom = 30 - canvas.zoom;
    if (canvas.zoom == 10) {
        platform->set_max_client_size(639, 455);
        platform->fit_client_area(639, 455);
    } else {
        platform->set_max_client_size(1270, 856);
        platform->fit_client_area(std::min(desktop_width, 1280) - 20,
                                  std::min(desktop_height, 856) - 100);
    }
}
