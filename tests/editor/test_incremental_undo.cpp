// Undo and redo that change only what a step changed must leave the same
// board and the same picture as rebuilding the whole board: random
// sessions are played twice, once each way, and compared after every
// undo and redo.
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "board/grid.h"
#include "editor/journal_fixture.h"
#include "editor/regions.h"
#include "editor/selection.h"

namespace {

struct AfterStep {
    std::string board;
    size_t picture;  // a hash of every cell and framebuffer pixel
};

// The editor's edits, each followed by the checkpoint of the next pass.
void random_edit(std::mt19937& random) {
    auto any = [&random](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    const int x = 10 * (1 + any(30)), y = 10 * (1 + any(20));
    switch (any(9)) {
        case 0:
        case 1:
            add_wire(any(3) ? "WIRE" : "RES", 0, x, y, x, y + 10 * (1 + any(4)));
            break;
        case 2:
            add_wire("CAP", 0, x, y, x + 10 * (1 + any(4)), y);
            break;
        case 3:
            add_component(any(2) ? "NPN" : "SIL3", 0, x, y);
            break;
        case 4:
            toggle_cell(x + 5, y);  // a cut
            break;
        case 5:
            toggle_cell(x, y + 5);  // a bridge
            break;
        case 6:
            if (board.wire_list != nullptr) describe_wire(board.wire_list, any(2) ? "R1" : "long wire");
            break;
        case 7: {  // drag a wire's end one hole along
            WireRecord* w = board.wire_list;
            if (w == nullptr) break;
            unregister_wire_ends(w);
            invalidate_wire(w);
            // Moving an end counts the wire's solder points again.
            move_wire_end(w, w->x2, w->y2, w->x2 + (w->x1 == w->x2 ? 0 : 10), w->y2 + (w->x1 == w->x2 ? 10 : 0));
            invalidate_wire(w);
            break;
        }
        default: {  // delete the newest wire as the editor does
            WireRecord* w = board.wire_list;
            if (w == nullptr) break;
            w = take_wire_at(w->x1, w->y1);
            if (w != nullptr) {
                select_wire(w, w->x1, w->y1);
                delete_selection();
            }
            break;
        }
    }
    journal_snapshot();
}

// One session; what the board and the picture are after each undo and redo.
std::vector<AfterStep> play_session(unsigned seed, bool incremental) {
    start_blank_board(seed % 2 ? 20 : 10);
    journal.incremental_rebuild = incremental;
    std::mt19937 random(seed);
    journal_snapshot();
    std::vector<AfterStep> seen;
    for (int i = 0; i < 36; ++i) {
        const int action = static_cast<int>(random() % 10);
        if (action < 5) {
            random_edit(random);
            continue;
        }
        const int repeat = 1 + static_cast<int>(random() % 3);
        for (int k = 0; k < repeat; ++k) {
            deselect_all();
            if (action < 8)
                journal_undo();
            else
                journal_redo();
            journal_rebuild_board();
            seen.push_back({saved_board_text(), canvas_hash()});
        }
    }
    return seen;
}

class IncrementalUndoTest : public JournalTest {};

TEST_F(IncrementalUndoTest, EveryUndoAndRedoLeavesTheBoardAndPictureOfTheFullRebuild) {
    int alone = 0, steps = 0, from_kept = 0, mismatches = 0;
    for (unsigned seed = 1; seed <= 4; ++seed) {
        const std::vector<AfterStep> full = play_session(seed, false);
        EXPECT_EQ(journal.steps_applied_alone, 0);
        const std::vector<AfterStep> incremental = play_session(seed, true);
        alone += journal.steps_applied_alone;
        from_kept += journal.steps_taken_from_kept_board;
        mismatches += journal.kept_board_mismatches;
        steps += static_cast<int>(incremental.size());
        ASSERT_EQ(full.size(), incremental.size());
        ASSERT_FALSE(full.empty());
        for (size_t i = 0; i < full.size(); ++i) {
            ASSERT_EQ(full[i].board, incremental[i].board) << "seed " << seed << ", step " << i;
            ASSERT_EQ(full[i].picture, incremental[i].picture) << "seed " << seed << ", step " << i;
        }
    }
    // Only the first step after new edits rebuilds the whole board.
    EXPECT_GT(alone, steps / 3) << alone << " of " << steps << " steps were taken alone";
    EXPECT_GT(from_kept, steps / 5) << from_kept << " of " << steps << " steps trusted the board the last one left";
    EXPECT_EQ(mismatches, 0) << "an edit went by uncounted, or a step kept the wrong board";
}

// Changes no checkpoint saw, made after a step, that the board kept from
// that step does not show: the next step must find them and the board
// must end as the full rebuild leaves it.
TEST_F(IncrementalUndoTest, AChangeAfterAKeptStepIsFoundByTheNextStep) {
    const auto unrecorded = [](int which) {
        WireRecord* middle = board.wire_list->next->next;
        switch (which) {
            case 0:  // a record moved in place
                unregister_wire_ends(middle);
                middle->y2 += 10;
                register_wire_ends(middle);
                break;
            case 1: {  // one from the middle brought to the second place, the head unchanged
                const int hx = board.wire_list->x1, hy = board.wire_list->y1;
                WireRecord* taken = take_wire_at(middle->x1, middle->y1);
                select_wire(taken, taken->x1, taken->y1);
                taken = take_wire_at(hx, hy);
                select_wire(taken, hx, hy);
                deselect_all();
                break;
            }
            case 2:  // the letters of a description replaced where they lie
                const_cast<char*>(board.wire_list->next->desc.text)[0] = 'X';
                break;
            default:  // a cut
                cell_set(9, 10, 1);
                break;
        }
    };
    for (int which = 0; which < 4; ++which) {
        std::string ends[2];
        for (int incremental = 0; incremental < 2; ++incremental) {
            journal_reset();
            board_reset();
            journal.incremental_rebuild = incremental != 0;
            for (int i = 0; i < 5; ++i) ::add_wire("WIRE", 0, 20 + 20 * i, 20, 20 + 20 * i, 60);
            describe_wire(board.wire_list->next, "R7");
            journal_snapshot();
            ::add_wire("RES", 0, 200, 100, 200, 140);
            journal_snapshot();
            for (int k = 0; k < 2; ++k) {  // the second pair of steps runs from a kept board
                journal_undo();
                journal_rebuild_board();
                journal_redo();
                journal_rebuild_board();
            }
            unrecorded(which);
            journal_undo();
            journal_rebuild_board();
            ends[incremental] = saved_board();
        }
        EXPECT_EQ(ends[0], ends[1]) << "change " << which;
        // Letters written over in place change no count and no cell: only
        // the checked board's walk can find them.
        EXPECT_EQ(journal.kept_board_mismatches, which == 2 ? 1 : 0) << "change " << which;
    }
}

// A board changed after its last checkpoint is not what the state set
// says: the step must not be taken on it, and the whole board is rebuilt.
TEST_F(IncrementalUndoTest, AChangeWithoutACheckpointFallsBackToTheFullRebuild) {
    ::add_wire("WIRE", 0, 50, 50, 50, 80);
    journal_snapshot();
    ::add_component("NPN", 0, 100, 100);
    journal_snapshot();
    journal_undo();
    journal_rebuild_board();  // the first rebuild is whole; later steps can be taken alone
    journal_redo();
    journal_rebuild_board();
    const std::string with_npn = saved_board();

    ::add_wire("RES", 0, 200, 50, 200, 90);  // no checkpoint follows
    journal_undo();
    journal_rebuild_board();
    journal_redo();
    journal_rebuild_board();
    EXPECT_EQ(saved_board(), with_npn) << "the unrecorded resistor must be gone as after a full rebuild";
}

}  // namespace
