// Tests of the temporary arena and its give-up.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "core/arena.h"

namespace {

std::string hook_log;  // which give-up hooks ran, in order: 'o' oldest, 'r' redo
int oldest_events_left = 0;
bool redo_available = false;
std::string fatal_caption, fatal_text;
int terminate_status = -1;

bool give_up_oldest() {
    hook_log += 'o';
    if (oldest_events_left == 0) return false;
    --oldest_events_left;
    return true;
}

bool give_up_redo() {
    hook_log += 'r';
    bool released = redo_available;
    redo_available = false;
    return released;
}

void record_fatal(const char* caption, const char* text) {
    fatal_caption = caption;
    fatal_text = text;
}

void record_terminate(int status) { terminate_status = status; }

class Arena : public ::testing::Test {
protected:
    void SetUp() override {
        temp_arena_reset();
        hook_log.clear();
        oldest_events_left = 0;
        redo_available = false;
        fatal_caption.clear();
        fatal_text.clear();
        terminate_status = -1;
        temp_arena.give_up_oldest_event = give_up_oldest;
        temp_arena.give_up_redo_events = give_up_redo;
        temp_arena.fatal_message = record_fatal;
        temp_arena.terminate = record_terminate;
    }
    void TearDown() override { temp_arena_reset(); }
};

TEST_F(Arena, CountsRequestedBytesAndReleasesThem) {
    const int32_t before = temp_usage();
    auto* block = static_cast<unsigned char*>(temp_alloc(100, "wire"));
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(temp_usage(), before + 100);
    for (int i = 0; i < 100; ++i) ASSERT_EQ(block[i], 0) << "byte " << i;
    temp_free(&block, 100);
    EXPECT_EQ(block, nullptr);
    EXPECT_EQ(temp_usage(), before);
}

TEST_F(Arena, StrdupCopiesTextWithItsTerminator) {
    char* copy = temp_strdup("hello");
    ASSERT_NE(copy, nullptr);
    EXPECT_STREQ(copy, "hello");
    EXPECT_EQ(temp_usage(), 6);
    temp_free(&copy, 6);
    EXPECT_EQ(temp_usage(), 0);

    char* empty = temp_strdup(nullptr);
    ASSERT_NE(empty, nullptr);
    EXPECT_STREQ(empty, "");
    EXPECT_EQ(temp_usage(), 1);
    temp_free(&empty, 1);
}

TEST_F(Arena, FreeIgnoresNullAndTheSharedEmptyDescription) {
    char* null_text = nullptr;
    temp_free(&null_text, 10);
    temp_free(static_cast<char**>(nullptr), 10);
    const char* shared = empty_description;
    temp_free(&shared, 1);
    EXPECT_EQ(shared, empty_description) << "the shared description is never released or nulled";
    EXPECT_EQ(temp_usage(), 0);
}

TEST_F(Arena, ZeroByteRequestIsNotMistakenForShortage) {
    void* block = temp_alloc(0, "string");
    EXPECT_NE(block, nullptr);
    EXPECT_EQ(hook_log, "");
    EXPECT_EQ(temp_usage(), 0);
    temp_free(&block, 0);
}

TEST_F(Arena, ShortageGivesUpOldestEventsUntilTheHeapAgrees) {
    oldest_events_left = 5;
    redo_available = true;
    temp_arena.refuse_next = 3;
    void* block = temp_alloc(40, "event");
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(hook_log, "ooo") << "redo history must survive while old events can go";
    EXPECT_EQ(oldest_events_left, 2);
    EXPECT_EQ(temp_usage(), 40);
    EXPECT_EQ(terminate_status, -1);
    temp_free(&block, 40);
}

TEST_F(Arena, RedoHistoryGoesOnlyAfterTheOldEventsAreGone) {
    oldest_events_left = 1;
    redo_available = true;
    temp_arena.refuse_next = 2;
    void* block = temp_alloc(8, "change");
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(hook_log, "oor");
    EXPECT_EQ(fatal_text, "");
    temp_free(&block, 8);
}

TEST_F(Arena, ExhaustedHistoryEndsWithTheOutOfMemoryMessage) {
    oldest_events_left = 1;
    redo_available = true;
    temp_arena.refuse_next = 100;
    void* block = temp_alloc(16, "comp");
    EXPECT_EQ(block, nullptr);  // only because the test's terminate hook returns
    EXPECT_EQ(hook_log, "oor");
    EXPECT_EQ(fatal_caption, "Error");
    EXPECT_EQ(fatal_text, "Out of memory in malloc");
    EXPECT_EQ(terminate_status, 1);
    EXPECT_EQ(temp_usage(), 0);
    // One request for the first try, one after the old event, one after the redo.
    EXPECT_EQ(temp_arena.refuse_next, 97);
}

TEST_F(Arena, NothingToGiveUpGoesStraightToTheFatalPath) {
    temp_arena.refuse_next = 1;
    void* block = temp_alloc(16, "wire");
    EXPECT_EQ(block, nullptr);
    EXPECT_EQ(hook_log, "or");
    EXPECT_EQ(terminate_status, 1);
    // The refusal is used up: the next request succeeds without help.
    hook_log.clear();
    void* next = temp_alloc(16, "wire");
    EXPECT_NE(next, nullptr);
    EXPECT_EQ(hook_log, "");
    temp_free(&next, 16);
}

TEST_F(Arena, ResetForgetsUsageRefusalsAndHooks) {
    void* block = temp_alloc(24, "wire");
    temp_arena.refuse_next = 4;
    temp_arena_reset();
    EXPECT_EQ(temp_usage(), 0);
    EXPECT_EQ(temp_arena.refuse_next, 0);
    EXPECT_EQ(temp_arena.give_up_oldest_event, nullptr);
    EXPECT_EQ(temp_arena.give_up_redo_events, nullptr);
    EXPECT_EQ(temp_arena.fatal_message, nullptr);
    EXPECT_EQ(temp_arena.terminate, nullptr);
    std::free(block);  // reset does not free; release the block behind the arena's back
}

TEST(ArenaDeathTest, WithoutHooksTheProgramEndsWithStatusOne) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            temp_arena_reset();
            temp_arena.refuse_next = 1;
            temp_alloc(10, "wire");
        },
        ::testing::ExitedWithCode(1), "Out of memory in malloc");
}

}  // namespace
