// The script reader's feeding side: loading, then one event per wait of
// the editor. The whole script is parsed before anything runs, so a
// malformed line is reported without a half-done session; a dialog takes
// the next unread line only when it is an answer of its own kind.
#include "shell/headless/script.h"
#include <cerrno>
#include <cstdio>
#include <cstring>
#include "shell/image_file.h"

ScriptState script_state;

void script_state_reset() { script_state = ScriptState{}; }

namespace {

bool is_answer(const ScriptLine& line) {
    switch (line.op) {
    case ScriptOp::AnswerMessage:
    case ScriptOp::AnswerAsk:
    case ScriptOp::AnswerFile:
    case ScriptOp::AnswerExport: return true;
    default: return false;
    }
}

AnswerKind answer_kind(const ScriptLine& line) {
    switch (line.op) {
    case ScriptOp::AnswerAsk: return AnswerKind::Ask;
    case ScriptOp::AnswerFile: return AnswerKind::File;
    case ScriptOp::AnswerExport: return AnswerKind::Export;
    default: return AnswerKind::Message;
    }
}

// Screenshots are taken when a wait reaches them, between events.
void run_screenshots() {
    while (script_state.next < script_state.lines.size() && script_state.click_step == 0) {
        const ScriptLine& line = script_state.lines[script_state.next];
        if (line.op != ScriptOp::Screenshot) return;
        ++script_state.next;
        char error[256] = {};
        if (!write_board_image(line.text.c_str(), error, sizeof error))
            std::fprintf(stderr, "cuprolay: script line %d: screenshot %s: %s\n", line.number,
                         line.text.c_str(), error);
    }
}

void deliver(const ScriptLine& line) {
    switch (line.op) {
    case ScriptOp::Move:
        input_pointer_move(model_to_window(line.x), model_to_window(line.y));
        break;
    case ScriptOp::Button:
        input_button(line.right ? PBUTTON_RIGHT : PBUTTON_LEFT, line.down, input_state.pointer_x,
                     input_state.pointer_y, false);
        break;
    case ScriptOp::Shift:
        if (line.down)
            input_key_down(line.right ? PKEY_RIGHT_SHIFT : PKEY_LEFT_SHIFT);
        else
            input_key_up(line.right ? PKEY_RIGHT_SHIFT : PKEY_LEFT_SHIFT);
        break;
    case ScriptOp::Control:
        if (line.down)
            input_key_down(PKEY_CONTROL);
        else
            input_key_up(PKEY_CONTROL);
        break;
    case ScriptOp::Char: input_char(line.code); break;
    case ScriptOp::KeyDown: input_key_down(line.key); break;
    case ScriptOp::Menu: input_menu(line.code); break;
    case ScriptOp::Close: input_close_request(); break;
    default: break;
    }
}

// One event of a click: the motion, the press, the release.
void deliver_click_step(const ScriptLine& line, int step) {
    PlatformButton button = line.right ? PBUTTON_RIGHT : PBUTTON_LEFT;
    int wx = model_to_window(line.x), wy = model_to_window(line.y);
    if (step == 0)
        input_pointer_move(wx, wy);
    else
        input_button(button, step == 1, input_state.pointer_x, input_state.pointer_y, false);
}

}  // namespace

bool script_load(const char* path, std::string* error) {
    FILE* in = std::strcmp(path, "-") == 0 ? stdin : std::fopen(path, "rb");
    if (in == nullptr) {
        *error = std::string("cannot open script ") + path + ": " + std::strerror(errno);
        return false;
    }
    std::string text;
    char buffer[4096];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, in)) > 0) text.append(buffer, got);
    bool failed = std::ferror(in) != 0;
    if (in != stdin) std::fclose(in);
    if (failed) {
        *error = std::string("cannot read script ") + path;
        return false;
    }
    script_state_reset();
    return script_parse(text, &script_state.lines, error);
}

bool script_feed_event() {
    for (;;) {
        run_screenshots();
        if (script_state.next >= script_state.lines.size()) return false;
        const ScriptLine& line = script_state.lines[script_state.next];
        if (line.op == ScriptOp::Click) {
            int step = script_state.click_step;
            // The line counts as read once its last event is out, so an
            // answer after it belongs to what the release starts.
            if (++script_state.click_step == 3) {
                script_state.click_step = 0;
                ++script_state.next;
            }
            deliver_click_step(line, step);
            return true;
        }
        ++script_state.next;
        if (is_answer(line)) {
            // No dialog of its kind opened while it was next: the script
            // and the session have parted ways; say so and go on.
            std::fprintf(stderr, "cuprolay: script line %d: answer not taken by any dialog\n",
                         line.number);
            continue;
        }
        deliver(line);
        return true;
    }
}

bool script_take_answer(AnswerKind kind, HeadlessAnswer* out) {
    if (script_state.click_step != 0) return false;
    // Screenshots are taken at waits only, so one written just before an
    // answer shows the board after the dialog's command, not halfway.
    size_t index = script_state.next;
    while (index < script_state.lines.size() && script_state.lines[index].op == ScriptOp::Screenshot)
        ++index;
    if (index >= script_state.lines.size()) return false;
    const ScriptLine line = script_state.lines[index];
    if (!is_answer(line) || answer_kind(line) != kind) return false;
    script_state.lines.erase(script_state.lines.begin() + static_cast<std::ptrdiff_t>(index));
    *out = HeadlessAnswer{};
    out->kind = kind;
    out->cancel = line.cancel;
    out->text = line.text;
    out->format = line.format;
    out->hscale_text = line.hscale;
    out->vscale_text = line.vscale;
    return true;
}

void script_attach() {
    headless_state.feed_event = script_feed_event;
    headless_state.take_answer = script_take_answer;
}
