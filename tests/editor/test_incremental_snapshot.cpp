// A snapshot that formats only what changed must record exactly what one
// formatting the whole board records: random sessions, heavy in identical
// lines, reordered lists, reused addresses, undo and redo, are played
// twice, once each way, and the state set and the newest event compared
// after every snapshot.
#include <random>
#include <string>
#include <vector>

#include "board/grid.h"
#include "editor/journal_fixture.h"
#include "editor/selection.h"

namespace {

// The journal after one snapshot: the state set in order, then the newest
// event's lines in order, each with its flag.
std::string journal_picture() {
    std::string out;
    for (const StateLine* n = journal.state; n != nullptr; n = n->next) out += std::string(n->text) + "\n";
    out += "--\n";
    for (const StateLine* n = journal.current->changes; n != nullptr; n = n->next)
        out += std::to_string(n->flag) + " " + n->text + "\n";
    return out;
}

template <typename Record>
Record* nth(Record* list, int n) {
    for (; list != nullptr && n > 0; --n) list = list->next;
    return list;
}

// Few holes and few kinds, so that many lines are identical. True after
// an undo or redo.
bool random_step(std::mt19937& random) {
    auto any = [&random](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    const int x = 20 * (1 + any(5)), y = 20 * (1 + any(4));
    WireRecord* w = nth(board.wire_list, any(8));
    ComponentRecord* c = nth(board.component_list, any(8));
    switch (any(12)) {
        case 0:
        case 1: add_wire(any(2) ? "WIRE" : "RES", 0, x, y, x, y + 20); break;
        case 2: add_component(any(2) ? "NPN" : "SIL2", 0, x, y); break;
        case 3: toggle_cell(x + 5, y); break;
        case 4:  // an end moved, or the same end put back where it was
            if (w == nullptr) break;
            unregister_wire_ends(w);
            invalidate_wire(w);
            w->y2 = w->y2 == w->y1 + 20 ? w->y1 + 30 : w->y1 + 20;
            register_wire_ends(w);
            invalidate_wire(w);
            break;
        case 5:  // a new description, or the old one freed first so its address may come back
            if (c == nullptr) break;
            if (any(2)) release_description(c->desc);
            describe_component(c, any(2) ? "Q1" : "Q2");
            break;
        case 6:  // selected, and later put back at the head of its list
            if (w != nullptr && board.selected_wire == nullptr) {
                w = take_wire_at(w->x1, w->y1);
                if (w != nullptr) select_wire(w, w->x1, w->y1);
            }
            break;
        case 7: deselect_all(); break;
        case 8:  // deleted, and often another made at once in its place
            if (c == nullptr) break;
            c = take_component_at(c->ax, c->ay);
            if (c == nullptr) break;
            invalidate_component(c);
            delete_component(c);
            if (any(2)) add_component("NPN", 0, x, y);
            break;
        case 9:  // undo or redo changes the set without a snapshot
            deselect_all();
            any(2) ? journal_undo() : journal_redo();
            journal_rebuild_board();
            return true;
        case 10:  // now and then a change too large to work out alone
            if (any(3) != 0) break;
            for (int i = 0; i < 80; ++i) add_wire("WIRE", 0, 20 * (1 + i % 5), 100, 20 * (1 + i % 5), 120);
            break;
        default:
            if (w != nullptr) describe_wire(w, any(2) ? "long wire" : "W");
            break;
    }
    return false;
}

std::vector<std::string> play_session(unsigned seed, bool incremental) {
    start_blank_board(10);
    journal.incremental_snapshot = incremental;
    std::mt19937 random(seed);
    std::vector<std::string> seen;
    for (int i = 0; i < 120; ++i) {
        const bool stepped = random_step(random);
        journal_snapshot();
        seen.push_back(journal_picture());
        // Then more undo and redo, each seen by a checkpoint, as a user
        // presses u and U: the pairings follow the steps.
        for (int k = stepped ? static_cast<int>(random() % 4) : 0; k > 0; --k) {
            deselect_all();
            random() % 2 ? journal_undo() : journal_redo();
            journal_rebuild_board();
            journal_snapshot();
            seen.push_back(journal_picture());
        }
    }
    seen.push_back(saved_board_text());
    return seen;
}

class IncrementalSnapshotTest : public JournalTest {};

TEST_F(IncrementalSnapshotTest, EverySnapshotRecordsWhatTheWholeBoardSnapshotRecords) {
    int alone = 0, snapshots = 0;
    for (unsigned seed = 1; seed <= 4; ++seed) {
        const std::vector<std::string> whole = play_session(seed, false);
        EXPECT_EQ(journal.snapshots_taken_alone, 0);
        const std::vector<std::string> incremental = play_session(seed, true);
        alone += journal.snapshots_taken_alone;
        snapshots += static_cast<int>(incremental.size()) - 1;
        ASSERT_EQ(whole.size(), incremental.size());
        for (size_t i = 0; i < whole.size(); ++i)
            ASSERT_EQ(whole[i], incremental[i]) << "seed " << seed << ", snapshot " << i;
    }
    // Only those after an undo, a redo or a large change format everything.
    EXPECT_GT(alone, snapshots * 2 / 3) << alone << " of " << snapshots << " snapshots were taken alone";
}

}  // namespace
