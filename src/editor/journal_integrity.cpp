// The arena bytes the undo journal holds, for the board's integrity check.
#include <cstring>

#include "editor/journal.h"

namespace {

int64_t line_bytes(const StateLine* node) {
    int64_t bytes = 0;
    for (; node != nullptr; node = node->next) {
        bytes += static_cast<int64_t>(sizeof(StateLine) + std::strlen(node->text) + 1);
        if (node->made != nullptr) bytes += static_cast<int64_t>(sizeof(LineMade));
    }
    return bytes;
}

}  // namespace

int64_t journal_held_bytes() {
    int64_t bytes = line_bytes(journal.state);
    for (const JournalEvent* event = &journal.base; event != nullptr; event = event->newer) {
        if (event != &journal.base) bytes += static_cast<int64_t>(sizeof(JournalEvent));
        bytes += line_bytes(event->changes);
    }
    return bytes;
}
