// Bounded formatted print into fixed buffers.
#include "core/format.h"

#include <cstdarg>
#include <cstdio>

int format_into(char* buffer, size_t capacity, const char* format, ...) {
    if (buffer == nullptr || capacity == 0) return -1;
    va_list arguments;
    va_start(arguments, format);
    int length = std::vsnprintf(buffer, capacity, format, arguments);
    va_end(arguments);
    if (length < 0) {
        // An encoding error: leave a terminated (empty) text behind.
        buffer[0] = '\0';
        return -1;
    }
    if (static_cast<size_t>(length) >= capacity) return -1;
    return length;
}
