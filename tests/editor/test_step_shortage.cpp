// A heap refusal while an undone step is redrawn on its own: the step's
// event is being read, so it must not be the history that is given up.
#include <new>

#include "core/arena.h"
#include "screen_fixture.h"

namespace {

int redo_depth() {
    int depth = 0;
    for (const JournalEvent* e = journal.current; e->newer != nullptr; e = e->newer) ++depth;
    return depth;
}

bool came_back = false;

}  // namespace

class StepShortageTest : public ScreenTest {};

TEST_F(StepShortageTest, ARefusalWhileTheOnlyStepIsRedrawnKeepsItForRedo) {
    // One wire, one event; its line is too long to live inside a string.
    run("move 100 100\ndown left\nmove 100 140\nup left\n");
    deselect_all();
    journal_snapshot();  // the checkpoint the next pass would take
    ASSERT_NE(board.wire_list, nullptr);
    const std::string with_wire = saved_board_text();
    journal_undo();
    ASSERT_EQ(journal.current, &journal.base);
    ASSERT_EQ(redo_depth(), 1);

    // Nothing older to give up: the refusal reaches the fatal path, whose
    // test hook comes back, so the request fails as an exception.
    temp_arena.fatal_message = [](const char*, const char*) {};
    temp_arena.terminate = [](int) { came_back = true; };
    came_back = false;
    temp_arena.refuse_next = 1;
    bool thrown = false;
    try {
        journal_rebuild_board();
    } catch (const std::bad_alloc&) {
        thrown = true;
    }
    temp_arena.refuse_next = 0;
    temp_arena.terminate = nullptr;
    temp_arena.fatal_message = nullptr;
    ASSERT_GT(temp_arena.refused, 0);
    EXPECT_TRUE(thrown && came_back);

    // The undone step is still there to redo, whole.
    ASSERT_EQ(redo_depth(), 1);
    journal_rebuild_board();
    EXPECT_EQ(board.wire_list, nullptr);
    journal_redo();
    journal_rebuild_board();
    EXPECT_EQ(saved_board_text(), with_wire);
}
