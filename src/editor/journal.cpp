// The undo journal keeps the board as a set of board lines. A snapshot
// formats the board again and records the lines that appeared and the
// lines that vanished as one event; undo and redo edit the set and the
// board is rebuilt from it.
//
// Matching a formatted line against the set takes the first unmatched
// node with the same text in set order. A linear search makes every
// snapshot quadratic in the number of objects, so the set carries an
// index from text to its nodes in set order; it picks the same node.
#include "editor/journal.h"

#include <cstdint>
#include <cstring>
#include <string>

#include "board/draw.h"
#include "board/grid.h"
#include "board/objects.h"
#include "core/arena.h"
#include "editor/editor_state.h"
#include "editor/journal_holders.h"
#include "editor/journal_index.h"
#include "editor/journal_step.h"
#include "fileio/board_file.h"
#include "shell/dialogs.h"
#include "board/integrity.h"

UndoJournal journal;

namespace {

// A node and its text share one block: the index compares a line with the
// text of the node it would match, which a snapshot then marks.
StateLine* new_line_node(const char* text, int32_t flag) {
    const size_t length = std::strlen(text);
    auto* node = static_cast<StateLine*>(temp_alloc(sizeof(StateLine) + length + 1, "change"));
    node->flag = flag;
    node->holder = 0;
    node->next = nullptr;
    node->made = nullptr;
    node->text = reinterpret_cast<char*>(node + 1);
    std::memcpy(node->text, text, length + 1);
    return node;
}

void release_line_node(StateLine* node) {
    journal_forget_made(node);
    temp_free(&node, sizeof(StateLine) + std::strlen(node->text) + 1);
}

void release_changes(JournalEvent* event) {
    StateLine* node = event->changes;
    while (node != nullptr) {
        StateLine* next = node->next;
        release_line_node(node);
        node = next;
    }
    event->changes = nullptr;
}

// Releases an event and returns its older neighbour.
JournalEvent* release_event(JournalEvent* event) {
    release_changes(event);
    JournalEvent* older = event->older;
    if (event->older != nullptr) event->older->newer = event->newer;
    if (event->newer != nullptr) event->newer->older = event->older;
    if (event != &journal.base) temp_free(&event, sizeof(JournalEvent));
    return older;
}

// Puts a copy of the line at the head of the state set.
StateLine* state_add(const char* text) {
    StateLine* node = new_line_node(text, 1);
    node->next = journal.state;
    journal.state = node;
    journal_index_add_front(node);
    return node;
}

// Drops the nodes the index has marked for removal, in one sweep that
// ends with the last of them: a step's lines are mostly near the head.
void state_sweep_removed(int doomed) {
    StateLine** link = &journal.state;
    while (doomed > 0 && *link != nullptr) {
        StateLine* node = *link;
        if (journal_index_take_doomed(node)) {
            *link = node->next;
            journal_step_note_removed(node);
            release_line_node(node);
            --doomed;
        } else {
            link = &node->next;
        }
    }
}

// Marks the first node whose text equals the line for removal (whatever
// its flag); the caller sweeps once all changes are applied.
bool state_remove(const char* text) { return journal_index_doom_first(text); }

void apply_changes(const JournalEvent* event, bool forward) {
    journal_holders_begin_step();
    // A step the board has not followed yet leaves it unlike the set.
    if (journal.steps_pending > 0) journal_step_forget_board();
    journal_step_begin_removals();
    int doomed = 0;
    for (const StateLine* change = event->changes; change != nullptr; change = change->next) {
        bool adds = forward ? change->flag >= 1 : change->flag < 0;
        if (adds)
            state_add(change->text);
        else if (state_remove(change->text))
            ++doomed;
    }
    state_sweep_removed(doomed);
}

void push_change(JournalEvent* event, StateLine* node) {
    node->next = event->changes;
    event->changes = node;
}

// A formatted line, or the whole line when it did not fit the buffer:
// a cut line would give back a cut description on undo.
template <typename Record>
StateLine* note_record(JournalEvent* event, char* line, const Record* r,
                       int (*format_line)(char*, size_t, const Record*), std::string (*whole_line)(const Record*)) {
    int length = format_line(line, BOARD_LINE_SIZE, r);
    if (length >= 0 && length < BOARD_LINE_SIZE) return journal_state_note(event, line, static_cast<size_t>(length));
    std::string whole = whole_line(r);
    return journal_state_note(event, whole.c_str(), whole.size());
}

void note_wire(JournalEvent* event, char* line, const WireRecord* w) {
    journal_holders_note_wire(w, note_record(event, line, w, format_wire_line, wire_line));
}

void note_component(JournalEvent* event, char* line, const ComponentRecord* c) {
    journal_holders_note_component(c, note_record(event, line, c, format_component_line, component_line));
}

// Every line of the board, each paired with what holds it.
void note_board(JournalEvent* event) {
    journal_holders_begin_full();
    char line[BOARD_LINE_SIZE];
    if (board.selected_component != nullptr) note_component(event, line, board.selected_component);
    if (board.selected_wire != nullptr) note_wire(event, line, board.selected_wire);
    for (const ComponentRecord* c = board.component_list; c != nullptr; c = c->next) note_component(event, line, c);
    for (const WireRecord* w = board.wire_list; w != nullptr; w = w->next) note_wire(event, line, w);
    for (int row = 0; row < GRID_ROWS; ++row) {
        const int8_t* cells = board_grid.cells[row];
        for (int column = 0; column < GRID_COLUMNS; ++column) {
            if (((row | column) & 1) == 0 || cells[column] == 0) continue;
            int length = format_cell_line(line, BOARD_LINE_SIZE, row, column);
            journal_holders_note_cell(row, column, journal_state_note(event, line, static_cast<size_t>(length)));
        }
    }
}

// Unlinks the node at link from the state set and gives it to the event
// as a vanished line.
void move_line_to_event(JournalEvent* event, StateLine** link) {
    StateLine* node = *link;
    node->flag = -1;
    *link = node->next;
    node->holder = 0;
    journal_index_remove_unmatched(node);
    journal_forget_made(node);  // history keeps only the text
    push_change(event, node);
}

// Moves every node this snapshot did not mark from the state set to the
// event.
void move_vanished_lines(JournalEvent* event) {
    StateLine** link = &journal.state;
    while (*link != nullptr) {
        StateLine* node = *link;
        if (node->flag != journal.snapshot_mark) {
            move_line_to_event(event, link);
        } else {
            link = &node->next;
        }
    }
}

void note_step(const JournalEvent* event, bool forward) {
    journal.step = event;
    journal.step_forward = forward;
    ++journal.steps_pending;
}

// The board no longer follows a step the set has taken.
void forget_step() {
    if (journal.steps_pending > 0) journal_step_forget_board();
    journal.step = nullptr;
    journal.steps_pending = 0;
}

// What the full rebuild parsed from a node: the record at the head of a
// list that the parse changed, or the cell the line names.
void note_made(StateLine* node, const WireRecord* wires_before, const ComponentRecord* components_before) {
    if (board.wire_list != wires_before) {
        journal_note_made_wire(node, board.wire_list);
    } else if (board.component_list != components_before) {
        journal_note_made_component(node, board.component_list);
    } else {
        journal_note_made_cell(node);
    }
}

void void_redo_history() {
    while (journal.newest != journal.current) journal.newest = release_event(journal.newest);
}

}  // namespace

