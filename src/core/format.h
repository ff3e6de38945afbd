#pragma once
// Bounded formatted print into fixed buffers.
#include <cstddef>

// Bounded formatted print: writes at most capacity bytes including the
// terminator; returns the length, or a negative number when it was cut.
int format_into(char* buffer, size_t capacity, const char* format, ...)
    __attribute__((format(printf, 3, 4)));
