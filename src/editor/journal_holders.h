#pragma once
// Which record or cell of the board holds each line of the journal's state
// set, as the last snapshot paired them, so that the next snapshot formats
// and matches only the lines of what changed since.
#include <cstddef>
#include <cstdint>

#include "editor/journal.h"

// Forgets every pairing and the memory that holds them.
void journal_holders_clear();
// An undo or redo changes the state set without a snapshot: the next
// snapshot formats the whole board and pairs its lines again, unless
// journal_holders_follow_step then pairs what the step did to the board.
void journal_holders_begin_step();
// A step of undo or redo took away the records of the removed lines (each
// noted with its holder before it was released) and made a record of each
// added line: the pairings follow the step, so that the next snapshot
// need not format the whole board. False, the pairings left forgotten,
// when they were not whole before the step (a second undo before the
// board followed the first finds them forgotten), or the holders of the
// removed lines were not the records taken.
bool journal_holders_follow_step(const StateLine* const* removed, const int32_t* removed_holders, int removed_count,
                                 const void* const* taken, int taken_count, StateLine* const* added,
                                 int added_count);

// The whole-board snapshot pairs each line as it notes it: begin forgets
// the old pairings, each note pairs a record or cell with the node its
// line matched or added, end makes the pairings usable by the next
// snapshot.
void journal_holders_begin_full();
void journal_holders_note_wire(const WireRecord* w, StateLine* node);
void journal_holders_note_component(const ComponentRecord* c, StateLine* node);
void journal_holders_note_cell(int row, int column, StateLine* node);
void journal_holders_end_full();

// The snapshot of what changed since the last one, into the event: the
// same lines matched, added and vanished, in the same order, as noting
// the whole board would give. False, with the state set untouched, when
// it cannot tell (no pairings, or too much changed): the caller then
// notes the whole board.
bool journal_holders_snapshot(JournalEvent* event);

// From journal.cpp, for the snapshot above: the matching of one formatted
// line (the node matched or added), and the move of `count` state nodes
// flagged -1 to the event, in state-set order.
StateLine* journal_state_note(JournalEvent* event, const char* text, size_t length);
void journal_move_flagged_lines(JournalEvent* event, int count);
