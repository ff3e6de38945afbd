#pragma once
// The board's invariants, checkable in one call.
#include <cstddef>
#include <cstdint>

struct IntegrityState {
    // Test builds turn the asserts on; the program leaves them off.
    bool enabled = false;
    // Arena bytes held outside the board (the undo journal's), supplied by
    // the journal once it is set up; none without it.
    int64_t (*held_elsewhere)() = nullptr;
};

extern IntegrityState integrity_state;
void integrity_state_reset();

// True when every hole's count equals the wire ends and pins on it, every
// record sits in
// exactly one list or slot with a valid catalog index of its kind, and
// temp_usage equals the bytes records, descriptions and the journal hold.
// Otherwise describes the first fault found in problem.
bool board_integrity_check(char* problem, size_t capacity);

// When enabled: checks, and ends the program with the fault and where it
// was seen when the check fails.
void integrity_assert(const char* where);