// A formatted line of the board: match it, or add it as new.
StateLine* journal_state_note(JournalEvent* event, const char* text, size_t length) {
    StateLine* match = journal_index_match(text, length);
    if (match != nullptr) {
        match->flag = journal.snapshot_mark;
        return match;
    }
    StateLine* node = state_add(text);
    node->flag = journal.snapshot_mark;
    push_change(event, new_line_node(text, 1));
    return node;
}

// As move_vanished_lines, for nodes already flagged: the sweep ends with
// the last of them.
void journal_move_flagged_lines(JournalEvent* event, int count) {
    StateLine** link = &journal.state;
    while (count > 0 && *link != nullptr) {
        StateLine* node = *link;
        if (node->flag == -1) {
            move_line_to_event(event, link);
            --count;
        } else {
            link = &node->next;
        }
    }
}

void journal_reset() {
    journal_index_clear();
    journal_holders_clear();
    while (journal.newest != &journal.base) journal.newest = release_event(journal.newest);
    release_changes(&journal.base);
    journal.base.older = nullptr;
    journal.base.newer = nullptr;
    journal.current = &journal.base;
    journal.newest = &journal.base;
    StateLine* node = journal.state;
    while (node != nullptr) {
        StateLine* next = node->next;
        release_line_node(node);
        node = next;
    }
    journal.state = nullptr;
    forget_step();
    journal.incremental_rebuild = true;
    journal.snapshot_mark = 1;
    journal.steps_applied_alone = 0;
    journal.steps_taken_from_kept_board = 0;
    journal.kept_board_mismatches = 0;
    journal_step_reset();
    journal.incremental_snapshot = true;
    journal.snapshots_taken_alone = 0;
    temp_arena.give_up_oldest_event = journal_give_up_oldest_event;
    temp_arena.give_up_redo_events = journal_give_up_redo_events;
    integrity_state.held_elsewhere = journal_held_bytes;
}

