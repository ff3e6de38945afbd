// Steps that add and take away several records at once, neighbours in a
// list, its head and its tail among them: undo and redo of each alone must
// leave the board and the picture of the full rebuild.
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "editor/journal_fixture.h"

namespace {

struct Seen {
    std::string board;
    size_t picture;
};

// Takes `count` records from a list starting at position `from` (0: the
// head), as a deletion of several objects does.
template <typename Record>
void delete_run(Record*& list, int from, int count, void (*remove)(Record*)) {
    Record** link = &list;
    for (int i = 0; i < from && *link != nullptr; ++i) link = &(*link)->next;
    for (int i = 0; i < count && *link != nullptr; ++i) {
        Record* r = *link;
        *link = r->next;
        r->next = nullptr;
        remove(r);
    }
}

int length_of(const WireRecord* w) {
    int n = 0;
    for (; w != nullptr; w = w->next) ++n;
    return n;
}

int length_of(const ComponentRecord* c) {
    int n = 0;
    for (; c != nullptr; c = c->next) ++n;
    return n;
}

void several_edits(std::mt19937& random) {
    auto any = [&random](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    const int count = 1 + any(5);
    if (any(2) == 0) {
        for (int i = 0; i < count; ++i) {
            const int x = 10 * (1 + any(25)), y = 10 * (1 + any(15));
            if (any(3) == 0)
                add_component(any(2) ? "NPN" : "SIL2", 0, x, y);
            else
                add_wire(any(2) ? "WIRE" : "RES", 0, x, y, x, y + 10 * (1 + any(3)));
        }
    } else {
        // A run of neighbours from the head, the middle or the tail.
        const int wires = length_of(board.wire_list), components = length_of(board.component_list);
        const int wire_from = any(3) == 0 ? 0 : any(wires + 1);
        // Repainted before and after the solder points go, as the editor does.
        delete_run<WireRecord>(board.wire_list, wire_from, count, [](WireRecord* w) {
            invalidate_wire(w);
            unregister_wire_ends(w);
            invalidate_wire(w);
            discard_wire(w);
        });
        delete_run<ComponentRecord>(board.component_list, any(components + 1), any(3), [](ComponentRecord* c) {
            invalidate_component(c);
            unregister_pins(c);
            invalidate_component(c);
            discard_component(c);
        });
    }
    journal_snapshot();
}

std::vector<Seen> play(unsigned seed, bool incremental) {
    start_blank_board(10);
    journal.incremental_rebuild = incremental;
    std::mt19937 random(seed);
    journal_snapshot();
    std::vector<Seen> seen;
    for (int i = 0; i < 40; ++i) {
        const int action = static_cast<int>(random() % 10);
        if (action < 5) {
            several_edits(random);
            continue;
        }
        deselect_all();
        action < 8 ? journal_undo() : journal_redo();
        journal_rebuild_board();
        seen.push_back({saved_board_text(), canvas_hash()});
    }
    return seen;
}

}  // namespace

class StepManyRecordsTest : public JournalTest {};

TEST_F(StepManyRecordsTest, UndoAndRedoOfSeveralRecordsMatchTheFullRebuild) {
    int alone = 0;
    for (unsigned seed = 11; seed <= 16; ++seed) {
        const std::vector<Seen> full = play(seed, false);
        const std::vector<Seen> incremental = play(seed, true);
        alone += journal.steps_applied_alone;
        ASSERT_EQ(full.size(), incremental.size());
        for (size_t i = 0; i < full.size(); ++i) {
            ASSERT_EQ(incremental[i].board, full[i].board) << "seed " << seed << " step " << i;
            ASSERT_EQ(incremental[i].picture, full[i].picture) << "seed " << seed << " step " << i;
        }
    }
    // The comparison means something only if many steps took the short way.
    EXPECT_GT(alone, 40);
}
