// The temporary arena: counted allocation and the give-up under memory shortage.
#include "core/arena.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

TempArena temp_arena;

const char empty_description[1] = {'\0'};

void temp_arena_reset() {
    temp_arena = TempArena{};
}

namespace {

// One heap request; a test may make the next few fail.
void* ask_heap(size_t size) {
    if (temp_arena.refuse_next > 0) {
        --temp_arena.refuse_next;
        return nullptr;
    }
    // A zero-byte request still gets a distinct block, so that only a real
    // shortage reads as a refusal.
    return std::calloc(1, size == 0 ? 1 : size);
}

}  // namespace

void* temp_alloc(size_t size, const char* tag) {
    (void)tag;  // documents the call only
    void* block = ask_heap(size);

    // Sacrifice the oldest undo history first; the board itself is never given up.
    while (block == nullptr && temp_arena.give_up_oldest_event != nullptr &&
           temp_arena.give_up_oldest_event()) {
        block = ask_heap(size);
    }
    // Then the redo history, all of it at once.
    if (block == nullptr && temp_arena.give_up_redo_events != nullptr &&
        temp_arena.give_up_redo_events()) {
        block = ask_heap(size);
    }
    if (block == nullptr) {
        if (temp_arena.fatal_message != nullptr) {
            temp_arena.fatal_message("Error", "Out of memory in malloc");
        } else {
            std::fputs("Error: Out of memory in malloc\n", stderr);
        }
        if (temp_arena.terminate != nullptr) {
            temp_arena.terminate(1);
            // Only a test's hook comes back here; it sees the null block.
            return nullptr;
        }
        std::exit(1);
    }
    temp_arena.usage += static_cast<int32_t>(size);
    return block;
}

void temp_release(void* block, size_t size) {
    if (block == nullptr || block == static_cast<const void*>(empty_description)) return;
    std::free(block);
    temp_arena.usage -= static_cast<int32_t>(size);
}

char* temp_strdup(const char* text) {
    if (text == nullptr) text = "";
    size_t size = std::strlen(text) + 1;
    char* copy = static_cast<char*>(temp_alloc(size, "string"));
    if (copy != nullptr) std::memcpy(copy, text, size);
    return copy;
}

int32_t temp_usage() {
    return temp_arena.usage;
}
