// The record pool: blocks kept apart and zeroed, counted as arena bytes,
// spare chunks handed back before history, and refused chunks.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

#include "board/objects.h"
#include "board/record_pool.h"
#include "core/arena.h"
#include "support/board_builders.h"

namespace {

int oldest_given_up = 0;

bool give_up_one() {
    ++oldest_given_up;
    return true;
}

struct Held {
    unsigned char* block;
    size_t size;
    unsigned char mark;
};

}  // namespace

class RecordPoolTest : public ::testing::Test {
protected:
    void SetUp() override {
        reset_everything();
        oldest_given_up = 0;
    }
    void TearDown() override {
        temp_arena.refuse_next = 0;
        temp_arena.terminate = nullptr;
        temp_arena.fatal_message = nullptr;
        reset_everything();
    }
};

// Random sizes taken and given back in random order, across many chunks:
// each block comes zeroed, keeps what was written into it while others come
// and go, and the bytes in use are counted exactly.
TEST_F(RecordPoolTest, BlocksAreZeroedKeptApartAndCounted) {
    std::mt19937 random(3);
    std::vector<Held> held;
    int64_t bytes = 0;
    for (int step = 0; step < 60000; ++step) {
        const bool take = held.empty() || random() % 5 < (step < 40000 ? 3u : 1u);
        if (take) {
            const size_t size = 1 + random() % 80;
            auto* block = static_cast<unsigned char*>(pool_alloc(size));
            ASSERT_NE(block, nullptr);
            for (size_t i = 0; i < size; ++i) ASSERT_EQ(block[i], 0) << "step " << step << " byte " << i;
            const auto mark = static_cast<unsigned char>(1 + random() % 255);
            std::memset(block, mark, size);
            held.push_back({block, size, mark});
            bytes += static_cast<int64_t>(size);
        } else {
            const size_t at = random() % held.size();
            const Held h = held[at];
            for (size_t i = 0; i < h.size; ++i) ASSERT_EQ(h.block[i], h.mark) << "step " << step << " byte " << i;
            pool_free(h.block, h.size);
            held[at] = held.back();
            held.pop_back();
            bytes -= static_cast<int64_t>(h.size);
        }
        ASSERT_EQ(temp_usage(), bytes) << "step " << step;
    }
    for (const Held& h : held) pool_free(h.block, h.size);
    EXPECT_EQ(temp_usage(), 0);
    EXPECT_EQ(record_pool.live, 0);
    // Given back, the chunks are spare, and go when asked for.
    EXPECT_TRUE(release_spare_chunks());
    EXPECT_EQ(record_pool.chunks, nullptr);
    EXPECT_FALSE(release_spare_chunks());
}

// A cleared board keeps its chunks; a refused request hands those back
// first and is served without giving up any history. With a block in use
// nothing is spare, and the history goes as before.
TEST_F(RecordPoolTest, SpareChunksGoBeforeHistory) {
    temp_arena.give_up_oldest_event = give_up_one;
    for (int i = 0; i < 3000; ++i) add_wire("WIRE", 0, 10 * (i % 60), 10 * (i / 60 % 40), 10 * (i % 60), 10 * (i / 60 % 40) + 10);
    clear_board();
    ASSERT_NE(record_pool.chunks, nullptr);
    ASSERT_EQ(temp_arena.release_spare_memory, release_spare_chunks);

    temp_arena.refuse_next = 1;
    void* block = temp_alloc(200, "event");
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(oldest_given_up, 0);
    EXPECT_EQ(record_pool.chunks, nullptr);
    temp_free(&block, 200);

    WireRecord* w = add_wire("WIRE", 0, 10, 10, 10, 20);
    ASSERT_NE(w, nullptr);
    temp_arena.refuse_next = 1;
    block = temp_alloc(200, "event");
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(oldest_given_up, 1);
    EXPECT_NE(record_pool.chunks, nullptr) << "a chunk in use is never handed back";
    temp_free(&block, 200);
}

// A chunk the heap refuses, with nothing left to give up, reaches the fatal
// path; when a test's hook comes back the record is not made, and the pool
// serves the next request as if nothing had happened.
TEST_F(RecordPoolTest, ARefusedChunkMakesNoRecordAndLeavesThePoolWhole) {
    bool ended = false;
    static bool* ended_flag;
    ended_flag = &ended;
    temp_arena.fatal_message = [](const char*, const char*) {};
    temp_arena.terminate = [](int) { *ended_flag = true; };
    ASSERT_EQ(record_pool.chunks, nullptr);
    temp_arena.refuse_next = 1;
    EXPECT_EQ(create_wire(board.plain_wire_type, 10, 10, 10, 20), nullptr);
    EXPECT_TRUE(ended);
    EXPECT_EQ(record_pool.live, 0);
    EXPECT_EQ(temp_usage(), 0);
    WireRecord* w = create_wire(board.plain_wire_type, 10, 10, 10, 20);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(record_pool.live, 1);
    delete_wire(w);
}
