// The script reader. The whole script is parsed before anything runs, so
// a malformed line is reported without a half-done session. Each wait of
// the editor takes one event; a dialog takes the next unread line only
// when it is an answer of its own kind.
#include "shell/headless/script.h"
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include "shell/image_file.h"
#include "shell/codes.h"

ScriptState script_state;

void script_state_reset() { script_state = ScriptState{}; }

namespace {

std::vector<std::string> split_words(const std::string& text) {
    std::vector<std::string> words;
    std::istringstream in(text);
    std::string word;
    while (in >> word) words.push_back(word);
    return words;
}

bool parse_int(const std::string& word, int* value) {
    if (word.empty()) return false;
    errno = 0;
    char* end = nullptr;
    long v = std::strtol(word.c_str(), &end, 10);
    if (*end != '\0' || errno != 0 || v < INT_MIN / 4 || v > INT_MAX / 4) return false;
    *value = static_cast<int>(v);
    return true;
}

bool equal_ignoring_case(const std::string& a, const char* b) {
    size_t n = std::strlen(b);
    if (a.size() != n) return false;
    for (size_t i = 0; i < n; ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != b[i]) return false;
    return true;
}

// The rest of the line after the keyword and one space, spaces kept.
std::string rest_after(const std::string& line, const std::string& keyword) {
    size_t start = line.find(keyword);
    start += keyword.size();
    if (start < line.size()) ++start;  // the separating space or tab
    return start < line.size() ? line.substr(start) : std::string();
}

struct NamedKey {
    const char* name;
    bool typed;  // a character (code) rather than a key of the key-down table
    int code;
    PlatformKey key;
};

const NamedKey named_keys[] = {
    {"esc", true, KEY_ESCAPE, PKEY_OTHER},
    {"enter", true, KEY_ENTER, PKEY_OTHER},
    {"tab", true, KEY_TAB, PKEY_OTHER},
    {"backspace", true, KEY_BACKSPACE, PKEY_OTHER},
    {"space", true, KEY_SPACE, PKEY_OTHER},
    {"delete", false, 0, PKEY_DELETE},
    {"up", false, 0, PKEY_UP},          {"down", false, 0, PKEY_DOWN},
    {"left", false, 0, PKEY_LEFT},      {"right", false, 0, PKEY_RIGHT},
    {"print", false, 0, PKEY_PRINT},
};

bool parse_key(const std::string& word, ScriptLine* out) {
    unsigned char first = static_cast<unsigned char>(word[0]);
    if (word.size() == 1 && first > 32 && first < 127) {
        out->op = ScriptOp::Char;
        out->code = first;
        return true;
    }
    if (word.size() == 2 && word[0] == '^' && std::isalpha(static_cast<unsigned char>(word[1]))) {
        out->op = ScriptOp::Char;
        out->code = std::toupper(static_cast<unsigned char>(word[1])) & 31;
        return true;
    }
    for (const NamedKey& k : named_keys) {
        if (!equal_ignoring_case(word, k.name)) continue;
        out->op = k.typed ? ScriptOp::Char : ScriptOp::KeyDown;
        out->code = k.code;
        out->key = k.key;
        return true;
    }
    return false;
}

bool parse_side(const std::string& word, bool* right) {
    if (word == "left") {
        *right = false;
        return true;
    }
    if (word == "right") {
        *right = true;
        return true;
    }
    return false;
}

bool parse_direction(const std::string& word, bool* down) {
    if (word == "down") {
        *down = true;
        return true;
    }
    if (word == "up") {
        *down = false;
        return true;
    }
    return false;
}

// One non-comment line; false with a reason when it is malformed.
bool parse_line(const std::string& line, ScriptLine* out, std::string* reason) {
    std::vector<std::string> w = split_words(line);
    if (w.empty()) {
        *reason = "no command";
        return false;
    }
    const std::string& command = w[0];
    const size_t n = w.size();
    auto expect = [&](size_t count, const char* form) {
        if (n == count) return true;
        *reason = std::string("expected \"") + form + "\"";
        return false;
    };

    if (command == "move" || command == "click" || command == "rclick") {
        if (!expect(3, (command + " X Y").c_str())) return false;
        if (!parse_int(w[1], &out->x) || !parse_int(w[2], &out->y)) {
            *reason = "coordinates must be whole numbers";
            return false;
        }
        out->op = command == "move" ? ScriptOp::Move : ScriptOp::Click;
        out->right = command == "rclick";
        return true;
    }
    if (command == "down" || command == "up") {
        if (!expect(2, (command + " left|right").c_str())) return false;
        if (!parse_side(w[1], &out->right)) {
            *reason = "the button is left or right";
            return false;
        }
        out->op = ScriptOp::Button;
        out->down = command == "down";
        return true;
    }
    if (command == "shift") {
        if (!expect(3, "shift left|right down|up")) return false;
        if (!parse_side(w[1], &out->right) || !parse_direction(w[2], &out->down)) {
            *reason = "expected \"shift left|right down|up\"";
            return false;
        }
        out->op = ScriptOp::Shift;
        return true;
    }
    if (command == "ctrl") {
        if (!expect(2, "ctrl down|up")) return false;
        if (!parse_direction(w[1], &out->down)) {
            *reason = "expected \"ctrl down|up\"";
            return false;
        }
        out->op = ScriptOp::Control;
        return true;
    }
    if (command == "key") {
        if (!expect(2, "key K")) return false;
        if (!parse_key(w[1], out)) {
            *reason = "unknown key \"" + w[1] + "\"";
            return false;
        }
        return true;
    }
    if (command == "menu") {
        if (!expect(2, "menu N")) return false;
        if (!parse_int(w[1], &out->code) || out->code < 0 || out->code > 65535) {
            *reason = "a menu id is a number from 0 to 65535";
            return false;
        }
        out->op = ScriptOp::Menu;
        return true;
    }
    if (command == "close") {
        if (!expect(1, "close")) return false;
        out->op = ScriptOp::Close;
        return true;
    }
    if (command == "ok" || command == "cancel") {
        if (!expect(1, command.c_str())) return false;
        out->op = ScriptOp::AnswerMessage;
        out->cancel = command == "cancel";
        return true;
    }
    if (command == "answer") {
        out->op = ScriptOp::AnswerAsk;
        out->text = rest_after(line, command);
        return true;
    }
    if (command == "answer-cancel" || command == "file-cancel" || command == "export-cancel") {
        if (!expect(1, command.c_str())) return false;
        out->op = command == "answer-cancel" ? ScriptOp::AnswerAsk
                  : command == "file-cancel" ? ScriptOp::AnswerFile
                                             : ScriptOp::AnswerExport;
        out->cancel = true;
        out->format = 0;  // no format clicked
        return true;
    }
    if (command == "file" || command == "screenshot") {
        out->text = rest_after(line, command);
        if (out->text.empty()) {
            *reason = "expected \"" + command + " PATH\"";
            return false;
        }
        out->op = command == "file" ? ScriptOp::AnswerFile : ScriptOp::Screenshot;
        return true;
    }
    if (command == "export") {
        if (!expect(4, "export F H V")) return false;
        if (w[1].size() != 1 || std::strchr("DPQG", w[1][0]) == nullptr) {
            *reason = "the export format is D, P, Q or G";
            return false;
        }
        out->op = ScriptOp::AnswerExport;
        out->format = w[1][0];
        out->hscale = w[2];
        out->vscale = w[3];
        return true;
    }
    *reason = "unknown command \"" + command + "\"";
    return false;
}

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

bool script_parse(const std::string& text, std::vector<ScriptLine>* lines, std::string* error) {
    lines->clear();
    std::istringstream in(text);
    std::string raw;
    int number = 0;
    while (std::getline(in, raw)) {
        ++number;
        if (!raw.empty() && raw.back() == '\r') raw.pop_back();
        // Blank lines are skipped whatever white space they hold.
        size_t first = raw.find_first_not_of(" \t\v\f\r");
        if (first == std::string::npos || raw[first] == '#') continue;
        ScriptLine line;
        line.number = number;
        std::string reason;
        if (!parse_line(raw.substr(first), &line, &reason)) {
            *error = "script line " + std::to_string(number) + ": " + reason + ": " + raw;
            return false;
        }
        lines->push_back(line);
    }
    return true;
}

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
