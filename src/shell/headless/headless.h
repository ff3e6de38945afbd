#pragma once
// The backend without a window: tests and the batch command line.
// Dialog answers and input events come from sources the caller installs
// (an in-memory queue by default, a script in scripted runs).
#include <cstdio>
#include <deque>
#include <string>

enum class AnswerKind { Message, Ask, File, Export };

struct HeadlessAnswer {
    AnswerKind kind = AnswerKind::Message;
    bool cancel = false;
    std::string text;         // ask: the typed text; file: the path
    char format = 'D';        // export: D, P, Q or G clicked; 0: no click (export-cancel)
    std::string hscale_text;  // export: the fields as typed
    std::string vscale_text;
};

struct HeadlessState {
    // The queue of answers: a dialog takes the front answer only when it
    // is of its own kind; otherwise a message box answers OK and every
    // other dialog Cancel, and the queue is left as it was.
    std::deque<HeadlessAnswer> answers;
    // Optional replacement of the queue (scripted runs).
    bool (*take_answer)(AnswerKind kind, HeadlessAnswer* out) = nullptr;
    // Dispatches the next input event through the input translation and
    // returns true; false when there are no more events.
    bool (*feed_event)() = nullptr;
    // A pointer warp not yet delivered as a motion event (window pixels).
    bool warp_pending = false;
    int warp_x = 0, warp_y = 0;
    // Where dialogs write their transcript lines (null: none).
    FILE* transcript = nullptr;
    // Message boxes also go to standard error as "Caption: text".
    bool messages_to_stderr = true;
    // Set when the event source ran dry and the close request was made.
    bool closed = false;
    // Prompts, choosers and export dialogs in a row that found no answer
    // while no event came: a dialog that asks again on Cancel would
    // otherwise keep a scripted run waiting for ever.
    int unanswered_dialogs = 0;
    int unanswered_dialog_limit = 100;
    int help_calls = 0;
    std::string last_help_title;
    // The pretend window: desktop size, client area and its largest size.
    int desktop_width = 1920, desktop_height = 1080;
    int client_width = 639, client_height = 455;
    int max_client_width = 639, max_client_height = 455;
    bool pointer_visible = true;
};

extern HeadlessState headless_state;

// Makes the headless backend the platform and resets its state.
void headless_install();
// Queues the answer for the next dialog of its kind.
void headless_push_answer(const HeadlessAnswer& answer);
// Convenience forms of headless_push_answer.
void headless_answer_message(bool cancel);
void headless_answer_ask(const char* text);  // null: Cancel
void headless_answer_file(const char* path); // null: Cancel
void headless_answer_export(char format, const char* hscale, const char* vscale, bool cancel);
