#pragma once
// Small blocks for board records and short descriptions, carved from large
// chunks: a load makes thousands of them, and one heap request per chunk
// costs far less than one per block.
#include <cstddef>
#include <cstdint>

// Block sizes are rounded up to a multiple of POOL_GRAIN; a request above
// POOL_LARGEST goes to temp_alloc as it is.
constexpr size_t POOL_GRAIN = 16;
constexpr size_t POOL_LARGEST = 64;
constexpr int POOL_CLASSES = static_cast<int>(POOL_LARGEST / POOL_GRAIN);
constexpr size_t POOL_CHUNK_SIZE = 64 * 1024;

// A chunk's first grain links it to the next; its blocks follow.
struct PoolChunk {
    PoolChunk* next;
};

struct RecordPool {
    void* free_blocks[POOL_CLASSES] = {};  // per size class, linked through their first word
    PoolChunk* chunks = nullptr;           // newest first
    unsigned char* cursor = nullptr;       // the newest chunk's part never handed out
    unsigned char* limit = nullptr;
    int64_t live = 0;                      // blocks handed out and not given back
};

// Once its last block is released (board_reset leaves it so) its chunks
// are spare: kept for the next board, and handed back to the heap through
// the arena's release_spare_memory when a request is refused.
extern RecordPool record_pool;
// Hands the chunks back when no block is in use; true when it did.
bool release_spare_chunks();

// A zero-filled block of size bytes, counted in temp_usage as temp_alloc
// counts it. Chunks come through heap_allocate, so a shortage gives up undo
// history as any other request does; like temp_alloc, null only when a
// test's terminate hook came back.
void* pool_alloc(size_t size);
// Gives back a block of pool_alloc with the size it was asked with; null
// and the shared empty description are ignored.
void pool_free(const void* block, size_t size);
