#pragma once
// Text bound for a terminal, with its control bytes shown escaped.
#include <string>

// Copies text with every control byte but line feed and tab written as
// \xHH, so that a name or a line from a file cannot move the cursor,
// retitle the window or clear the screen. Dialogs and the transcript
// keep the text as it is; this is only for what goes to stderr.
std::string terminal_escaped(const char* text);
