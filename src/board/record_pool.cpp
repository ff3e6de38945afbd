// The record pool: size classes of small blocks in heap chunks, counted as arena bytes.
#include "board/record_pool.h"

#include <cstdlib>
#include <cstring>

#include "core/arena.h"

RecordPool record_pool;

namespace {

// Under AddressSanitizer the blocks not handed out are poisoned, so that a
// record used after its release is caught as it would be on the heap.
#if defined(__SANITIZE_ADDRESS__)
extern "C" void __asan_poison_memory_region(void const volatile* address, size_t size);
extern "C" void __asan_unpoison_memory_region(void const volatile* address, size_t size);
void poison(const void* block, size_t size) { __asan_poison_memory_region(block, size); }
void unpoison(const void* block, size_t size) { __asan_unpoison_memory_region(block, size); }
#else
void poison(const void*, size_t) {}
void unpoison(const void*, size_t) {}
#endif

int size_class(size_t size) { return static_cast<int>((size + POOL_GRAIN - 1) / POOL_GRAIN) - 1; }

size_t class_size(int index) { return static_cast<size_t>(index + 1) * POOL_GRAIN; }

// A fresh chunk to carve blocks from; false when the heap refused and a
// test's terminate hook came back.
bool add_chunk() {
    auto* chunk = static_cast<PoolChunk*>(heap_allocate(POOL_CHUNK_SIZE));
    if (chunk == nullptr) return false;
    chunk->next = record_pool.chunks;
    record_pool.chunks = chunk;
    record_pool.cursor = reinterpret_cast<unsigned char*>(chunk) + POOL_GRAIN;
    record_pool.limit = reinterpret_cast<unsigned char*>(chunk) + POOL_CHUNK_SIZE;
    poison(record_pool.cursor, static_cast<size_t>(record_pool.limit - record_pool.cursor));
    return true;
}

}  // namespace

// The chunks of a cleared board are kept for the next board: handed back
// and asked for again on every load, they would cost the heap's trimming
// and fresh pages each time. The arena asks for them when the heap runs
// short, before it gives up any history.
bool release_spare_chunks() {
    if (record_pool.live != 0 || record_pool.chunks == nullptr) return false;
    while (PoolChunk* chunk = record_pool.chunks) {
        record_pool.chunks = chunk->next;
        unpoison(chunk, POOL_CHUNK_SIZE);
        std::free(chunk);
    }
    record_pool = RecordPool{};
    return true;
}

void* pool_alloc(size_t size) {
    if (size == 0 || size > POOL_LARGEST) return temp_alloc(size, "block");
    const int index = size_class(size);
    void* block = record_pool.free_blocks[index];
    if (block != nullptr) {
        unpoison(block, sizeof(void*));
        std::memcpy(&record_pool.free_blocks[index], block, sizeof(void*));
        poison(block, class_size(index));
    } else {
        const size_t whole = class_size(index);
        if (record_pool.cursor == nullptr || static_cast<size_t>(record_pool.limit - record_pool.cursor) < whole) {
            if (!add_chunk()) return nullptr;
        }
        block = record_pool.cursor;
        record_pool.cursor += whole;
    }
    unpoison(block, size);
    std::memset(block, 0, size);
    ++record_pool.live;
    temp_arena.usage += static_cast<int32_t>(size);
    return block;
}

void pool_free(const void* block, size_t size) {
    if (block == nullptr || block == static_cast<const void*>(empty_description)) return;
    if (size == 0 || size > POOL_LARGEST) {
        temp_release(const_cast<void*>(block), size);
        return;
    }
    const int index = size_class(size);
    void* released = const_cast<void*>(block);
    unpoison(released, sizeof(void*));
    std::memcpy(released, &record_pool.free_blocks[index], sizeof(void*));
    record_pool.free_blocks[index] = released;
    poison(released, class_size(index));
    temp_arena.usage -= static_cast<int32_t>(size);
    if (--record_pool.live == 0) temp_arena.release_spare_memory = release_spare_chunks;
}
