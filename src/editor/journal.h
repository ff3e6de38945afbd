#pragma once
// The undo journal: the board kept as a set of board lines, and events of
// lines added and removed.
#include <cstdint>

struct StateLine {
    int32_t flag;
    StateLine* next;
    char* text;
};

struct JournalEvent {
    JournalEvent* older;
    JournalEvent* newer;
    StateLine* changes;
};

// Finds state lines by text, in state-set order (journal_index.cpp).
struct JournalLineIndex;

struct UndoJournal {
    JournalEvent base{};      // never released
    JournalEvent* current = &base;
    JournalEvent* newest = &base;
    StateLine* state = nullptr;
    JournalLineIndex* line_index = nullptr;
};

extern UndoJournal journal;
// Releases all history and the state set; installs the arena's hooks.
void journal_reset();

void journal_snapshot();
// Step 2 of every pass: honours the editor's no-checkpoint mark.
void journal_checkpoint();
void journal_undo();
void journal_redo();
void journal_rebuild_board();
int32_t journal_collect();

// For the arena's shortage handling.
bool journal_give_up_oldest_event();
bool journal_give_up_redo_events();
