#pragma once
// Undo and redo applied to the board alone: only the objects and cells a
// step changed are taken away, parsed again and redrawn, once the board is
// proved to hold exactly what the journal's state set held before it.
#include "editor/journal.h"

// Applies one step (its event, in the direction taken) to the board, which
// must match the state set as it was before the step. False, with the
// board untouched, when that cannot be shown; the caller then rebuilds
// the whole board.
bool journal_apply_step_to_board(const JournalEvent* step, bool forward);

// What the full rebuild made of a node, for later steps to check against.
void journal_note_made_wire(StateLine* node, const WireRecord* w);
void journal_note_made_component(StateLine* node, const ComponentRecord* c);
void journal_note_made_cell(StateLine* node);
// Releases what a node remembers of its rebuild.
void journal_forget_made(StateLine* node);

// The board the last rebuild or step left, kept so that the next step
// need not walk the state set: taken after a full rebuild; forgotten when
// the state set changes without a rebuild following (a snapshot's event,
// a second undo or redo before the rebuild); emptied by journal_reset.
void journal_step_board_rebuilt();
void journal_step_forget_board();
void journal_step_reset();
// The state nodes an undo or redo takes away, noted before they are released.
void journal_step_begin_removals();
void journal_step_note_removed(const StateLine* node);
