#pragma once
// What every fuzz target shares: a clean program state per input on the
// headless backend, where ending the process returns to the fuzzer instead.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

// Thrown where the program would end (Quit, a dialog left without answers,
// memory shortage); the target catches it and goes on to the next input.
struct ProgramEnded {
    int status;
};

// Everything back to its starting state, the headless backend installed
// with its end of process replaced by ProgramEnded.
void fuzz_reset();

// The bytes as a read-only stream (a temporary file).
FILE* fuzz_stream(const uint8_t* data, size_t size);

// The board as the writer writes it.
std::string fuzz_board_text();

// Aborts with the problem when the board's integrity check fails.
void fuzz_check_board(const char* where);
