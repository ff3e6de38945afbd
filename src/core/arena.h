#pragma once
// The temporary arena: every record, description string and journal node
// is allocated here, so that usage can be reported and undo history can be
// given up when the heap runs short.
#include <cstddef>
#include <cstdint>

struct TempArena {
    int32_t usage = 0;            // sum of the sizes of the blocks now allocated
    int refuse_next = 0;          // tests: refuse this many heap requests
    // Every heap request is counted; tests refuse the requests numbered
    // refuse_at .. refuse_at + refuse_count - 1 (0: none), as a heap
    // would that runs short there.
    int64_t requests = 0;
    int64_t refuse_at = 0;
    int64_t refuse_count = 1;
    int64_t refused = 0;          // requests refused so far
    // Hooks installed by the undo journal. Each gives up history and
    // returns true when it released something (so asking again may help).
    bool (*give_up_oldest_event)() = nullptr;
    bool (*give_up_redo_events)() = nullptr;
    // Installed by whoever keeps heap memory that nothing uses (the record
    // pool of a cleared board): hands it back first, before any history
    // goes; true when it released something.
    bool (*release_spare_memory)() = nullptr;
    // Shows the fatal "Out of memory" box; installed by the shell.
    void (*fatal_message)(const char* caption, const char* text) = nullptr;
    // Ends the program; tests replace it to observe the fatal path.
    void (*terminate)(int status) = nullptr;
};

extern TempArena temp_arena;

// Back to the starting state (usage 0, no refusals, no hooks but the defaults).
void temp_arena_reset();

// The one shared empty description; never released.
extern const char empty_description[1];

// Returns a zero-filled block of size bytes; never returns null (see arena.cpp).
void* temp_alloc(size_t size, const char* tag);

// Releases a block given with its size; used through temp_free.
void temp_release(void* block, size_t size);

// Releases *pointer (unless null or empty_description) and nulls it.
template <typename T>
void temp_free(T** pointer, size_t size) {
    if (pointer == nullptr || *pointer == nullptr) return;
    if (static_cast<const void*>(*pointer) == static_cast<const void*>(empty_description)) return;
    temp_release(const_cast<void*>(static_cast<const void*>(*pointer)), size);
    *pointer = nullptr;
}

// A block for anything else that grows with the board (containers,
// buffers, the journal's index): the global operator new comes here, so
// a refused request gives up history in the same order and, when nothing
// is left to give up, ends the program with the same message instead of
// an exception. Not counted in temp_usage; released with std::free.
void* heap_allocate(size_t size);

// Copies text (length + 1 bytes, tag "string").
char* temp_strdup(const char* text);

// Bytes currently allocated from the arena.
int32_t temp_usage();
