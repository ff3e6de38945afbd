#pragma once
// The key and menu command table.

#include <cstddef>

// When a row applies: always, or only while a wire is selected.
enum CommandWhen { ANY_SELECTION, WIRE_SELECTED };

struct CommandRow {
    int code;  // a KeyCode, a HelpTopic or an upper-case letter
    CommandWhen when;
    void (*handler)(int code);
};

extern const CommandRow command_table[];
extern const size_t command_table_size;

// Runs the first row of the command table that fits the code and the
// selection; a code without a row opens the help viewer for it.
void dispatch_command(int code);
// The print command: the rectangle around every marked cell, exported.
void print_command();
