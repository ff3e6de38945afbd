// The script reader's parser: script text into ScriptLine rows, one
// table row per command word.
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <string>
#include "shell/codes.h"
#include "shell/headless/script.h"

namespace {

// Words end at the C locale's white space, as a stream's would; no stream
// is made per line, which is costly where code starts cold (the page).
std::vector<std::string> split_words(const std::string& text) {
    std::vector<std::string> words;
    size_t i = 0;
    for (;;) {
        while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
        if (i == text.size()) return words;
        const size_t start = i;
        while (i < text.size() && !std::isspace(static_cast<unsigned char>(text[i]))) ++i;
        words.emplace_back(text, start, i - start);
    }
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

// One line being parsed: its text, its words, the row it fills and the
// reason it is malformed.
struct LineParse {
    const std::string& line;
    const std::vector<std::string>& w;
    ScriptLine* out;
    std::string* reason;

    const std::string& command() const { return w[0]; }
    bool fail(const std::string& why) const {
        *reason = why;
        return false;
    }
    bool expect(size_t count, const std::string& form) const {
        return w.size() == count || fail("expected \"" + form + "\"");
    }
};

bool parse_pointer(const LineParse& p) {
    if (!p.expect(3, p.command() + " X Y")) return false;
    if (!parse_int(p.w[1], &p.out->x) || !parse_int(p.w[2], &p.out->y))
        return p.fail("coordinates must be whole numbers");
    p.out->op = p.command() == "move" ? ScriptOp::Move : ScriptOp::Click;
    p.out->right = p.command() == "rclick";
    return true;
}

bool parse_button(const LineParse& p) {
    if (!p.expect(2, p.command() + " left|right")) return false;
    if (!parse_side(p.w[1], &p.out->right)) return p.fail("the button is left or right");
    p.out->op = ScriptOp::Button;
    p.out->down = p.command() == "down";
    return true;
}

bool parse_shift(const LineParse& p) {
    if (!p.expect(3, "shift left|right down|up")) return false;
    if (!parse_side(p.w[1], &p.out->right) || !parse_direction(p.w[2], &p.out->down))
        return p.fail("expected \"shift left|right down|up\"");
    p.out->op = ScriptOp::Shift;
    return true;
}

bool parse_control(const LineParse& p) {
    if (!p.expect(2, "ctrl down|up")) return false;
    if (!parse_direction(p.w[1], &p.out->down)) return p.fail("expected \"ctrl down|up\"");
    p.out->op = ScriptOp::Control;
    return true;
}

bool parse_key_line(const LineParse& p) {
    if (!p.expect(2, "key K")) return false;
    if (!parse_key(p.w[1], p.out)) return p.fail("unknown key \"" + p.w[1] + "\"");
    return true;
}

bool parse_menu(const LineParse& p) {
    if (!p.expect(2, "menu N")) return false;
    if (!parse_int(p.w[1], &p.out->code) || p.out->code < 0 || p.out->code > 65535)
        return p.fail("a menu id is a number from 0 to 65535");
    p.out->op = ScriptOp::Menu;
    return true;
}

bool parse_close(const LineParse& p) {
    if (!p.expect(1, "close")) return false;
    p.out->op = ScriptOp::Close;
    return true;
}

bool parse_message_answer(const LineParse& p) {
    if (!p.expect(1, p.command())) return false;
    p.out->op = ScriptOp::AnswerMessage;
    p.out->cancel = p.command() == "cancel";
    return true;
}

bool parse_ask_answer(const LineParse& p) {
    p.out->op = ScriptOp::AnswerAsk;
    p.out->text = rest_after(p.line, p.command());
    return true;
}

bool parse_cancel_answer(const LineParse& p) {
    if (!p.expect(1, p.command())) return false;
    p.out->op = p.command() == "answer-cancel" ? ScriptOp::AnswerAsk
                : p.command() == "file-cancel" ? ScriptOp::AnswerFile
                                               : ScriptOp::AnswerExport;
    p.out->cancel = true;
    p.out->format = 0;  // no format clicked
    return true;
}

bool parse_path_line(const LineParse& p) {
    p.out->text = rest_after(p.line, p.command());
    if (p.out->text.empty()) return p.fail("expected \"" + p.command() + " PATH\"");
    p.out->op = p.command() == "file" ? ScriptOp::AnswerFile : ScriptOp::Screenshot;
    return true;
}

bool parse_export_answer(const LineParse& p) {
    if (!p.expect(4, "export F H V")) return false;
    if (p.w[1].size() != 1 || std::strchr("DPQG", p.w[1][0]) == nullptr)
        return p.fail("the export format is D, P, Q or G");
    p.out->op = ScriptOp::AnswerExport;
    p.out->format = p.w[1][0];
    p.out->hscale = p.w[2];
    p.out->vscale = p.w[3];
    return true;
}

struct ScriptCommand {
    const char* name;
    bool (*parse)(const LineParse& p);
};

const ScriptCommand script_commands[] = {
    {"move", parse_pointer},
    {"click", parse_pointer},
    {"rclick", parse_pointer},
    {"down", parse_button},
    {"up", parse_button},
    {"shift", parse_shift},
    {"ctrl", parse_control},
    {"key", parse_key_line},
    {"menu", parse_menu},
    {"close", parse_close},
    {"ok", parse_message_answer},
    {"cancel", parse_message_answer},
    {"answer", parse_ask_answer},
    {"answer-cancel", parse_cancel_answer},
    {"file-cancel", parse_cancel_answer},
    {"export-cancel", parse_cancel_answer},
    {"file", parse_path_line},
    {"screenshot", parse_path_line},
    {"export", parse_export_answer},
};

// One non-comment line; false with a reason when it is malformed.
bool parse_line(const std::string& line, ScriptLine* out, std::string* reason) {
    const std::vector<std::string> w = split_words(line);
    if (w.empty()) {
        *reason = "no command";
        return false;
    }
    const LineParse p{line, w, out, reason};
    for (const ScriptCommand& command : script_commands)
        if (p.command() == command.name) return command.parse(p);
    return p.fail("unknown command \"" + p.command() + "\"");
}

}  // namespace

bool script_parse(const std::string& text, std::vector<ScriptLine>* lines, std::string* error) {
    lines->clear();
    int number = 0;
    // Lines end at '\n'; a last one without it counts too.
    for (size_t start = 0; start < text.size();) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string raw = text.substr(start, end - start);
        start = end + 1;
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

