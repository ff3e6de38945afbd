#pragma once
// The codes the editor reads from the key slot: control keys, menu ids
// and help topics. Letter commands use their upper-case character ('A'..'Z').

// Control characters and the codes that stand for keys without a character.
// The arrows arrive as the ctrl-P/N/F/B codes; Delete as the Backspace code.
enum KeyCode : int {
    KEY_SELECT_ALL = 1,        // ctrl-A
    KEY_LEFT = 2,              // ctrl-B, left arrow
    KEY_DELETE_ALT = 4,        // ctrl-D
    KEY_EXPOSE_ANY_WIRE = 5,   // ctrl-E
    KEY_RIGHT = 6,             // ctrl-F, right arrow
    KEY_GARBAGE_COLLECT = 7,   // ctrl-G
    KEY_BACKSPACE = 8,         // Backspace, Delete key
    KEY_INSERT_FILE = 9,       // ctrl-I
    KEY_TAB = 9,
    KEY_LINE_FEED = 10,        // ctrl-Enter
    KEY_REDRAW = 12,           // ctrl-L
    KEY_ENTER = 13,
    KEY_DOWN = 14,             // ctrl-N, down arrow
    KEY_OPEN = 15,             // ctrl-O
    KEY_UP = 16,               // ctrl-P, up arrow
    KEY_SAVE = 19,             // ctrl-S
    KEY_REVERSE_VARIANT = 22,  // ctrl-V
    KEY_SAVE_AS = 23,          // ctrl-W
    KEY_ESCAPE = 27,
    KEY_SPACE = 32,
    KEY_DELETE_MENU = 255,     // the Edit menu's Delete item
};

// Help topic ids: the Help menu sends them and the viewer maps them to titles.
enum HelpTopic : int {
    HELP_MANUAL = 257,
    HELP_ABOUT = 258,
    HELP_QUICK = 259,
    HELP_PHILOSOPHY = 260,
    HELP_BASICS = 261,
    HELP_CREATING = 262,
    HELP_SELECTING = 263,
    HELP_EDITING = 264,
    HELP_MOVING = 265,
    HELP_REGIONS = 266,
    HELP_FILES = 267,
    HELP_PRINTING = 268,
    HELP_DISPLAY = 269,
    HELP_UNDO = 270,
    HELP_MISCELLANEOUS = 271,
    HELP_INSTALLATION = 272,
    HELP_COMMANDS = 273,
    HELP_FIRST = HELP_MANUAL,
    HELP_LAST = HELP_COMMANDS,
};
