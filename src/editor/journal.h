#pragma once
// The undo journal: the board kept as a set of board lines, and events of
// lines added and removed.
#include <cstdint>

#include "board/objects.h"

// What a rebuild made of a state line: undo and redo check that the board
// still holds exactly this before they change only what a step changed.
enum LineMadeKind : int32_t { LINE_NOT_MADE = 0, LINE_MADE_NOTHING, LINE_MADE_WIRE, LINE_MADE_COMPONENT, LINE_MADE_CELL };
struct LineMade {
    int32_t kind;
    const void* record;      // the WireRecord or ComponentRecord
    int32_t fields[8];       // entry and coordinates; a cell's row and column
    DescriptionHead desc;
};

struct StateLine {
    int32_t flag;
    int32_t holder;          // a state node's board line (journal_holders.h); 0: none
    StateLine* next;
    char* text;
    LineMade* made;          // state nodes a rebuild parsed; null otherwise
};
// The holder sits in the flag's padding: the arena counts these bytes, and
// the garbage collection shows the count.
static_assert(sizeof(void*) != 8 || sizeof(StateLine) == 32, "a state line grew");

struct JournalEvent {
    JournalEvent* older;
    JournalEvent* newer;
    StateLine* changes;
};

// Finds state lines by text, in state-set order (journal_index.cpp).
struct JournalLineIndex;
// Which record or cell holds each state line (journal_holders.cpp).
struct JournalHolders;

struct UndoJournal {
    JournalEvent base{};      // never released
    JournalEvent* current = &base;
    JournalEvent* newest = &base;
    StateLine* state = nullptr;
    JournalLineIndex* line_index = nullptr;
    JournalHolders* holders = nullptr;
    // The one undo or redo applied to the state set since the board last
    // matched it, for journal_rebuild_board to apply to the board alone.
    const JournalEvent* step = nullptr;
    bool step_forward = false;
    int steps_pending = 0;
    int32_t snapshot_mark = 1;        // the flag of the lines the last snapshot saw
    bool incremental_rebuild = true;  // false: always rebuild the whole board
    bool incremental_snapshot = true; // false: every snapshot formats the whole board
    int snapshots_taken_alone = 0;    // how many formatted only what had changed
    int steps_applied_alone = 0;      // how many steps changed only their own part
    int steps_taken_from_kept_board = 0;  // how many of those did not walk the state set
    // Checked boards only: steps the change count let through that the
    // walk of the state set and the lists did not (a change nobody counted).
    int kept_board_mismatches = 0;
    // The event undo or redo is applying: a shortage meanwhile must not give it up.
    JournalEvent* applying = nullptr;
};

extern UndoJournal journal;
// Releases all history and the state set; installs the arena's hooks.
void journal_reset();

// Compares the board's lines with the state set and, when they differ,
// records the difference as the newest event (dropping any redo events).
void journal_snapshot();
// Step 2 of every pass: honours the editor's no-checkpoint mark.
void journal_checkpoint();
// Move the state set one event back or forward ("Cannot undo more" /
// "Cannot redo more" at the ends); the board follows only at
// journal_rebuild_board, which applies a single step to the records it
// changed when it can, and otherwise rebuilds the whole board from the set.
void journal_undo();
void journal_redo();
void journal_rebuild_board();
// Drops every undo and redo event, keeping the state set; returns the
// arena bytes still in use.
int32_t journal_collect();

// For the arena's shortage handling: each releases history and returns
// true when there was some (the oldest undo event; all redo events).
bool journal_give_up_oldest_event();
bool journal_give_up_redo_events();
// Arena bytes of the state set and every event (journal_integrity.cpp).
int64_t journal_held_bytes();
