// Tests of the undo journal against a reference model.
#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "journal_fixture.h"

namespace {

std::vector<std::string> state_texts() {
    std::vector<std::string> texts;
    for (const StateLine* n = journal.state; n != nullptr; n = n->next) texts.push_back(n->text);
    return texts;
}

// The board's lines in the order a snapshot reads them.
std::vector<std::string> board_lines() {
    std::vector<std::string> lines;
    char line[BOARD_LINE_SIZE];
    if (board.selected_component) {
        format_component_line(line, sizeof line, board.selected_component);
        lines.push_back(line);
    }
    if (board.selected_wire) {
        format_wire_line(line, sizeof line, board.selected_wire);
        lines.push_back(line);
    }
    for (auto* c = board.component_list; c; c = c->next) {
        format_component_line(line, sizeof line, c);
        lines.push_back(line);
    }
    for (auto* w = board.wire_list; w; w = w->next) {
        format_wire_line(line, sizeof line, w);
        lines.push_back(line);
    }
    for (int r = 0; r < GRID_ROWS; ++r)
        for (int c = 0; c < GRID_COLUMNS; ++c)
            if (((r | c) & 1) && cell_get(r, c)) {
                format_cell_line(line, sizeof line, r, c);
                lines.push_back(line);
            }
    return lines;
}

// The journal as plain lists searched linearly: what the index must match.
struct ReferenceJournal {
    struct Node {
        std::string text;
        int flag;
    };
    using Changes = std::vector<Node>;  // head first
    std::vector<Node> state;            // head first
    std::vector<Changes> events;        // events[0] is the oldest recorded
    size_t current = 0;                 // number of events applied

    void add(const std::string& t) { state.insert(state.begin(), Node{t, 1}); }
    void remove(const std::string& t) {
        auto it = std::find_if(state.begin(), state.end(), [&](const Node& n) { return n.text == t; });
        if (it != state.end()) state.erase(it);
    }
    void snapshot(const std::vector<std::string>& lines) {
        Changes changes;
        for (auto& n : state) n.flag = -1;
        for (const auto& l : lines) {
            auto it = std::find_if(state.begin(), state.end(),
                                   [&](const Node& n) { return n.flag == -1 && n.text == l; });
            if (it != state.end()) {
                it->flag = 1;
            } else {
                add(l);
                changes.insert(changes.begin(), Node{l, 1});
            }
        }
        std::vector<Node> kept;
        for (auto& n : state) {
            if (n.flag == -1)
                changes.insert(changes.begin(), n);
            else
                kept.push_back(n);
        }
        state = kept;
        if (changes.empty()) return;
        events.resize(current);
        events.push_back(changes);
        current = events.size();
    }
    void undo() {
        if (current == 0) return;
        for (const auto& c : events[current - 1]) {
            if (c.flag == -1)
                add(c.text);
            else
                remove(c.text);
        }
        --current;
    }
    void redo() {
        if (current == events.size()) return;
        for (const auto& c : events[current]) {
            if (c.flag >= 1)
                add(c.text);
            else
                remove(c.text);
        }
        ++current;
    }
    std::vector<std::string> texts() const {
        std::vector<std::string> t;
        for (const auto& n : state) t.push_back(n.text);
        return t;
    }
};

// Line order after a rebuild follows the history, so files are compared
// as sets of lines.
std::vector<std::string> sorted_lines(const std::string& file) {
    std::vector<std::string> lines;
    size_t p = 0;
    while (p < file.size()) {
        size_t e = file.find('\n', p);
        lines.push_back(file.substr(p, e - p));
        p = e + 1;
    }
    std::sort(lines.begin(), lines.end());
    return lines;
}

}  // namespace

TEST_F(JournalTest, CutUndoRedoAndVoidedRedo) {
    journal_snapshot();
    toggle_cell(35, 50);
    journal_snapshot();
    EXPECT_EQ(event_count(), 1);

    journal_undo();
    journal_rebuild_board();
    EXPECT_EQ(cell_get(10, 7), 0);
    journal_redo();
    journal_rebuild_board();
    EXPECT_EQ(cell_get(10, 7), 1);

    journal_undo();
    journal_rebuild_board();
    toggle_cell(45, 50);
    journal_snapshot();
    journal_redo();
    EXPECT_NE(transcript_text().find("message \"Error\" \"Cannot redo more\" -> ok"), std::string::npos);
    journal_rebuild_board();
    EXPECT_EQ(cell_get(10, 7), 0);
    EXPECT_EQ(cell_get(10, 9), 1);
}

