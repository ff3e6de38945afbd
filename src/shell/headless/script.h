#pragma once
// Scripted runs: a text of event lines, answer lines and screenshots that
// drives the editor on the headless backend, one event per wait.
#include <cstdio>
#include <string>
#include <vector>
#include "shell/headless/headless.h"
#include "shell/input.h"

enum class ScriptOp {
    Move,           // pointer to (x, y), model units
    Button,         // right, down
    Click,          // move, press, release at (x, y); right
    Shift,          // right, down
    Control,        // down
    Char,           // a typed character: code
    KeyDown,        // a key of the key-down table: key
    Menu,           // code
    Close,
    AnswerMessage,  // cancel
    AnswerAsk,      // cancel, text
    AnswerFile,     // cancel, text (the path)
    AnswerExport,   // cancel, format, hscale, vscale
    Screenshot,     // text (the path)
};

struct ScriptLine {
    int number = 0;  // line number in the script text, from 1
    ScriptOp op = ScriptOp::Move;
    int x = 0, y = 0;
    bool right = false;
    bool down = false;
    bool cancel = false;
    int code = 0;
    PlatformKey key = PKEY_OTHER;
    std::string text;
    char format = 'D';
    std::string hscale, vscale;
};

struct ScriptState {
    std::vector<ScriptLine> lines;  // comments and blank lines left out
    size_t next = 0;                // first line not yet taken; answers taken are erased
    int click_step = 0;             // events of a click already delivered
};

extern ScriptState script_state;
void script_state_reset();

// Parses a whole script. A malformed line stops the parse with
// "script line N: ..." in error; nothing has run then.
bool script_parse(const std::string& text, std::vector<ScriptLine>* lines, std::string* error);

// Reads a file, or standard input for "-", and parses it into script_state.
bool script_load(const char* path, std::string* error);

// Hooks the script into the headless backend as its event and answer source.
void script_attach();

// The backend's hooks: the next event through the input translation (false
// at the end of the script), and an answer line of the asking dialog's kind.
bool script_feed_event();
bool script_take_answer(AnswerKind kind, HeadlessAnswer* out);
