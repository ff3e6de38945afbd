#pragma once
// The editor's command line: a board path and "-wine", in either order.
#include <string>

struct EditorCommandLine {
    std::string board_path;  // empty when none was given
    bool wine = false;       // "-wine": the help viewer takes its fixed size
};

// The first two words of a raw command line, split at white space with no
// quoting (as the Windows entry point receives it); the rest is ignored.
// Words of any length are kept whole.
void split_command_line(const char* line, std::string* first, std::string* second);

// The meaning of the two words: "-wine" first makes the second the board
// path; otherwise the first is the path and a second word counts only
// when it is "-wine".
EditorCommandLine interpret_editor_words(const std::string& first, const std::string& second);

// Both steps on a raw command line.
EditorCommandLine parse_editor_command_line(const char* line);
