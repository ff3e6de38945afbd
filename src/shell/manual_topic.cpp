// Finding a help topic title in the manual text.
#include <cctype>
#include <cstring>
#include "shell/manual.h"

static bool same_ignoring_case(char a, char b) {
    return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
}

size_t find_ignoring_case(const char* text, size_t length, const char* title) {
    size_t title_length = title ? std::strlen(title) : 0;
    if (title_length == 0 || title_length > length) return 0;
    for (size_t at = 0; at + title_length <= length; ++at) {
        size_t k = 0;
        while (k < title_length && same_ignoring_case(text[at + k], title[k])) ++k;
        if (k == title_length) return at;
    }
    return 0;
}

size_t manual_topic_offset(const char* title) {
    return find_ignoring_case(manual_text, manual_length, title);
}