TEST_F(JournalTest, MoveRecordsOldAndNewLineAndUndoMovesBack) {
    ComponentRecord* c = add_component("NPN", 0, 100, 100);
    journal_snapshot();
    unregister_pins(c);
    translate_component(c, 20, 0, false);
    register_pins(c);
    journal_snapshot();

    ASSERT_EQ(event_count(), 2);
    const StateLine* changes = journal.current->changes;
    ASSERT_NE(changes, nullptr);
    ASSERT_NE(changes->next, nullptr);
    EXPECT_EQ(changes->next->next, nullptr);
    EXPECT_EQ(changes->flag, -1);  // the vanished line lands on top
    EXPECT_STREQ(changes->text, "NPN 0 20 20 ");
    EXPECT_EQ(changes->next->flag, 1);
    EXPECT_STREQ(changes->next->text, "NPN 0 24 20 ");

    journal_undo();
    journal_rebuild_board();
    ASSERT_NE(board.component_list, nullptr);
    EXPECT_EQ(board.component_list->ax, 100);
    EXPECT_EQ(cell_get(20, 20), 1);
    EXPECT_EQ(cell_get(20, 24), 0);
}

TEST_F(JournalTest, IdenticalObjectsAreCountedOneByOne) {
    add_component("SIL1", 0, 50, 50);
    ComponentRecord* twin = add_component("SIL1", 0, 50, 50);
    journal_snapshot();
    EXPECT_EQ(cell_get(10, 10), 2);

    board.component_list = twin->next;
    twin->next = nullptr;
    invalidate_component(twin);
    delete_component(twin);
    journal_snapshot();
    ASSERT_NE(journal.current->changes, nullptr);
    EXPECT_EQ(journal.current->changes->next, nullptr);

    journal_undo();
    journal_rebuild_board();
    int count = 0;
    for (auto* c = board.component_list; c; c = c->next) ++count;
    EXPECT_EQ(count, 2);
    EXPECT_EQ(cell_get(10, 10), 2);
}

TEST_F(JournalTest, UnchangedBoardRecordsNothingAndCostsNoMemory) {
    add_wire(10, 10, 10, 50);
    journal_snapshot();
    int32_t usage = temp_usage();
    journal_snapshot();
    journal_snapshot();
    EXPECT_EQ(event_count(), 1);
    EXPECT_EQ(temp_usage(), usage);
}

TEST_F(JournalTest, DescriptionChangeRecordsOldAndNewText) {
    ComponentRecord* c = add_component("NPN", 0, 100, 100);
    set_description(c->desc, "Q1");
    journal_snapshot();
    set_description(c->desc, "Q2");
    journal_snapshot();
    const StateLine* changes = journal.current->changes;
    ASSERT_NE(changes, nullptr);
    ASSERT_NE(changes->next, nullptr);
    EXPECT_STREQ(changes->text, "NPN 0 20 20 * 102 98 Q1");
    EXPECT_STREQ(changes->next->text, "NPN 0 20 20 * 102 98 Q2");
}

TEST_F(JournalTest, CollectGivesUpHistoryButKeepsBoard) {
    add_wire(10, 10, 10, 50);
    journal_snapshot();
    add_wire(20, 10, 20, 50);
    journal_snapshot();
    journal_undo();
    journal_rebuild_board();
    std::string before = saved_board();

    int32_t usage = journal_collect();
    EXPECT_EQ(usage, temp_usage());
    journal_undo();
    journal_rebuild_board();
    journal_redo();
    journal_rebuild_board();
    std::string t = transcript_text();
    EXPECT_NE(t.find("Cannot undo more"), std::string::npos);
    EXPECT_NE(t.find("Cannot redo more"), std::string::npos);
    EXPECT_EQ(saved_board(), before);
    journal_snapshot();
    EXPECT_EQ(event_count(), 0);
}

TEST_F(JournalTest, UndoAfterLoadEmptiesBoardAndRedoRestoresIt) {
    add_component("DIL8", 0, 100, 100);
    add_wire(200, 100, 200, 200);
    toggle_cell(115, 100);
    journal_snapshot();
    std::string loaded = saved_board();
    journal_undo();
    journal_rebuild_board();
    EXPECT_EQ(saved_board(), "VERSION 1.000 Cuprolay generated data\n");
    journal_redo();
    journal_rebuild_board();
    EXPECT_EQ(sorted_lines(saved_board()), sorted_lines(loaded));
    EXPECT_EQ(cell_get(20, 20), 1);  // a DIL8 pin is counted again
}

