#pragma once
// An index of the journal's state set by line text. For each text it keeps
// the nodes in state-set order, so "the first node with this text" is
// found without walking the set. During a snapshot the nodes not yet seen
// again form a suffix of each text's sequence.
#include <cstddef>

#include "editor/journal.h"

// Counts kept for tests: adding nodes must stay linear in their number.
struct JournalIndexStats {
    size_t nodes_moved = 0;  // node pointers copied while a sequence grew
};
extern JournalIndexStats journal_index_stats;

void journal_index_clear();
// A node was put at the head of the state set.
void journal_index_add_front(StateLine* node);
// Starts a snapshot: every node counts as not yet seen again.
void journal_index_begin_snapshot();
// The first node of this text not yet seen again, now seen; or null.
StateLine* journal_index_match(const char* text, size_t length);
// Calls visit with every node of this text in state-set order, counting
// the text in the current snapshot as match does; nothing when none has it.
void journal_index_visit(const char* text, size_t length, void (*visit)(StateLine*, void*), void* context);
// A node not seen again is leaving the state set.
void journal_index_remove_unmatched(StateLine* node);
// Marks the first node of this text for removal and drops it from the
// index; false when no node has this text.
bool journal_index_doom_first(const char* text);
// True (once) for a node marked by journal_index_doom_first.
bool journal_index_take_doomed(StateLine* node);
