// The temporary arena: counted allocation and the give-up under memory shortage.
#include "core/arena.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

TempArena temp_arena;

const char empty_description[1] = {'\0'};

void temp_arena_reset() {
    temp_arena = TempArena{};
}

namespace {

// Memory held back from the start, released for the fatal box, so that
// the box can be shown when nothing else is left.
constexpr size_t RESERVE_SIZE = 256 * 1024;
void* reserve = nullptr;
bool reserve_released = false;

// One heap request; a test may make some of them fail (but not those of
// the fatal box, which the released reserve is there to serve).
void* ask_heap(size_t size, bool zero) {
    if (reserve == nullptr && !reserve_released) reserve = std::malloc(RESERVE_SIZE);
    if (size == 0) size = 1;
    if (reserve_released) return zero ? std::calloc(1, size) : std::malloc(size);
    ++temp_arena.requests;
    if (temp_arena.refuse_next > 0) {
        --temp_arena.refuse_next;
        ++temp_arena.refused;
        return nullptr;
    }
    if (temp_arena.refuse_at > 0 && temp_arena.requests >= temp_arena.refuse_at &&
        temp_arena.requests < temp_arena.refuse_at + temp_arena.refuse_count) {
        ++temp_arena.refused;
        return nullptr;
    }
    // A zero-byte request got a distinct block above, so that only a real
    // shortage reads as a refusal.
    return zero ? std::calloc(1, size) : std::malloc(size);
}

// Set while history is given up or the fatal box is up: a request made
// then (by a hook or by the box itself) that the heap refuses cannot
// start the same again, so the program ends at once.
bool giving_up = false;

// The request, and when the heap refuses it, the history given up in
// order: the oldest undo events first, then the redo events; then the
// program ends. Null only when a test's terminate hook came back.
void* ask_with_give_up(size_t size, bool zero) {
    void* block = ask_heap(size, zero);
    if (block != nullptr) return block;
    if (giving_up) {
        std::fputs("Error: Out of memory in malloc\n", stderr);
        std::_Exit(1);
    }
    giving_up = true;
    // Memory kept for reuse that nothing holds goes before any history.
    if (temp_arena.release_spare_memory != nullptr && temp_arena.release_spare_memory())
        block = ask_heap(size, zero);
    // Sacrifice the oldest undo history first; the board itself is never given up.
    while (block == nullptr && temp_arena.give_up_oldest_event != nullptr &&
           temp_arena.give_up_oldest_event()) {
        block = ask_heap(size, zero);
    }
    // Then the redo history, all of it at once.
    if (block == nullptr && temp_arena.give_up_redo_events != nullptr &&
        temp_arena.give_up_redo_events()) {
        block = ask_heap(size, zero);
    }
    if (block == nullptr) {
        std::free(reserve);
        reserve = nullptr;
        reserve_released = true;
        if (temp_arena.fatal_message != nullptr) {
            temp_arena.fatal_message("Error", "Out of memory in malloc");
        } else {
            std::fputs("Error: Out of memory in malloc\n", stderr);
        }
        reserve_released = false;  // only a test's terminate hook comes back
        giving_up = false;
        if (temp_arena.terminate != nullptr) {
            temp_arena.terminate(1);
            return nullptr;  // only a test's hook comes back here
        }
        std::exit(1);
    }
    giving_up = false;
    return block;
}

}  // namespace

void* temp_alloc(size_t size, const char* tag) {
    (void)tag;  // documents the call only
    void* block = ask_with_give_up(size, true);
    if (block == nullptr) return nullptr;
    temp_arena.usage += static_cast<int32_t>(size);
    return block;
}

void* heap_allocate(size_t size) { return ask_with_give_up(size, false); }

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

// The global operator new and delete, served through the give-up above:
// containers, strings and buffers grow with the board as records do, and
// a refused request must cost undo history, never escape as
// std::bad_alloc. They live here, beside temp_alloc, so that every program
// that uses the arena links them, whatever else offers an operator new.
namespace {

void* allocate(size_t size) {
    void* block = heap_allocate(size);
    // Only a test's terminate hook lets a refusal come back.
    if (block == nullptr) throw std::bad_alloc();
    return block;
}

}  // namespace

void* operator new(size_t size) { return allocate(size); }
void* operator new[](size_t size) { return allocate(size); }
void* operator new(size_t size, const std::nothrow_t&) noexcept { return heap_allocate(size); }
void* operator new[](size_t size, const std::nothrow_t&) noexcept { return heap_allocate(size); }
void operator delete(void* block) noexcept { std::free(block); }
void operator delete[](void* block) noexcept { std::free(block); }
void operator delete(void* block, size_t) noexcept { std::free(block); }
void operator delete[](void* block, size_t) noexcept { std::free(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { std::free(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { std::free(block); }