TEST_F(JournalTest, ShortageGivesUpOldestUndoFirstThenRedo) {
    for (int i = 0; i < 4; ++i) {
        add_wire(10 * i, 10, 10 * i, 50);
        journal_snapshot();
    }
    journal_undo();
    journal_rebuild_board();
    ASSERT_EQ(event_count(), 4);
    JournalEvent* second = journal.base.newer->newer;

    temp_arena.refuse_next = 1;  // one refusal: the oldest event goes
    void* block = temp_alloc(16, "string");
    EXPECT_EQ(event_count(), 3);
    EXPECT_EQ(journal.base.newer, second);
    temp_free(&block, 16);

    // Refuse until the undo history is gone: then the redo event goes too.
    temp_arena.refuse_next = 3;
    block = temp_alloc(16, "string");
    EXPECT_EQ(event_count(), 0);
    EXPECT_EQ(journal.current, &journal.base);
    EXPECT_EQ(journal.newest, &journal.base);
    temp_free(&block, 16);

    // The board itself is never given up.
    int wires = 0;
    for (auto* w = board.wire_list; w; w = w->next) ++wires;
    EXPECT_EQ(wires, 3);
}

TEST_F(JournalTest, IndexedMatchingAgreesWithLinearSearch) {
    std::mt19937 rng(20261209);
    ReferenceJournal reference;
    std::vector<std::string> saved_at_step;
    for (int step = 0; step < 300; ++step) {
        int op = static_cast<int>(rng() % 10);
        int x = static_cast<int>(rng() % 6) * 10, y = static_cast<int>(rng() % 4) * 10;
        if (op <= 2) {
            add_wire(x, y, x, y + 20);  // few positions: many identical lines
        } else if (op == 3) {
            add_component("SIL2", 0, x, y);
        } else if (op == 4 && board.wire_list) {
            WireRecord* w = board.wire_list;
            board.wire_list = w->next;
            w->next = nullptr;
            invalidate_wire(w);
            delete_wire(w);
        } else if (op == 5 && board.component_list) {
            set_description(board.component_list->desc, (rng() % 2) ? "R1" : "R2");
        } else if (op == 6) {
            cell_set(10, 1 + 2 * static_cast<int>(rng() % 5), static_cast<int>(rng() % 2));
        } else if (op == 7) {
            journal_undo();
            reference.undo();
            journal_rebuild_board();
            ASSERT_EQ(state_texts(), reference.texts()) << "after undo at step " << step;
            continue;
        } else if (op == 8) {
            journal_redo();
            reference.redo();
            journal_rebuild_board();
            ASSERT_EQ(state_texts(), reference.texts()) << "after redo at step " << step;
            continue;
        }
        std::vector<std::string> lines = board_lines();
        journal_snapshot();
        reference.snapshot(lines);
        ASSERT_EQ(state_texts(), reference.texts()) << "after snapshot at step " << step;
    }
}

TEST_F(JournalTest, UndoToStartAndRedoToEndGiveTheSameFileAtEveryStep) {
    std::mt19937 rng(7);
    std::vector<std::vector<std::string>> files;
    journal_snapshot();
    files.push_back(sorted_lines(saved_board()));
    for (int step = 0; step < 25; ++step) {
        int x = static_cast<int>(rng() % 60) * 10, y = static_cast<int>(rng() % 40) * 10;
        switch (rng() % 4) {
        case 0: add_wire(x, y, x, y + 30); break;
        case 1: add_component("NPN", static_cast<int>(rng() % 16), x, y); break;
        case 2: toggle_cell(x + 5, y); break;
        default:
            if (board.component_list) {
                std::string label = "T" + std::to_string(step);
                set_description(board.component_list->desc, label.c_str());
            }
            break;
        }
        journal_snapshot();
        files.push_back(sorted_lines(saved_board()));

        // Undo back to the start and redo to the end, checking every step.
        int n = static_cast<int>(files.size());
        for (int i = n - 2; i >= 0; --i) {
            journal_undo();
            journal_rebuild_board();
            ASSERT_EQ(sorted_lines(saved_board()), files[i]) << "edit " << step << ", undo to " << i;
        }
        for (int i = 1; i < n; ++i) {
            journal_redo();
            journal_rebuild_board();
            ASSERT_EQ(sorted_lines(saved_board()), files[i]) << "edit " << step << ", redo to " << i;
        }
    }
}

TEST_F(JournalTest, DescriptionsLongerThanTheLineBufferComeBackWhole) {
    ComponentRecord* c = add_component("NPN", 0, 100, 100);
    std::string very_long(2000, 'x');  // only a file can hold such a text
    set_description(c->desc, very_long.c_str());
    journal_snapshot();
    set_description(c->desc, "short");
    journal_snapshot();
    journal_undo();
    journal_rebuild_board();
    ASSERT_NE(board.component_list, nullptr);
    EXPECT_EQ(std::string(board.component_list->desc.text), very_long);
}
