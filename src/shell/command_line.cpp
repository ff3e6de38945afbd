// Splitting the editor's command line into board path and wine flag.
#include "shell/command_line.h"

static bool is_white(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

// One word from *p on, skipping the white space before it; *p is left
// just after the word.
static std::string next_word(const char** p) {
    const char* s = *p;
    while (*s != '\0' && is_white(*s)) ++s;
    const char* start = s;
    while (*s != '\0' && !is_white(*s)) ++s;
    *p = s;
    return std::string(start, s);
}

void split_command_line(const char* line, std::string* first, std::string* second) {
    const char* p = line ? line : "";
    *first = next_word(&p);
    *second = next_word(&p);
}

EditorCommandLine interpret_editor_words(const std::string& first, const std::string& second) {
    EditorCommandLine result;
    if (first == "-wine") {
        result.wine = true;
        result.board_path = second;
    } else {
        result.board_path = first;
        result.wine = second == "-wine";
    }
    return result;
}

EditorCommandLine parse_editor_command_line(const char* line) {
    std::string first, second;
    split_command_line(line, &first, &second);
    return interpret_editor_words(first, second);
}
