// The headless backend: scripted answers and the transcript.
#include "shell/headless/headless.h"
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include "shell/input.h"
#include "shell/platform.h"
#include "shell/terminal_text.h"

HeadlessState headless_state;

namespace {

// The transcript's quoting: backslash, double quote and line feed escaped.
void write_quoted(FILE* out, const char* text) {
    std::fputc('"', out);
    for (const char* p = text ? text : ""; *p != '\0'; ++p) {
        if (*p == '\\')
            std::fputs("\\\\", out);
        else if (*p == '"')
            std::fputs("\\\"", out);
        else if (*p == '\n')
            std::fputs("\\n", out);
        else
            std::fputc(*p, out);
    }
    std::fputc('"', out);
}

void end_transcript_line() {
    std::fputc('\n', headless_state.transcript);
    std::fflush(headless_state.transcript);
}

// The front answer if it is of this dialog's kind; the queue is left
// alone otherwise.
bool take_queued_answer(AnswerKind kind, HeadlessAnswer* out) {
    if (headless_state.take_answer) return headless_state.take_answer(kind, out);
    if (headless_state.answers.empty() || headless_state.answers.front().kind != kind) return false;
    *out = headless_state.answers.front();
    headless_state.answers.pop_front();
    return true;
}

bool take_answer(AnswerKind kind, HeadlessAnswer* out) {
    if (take_queued_answer(kind, out)) {
        headless_state.unanswered_dialogs = 0;
        return true;
    }
    if (kind != AnswerKind::Message &&
        ++headless_state.unanswered_dialogs > headless_state.unanswered_dialog_limit) {
        std::fprintf(stderr, "cuprolay: a dialog keeps asking and no answer is left for it\n");
        std::fflush(stdout);
        platform->end_process(2);
    }
    return false;
}

// Copies text into a caller's buffer; false when it does not fit whole.
bool copy_whole(char* buffer, size_t capacity, const std::string& text) {
    if (capacity == 0 || text.size() > capacity - 1) return false;
    std::memcpy(buffer, text.data(), text.size());
    buffer[text.size()] = '\0';
    return true;
}

void headless_wait_event() {
    if (headless_state.warp_pending) {
        // As a desktop delivers the motion of a pointer the program moved.
        headless_state.warp_pending = false;
        input_pointer_move(headless_state.warp_x, headless_state.warp_y);
        return;
    }
    if (headless_state.feed_event && headless_state.feed_event()) {
        headless_state.unanswered_dialogs = 0;
        return;
    }
    // No more events: the window is closed. A handler that keeps the
    // program running is asked again at the next wait, so an editor
    // waiting for input never spins without end.
    headless_state.closed = true;
    input_close_request();
}

void headless_pump_events() {}

void headless_warp_pointer(int window_x, int window_y) {
    headless_state.warp_pending = true;
    headless_state.warp_x = window_x;
    headless_state.warp_y = window_y;
}

void headless_set_pointer_visible(bool visible) { headless_state.pointer_visible = visible; }

void headless_present(const Rect&) {}

void headless_fit_client_area(int width, int height) {
    headless_state.client_width = width;
    headless_state.client_height = height;
}

void headless_desktop_size(int* width, int* height) {
    *width = headless_state.desktop_width;
    *height = headless_state.desktop_height;
}

void headless_set_max_client_size(int width, int height) {
    headless_state.max_client_width = width;
    headless_state.max_client_height = height;
}

int headless_message_box(const char* caption, const char* text, bool with_cancel) {
    if (headless_state.messages_to_stderr)
        std::fprintf(stderr, "%s: %s\n", terminal_escaped(caption).c_str(), terminal_escaped(text).c_str());
    HeadlessAnswer answer;
    bool cancel = take_answer(AnswerKind::Message, &answer) && answer.cancel && with_cancel;
    if (headless_state.transcript) {
        std::fputs("message ", headless_state.transcript);
        write_quoted(headless_state.transcript, caption);
        std::fputc(' ', headless_state.transcript);
        write_quoted(headless_state.transcript, text);
        std::fputs(cancel ? " -> cancel" : " -> ok", headless_state.transcript);
        end_transcript_line();
    }
    return cancel ? DIALOG_CANCEL : DIALOG_OK;
}

// The end of an ask or file transcript line: the quoted answer or cancel.
void write_outcome(bool ok, const std::string& text) {
    std::fputs(" -> ", headless_state.transcript);
    if (ok)
        write_quoted(headless_state.transcript, text.c_str());
    else
        std::fputs("cancel", headless_state.transcript);
    end_transcript_line();
}

int headless_ask(const char* label, const char* default_text, char* answer_text, size_t capacity) {
    HeadlessAnswer answer;
    bool ok = take_answer(AnswerKind::Ask, &answer) && !answer.cancel;
    if (ok && capacity > 0) {
        // A field holds no more than it has room for.
        size_t length = std::min(answer.text.size(), capacity - 1);
        answer.text.resize(length);
        copy_whole(answer_text, capacity, answer.text);
    }
    if (headless_state.transcript) {
        std::fputs("ask ", headless_state.transcript);
        write_quoted(headless_state.transcript, label);
        std::fputc(' ', headless_state.transcript);
        write_quoted(headless_state.transcript, default_text);
        write_outcome(ok, answer.text);
    }
    return ok ? DIALOG_OK : DIALOG_CANCEL;
}

int headless_choose_file(char mode, const char* title, const char* initial_name,
                         const char* default_extension, const FileFilter*, int, bool, char* path,
                         size_t capacity) {
    HeadlessAnswer answer;
    bool ok = take_answer(AnswerKind::File, &answer) && !answer.cancel;
    if (ok && !copy_whole(path, capacity, answer.text)) {
        std::fprintf(stderr, "cuprolay: file name too long for the chooser: %s\n",
                     terminal_escaped(answer.text.c_str()).c_str());
        ok = false;
    }
    if (headless_state.transcript) {
        std::fprintf(headless_state.transcript, "file %c ", mode == 'r' ? 'r' : 'w');
        write_quoted(headless_state.transcript, title);
        std::fputc(' ', headless_state.transcript);
        write_quoted(headless_state.transcript, initial_name);
        std::fputc(' ', headless_state.transcript);
        write_quoted(headless_state.transcript, default_extension);
        write_outcome(ok, answer.text);
    }
    return ok ? DIALOG_OK : DIALOG_CANCEL;
}

void copy_field(char* field, size_t capacity, const std::string& text) {
    size_t length = std::min(text.size(), capacity - 1);
    std::memcpy(field, text.data(), length);
    field[length] = '\0';
}

int headless_export_dialog(ExportDialogFields* fields, void (*format_clicked)(char format)) {
    HeadlessAnswer answer;
    bool answered = take_answer(AnswerKind::Export, &answer);
    // A format choice is a click on its radio button, reported at once.
    if (answered && answer.format != fields->format &&
        (answer.format == 'D' || answer.format == 'P' || answer.format == 'Q' || answer.format == 'G')) {
        fields->format = answer.format;
        if (format_clicked) format_clicked(answer.format);
    }
    bool ok = answered && !answer.cancel;
    if (ok) {
        copy_field(fields->hscale_text, sizeof fields->hscale_text, answer.hscale_text);
        copy_field(fields->vscale_text, sizeof fields->vscale_text, answer.vscale_text);
    }
    if (headless_state.transcript) {
        if (ok)
            std::fprintf(headless_state.transcript, "export -> %c %s %s", fields->format,
                         fields->hscale_text, fields->vscale_text);
        else
            std::fputs("export -> cancel", headless_state.transcript);
        end_transcript_line();
    }
    return ok ? DIALOG_OK : DIALOG_CANCEL;
}

void headless_help_viewer(const char* title) {
    ++headless_state.help_calls;
    headless_state.last_help_title = title ? title : "";
    if (headless_state.transcript) {
        std::fputs("help ", headless_state.transcript);
        write_quoted(headless_state.transcript, title);
        end_transcript_line();
    }
}

void headless_end_process(int status) {
    if (headless_state.transcript) std::fflush(headless_state.transcript);
    std::fflush(stdout);
    std::fflush(stderr);
    std::exit(status);
}

PlatformBackend headless_backend = {
    .wait_event = headless_wait_event,
    .pump_events = headless_pump_events,
    .warp_pointer = headless_warp_pointer,
    .set_pointer_visible = headless_set_pointer_visible,
    .present = headless_present,
    .fit_client_area = headless_fit_client_area,
    .desktop_size = headless_desktop_size,
    .message_box = headless_message_box,
    .ask = headless_ask,
    .choose_file = headless_choose_file,
    .export_dialog = headless_export_dialog,
    .help_viewer = headless_help_viewer,
    .set_max_client_size = headless_set_max_client_size,
    .end_process = headless_end_process,
};

}  // namespace

void headless_install() {
    headless_state = HeadlessState{};
    set_platform(&headless_backend);
}

void headless_push_answer(const HeadlessAnswer& answer) { headless_state.answers.push_back(answer); }

void headless_answer_message(bool cancel) {
    HeadlessAnswer answer;
    answer.kind = AnswerKind::Message;
    answer.cancel = cancel;
    headless_push_answer(answer);
}

void headless_answer_ask(const char* text) {
    HeadlessAnswer answer;
    answer.kind = AnswerKind::Ask;
    answer.cancel = text == nullptr;
    if (text) answer.text = text;
    headless_push_answer(answer);
}

void headless_answer_file(const char* path) {
    HeadlessAnswer answer;
    answer.kind = AnswerKind::File;
    answer.cancel = path == nullptr;
    if (path) answer.text = path;
    headless_push_answer(answer);
}

void headless_answer_export(char format, const char* hscale, const char* vscale, bool cancel) {
    HeadlessAnswer answer;
    answer.kind = AnswerKind::Export;
    answer.cancel = cancel;
    answer.format = format;
    if (hscale) answer.hscale_text = hscale;
    if (vscale) answer.vscale_text = vscale;
    headless_push_answer(answer);
}
