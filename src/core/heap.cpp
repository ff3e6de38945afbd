// The global operator new and delete, served through the arena's give-up.
//
// Containers, strings and buffers grow with the board as records do; a
// refused request must cost undo history, never escape as std::bad_alloc.
#include <cstdlib>
#include <new>

#include "core/arena.h"

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