void journal_snapshot() {
    forget_step();
    auto* event = static_cast<JournalEvent*>(temp_alloc(sizeof(JournalEvent), "event"));
    journal_index_begin_snapshot();
    // Each snapshot marks the lines it sees with a number of its own, so no
    // walk is needed to clear the previous marks; the numbers stay clear of
    // the flags 1, 0 and -1 and start again long before they could overflow.
    if (journal.snapshot_mark >= INT32_MAX - 1) {
        for (StateLine* node = journal.state; node != nullptr; node = node->next) node->flag = 1;
        journal.snapshot_mark = 1;
    }
    ++journal.snapshot_mark;
    if (journal.incremental_snapshot && journal_holders_snapshot(event)) {
        ++journal.snapshots_taken_alone;
    } else {
        // A failed attempt changed nothing but may have counted texts in
        // this snapshot: start it again.
        journal_index_begin_snapshot();
        note_board(event);
        move_vanished_lines(event);
        journal_holders_end_full();
    }
    if (event->changes == nullptr) {
        temp_free(&event, sizeof(JournalEvent));
        return;
    }
    journal_step_forget_board();
    void_redo_history();
    event->older = journal.current;
    event->newer = nullptr;
    journal.current->newer = event;
    journal.current = event;
    journal.newest = event;
}

void journal_checkpoint() {
    if (editor_state.no_checkpoint) {
        editor_state.no_checkpoint = false;
        return;
    }
    journal_snapshot();
}

void journal_undo() {
    if (journal.current->older == nullptr) {
        message_box("Error", "Cannot undo more", false);
        return;
    }
    journal.applying = journal.current;
    apply_changes(journal.current, false);
    journal.applying = nullptr;
    note_step(journal.current, false);
    journal.current = journal.current->older;
    integrity_assert("an undo");
}

void journal_redo() {
    if (journal.current->newer == nullptr) {
        message_box("Error", "Cannot redo more", false);
        return;
    }
    journal.current = journal.current->newer;
    journal.applying = journal.current;
    apply_changes(journal.current, true);
    journal.applying = nullptr;
    note_step(journal.current, true);
    integrity_assert("a redo");
}

void journal_rebuild_board() {
    const bool one_step = journal.steps_pending == 1 && journal.step != nullptr;
    const JournalEvent* step = journal.step;
    const bool forward = journal.step_forward;
    journal.step = nullptr;
    journal.steps_pending = 0;
    if (journal.incremental_rebuild && one_step) {
        // After an undo the step is a redo event: a shortage while it is
        // read must not give it up.
        struct Applying {
            explicit Applying(const JournalEvent* event) { journal.applying = const_cast<JournalEvent*>(event); }
            ~Applying() { journal.applying = nullptr; }
        };
        bool alone = false;
        {
            Applying applying(step);
            alone = journal_apply_step_to_board(step, forward);
        }
        if (alone) {
            ++journal.steps_applied_alone;
            integrity_assert("a rebuild");
            return;
        }
    }
    clear_board();
    DeferredRedraw bulk;
    float version = 0.0f;
    for (StateLine* node = journal.state; node != nullptr; node = node->next) {
        const WireRecord* wires = board.wire_list;
        const ComponentRecord* components = board.component_list;
        parse_board_line(node->text, &version);
        note_made(node, wires, components);
    }
    journal_step_board_rebuilt();
    integrity_assert("a rebuild");
}

int32_t journal_collect() {
    forget_step();
    while (journal.current->older != nullptr) {
        JournalEvent* older = journal.current->older;
        release_event(journal.current);
        journal.current = older;
    }
    while (journal.base.newer != nullptr) release_event(journal.base.newer);
    journal.newest = &journal.base;
    return temp_usage();
}

bool journal_give_up_oldest_event() {
    forget_step();
    if (journal.current == &journal.base) return false;
    JournalEvent* oldest = journal.base.newer;
    if (oldest == nullptr || oldest == journal.applying) return false;
    if (oldest == journal.current) journal.current = &journal.base;
    if (oldest == journal.newest) journal.newest = &journal.base;
    release_event(oldest);
    return true;
}

bool journal_give_up_redo_events() {
    forget_step();
    // The event being applied stays, and so do the older ones.
    JournalEvent* keep = journal.current;
    for (JournalEvent* e = journal.current->newer; e != nullptr; e = e->newer)
        if (e == journal.applying) keep = e;
    if (journal.newest == keep) return false;
    while (journal.newest != keep) journal.newest = release_event(journal.newest);
    return true;
}
