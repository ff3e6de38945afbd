// Escaping of control bytes for messages written to a terminal.
#include "shell/terminal_text.h"

#include <cstdio>

std::string terminal_escaped(const char* text) {
    std::string out;
    if (text == nullptr) return out;
    for (const char* p = text; *p != '\0'; ++p) {
        const unsigned char byte = static_cast<unsigned char>(*p);
        if ((byte < 0x20 && byte != '\n' && byte != '\t') || byte == 0x7f) {
            char escape[5];
            std::snprintf(escape, sizeof escape, "\\x%02x", byte);
            out += escape;
        } else {
            out += static_cast<char>(byte);
        }
    }
    return out;
}
