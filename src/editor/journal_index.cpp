// The hash index of journal lines by text.
#include "editor/journal_index.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

// An open-addressing table keyed by the line text. Snapshots look up every
// line of the board, so lookups must cost about as little as formatting
// the line did; a flat table keeps them to one or two probes.

JournalIndexStats journal_index_stats;

namespace {

// Marks a node for removal; state-set flags are otherwise 1 or a
// snapshot's mark, which is at least 2.
constexpr int32_t DOOMED = 0;

// The nodes of one text in state-set order. Most texts have one node,
// held in `single` without a block of its own. More sit at the back of
// `slots` from `head` on: the state set grows at its head, so a sequence
// grows at its front, into the room left before `head`, and the room
// doubles when it runs out, so that adding stays amortised constant even
// when a board holds thousands of identical lines.
struct NodeSequence {
    StateLine* single = nullptr;    // the one node while `slots` is empty
    std::vector<StateLine*> slots;
    size_t head = 0;

    size_t size() const { return slots.empty() ? (single != nullptr ? 1 : 0) : slots.size() - head; }
    bool empty() const { return size() == 0; }
    StateLine* operator[](size_t i) const { return slots.empty() ? single : slots[head + i]; }
    StateLine* front() const { return (*this)[0]; }
    void pop_front() {
        if (slots.empty()) {
            single = nullptr;
            return;
        }
        slots[head++] = nullptr;
        if (head == slots.size()) clear_slots();
    }
    void pop_back() {
        if (slots.empty()) {
            single = nullptr;
            return;
        }
        slots.pop_back();
        if (head == slots.size()) clear_slots();
    }
    void push_front(StateLine* node) {
        if (slots.empty() && single == nullptr) {
            single = node;
            return;
        }
        if (slots.empty()) {
            slots.assign(2, nullptr);
            slots[1] = single;
            single = nullptr;
            head = 1;
            ++journal_index_stats.nodes_moved;
        } else if (head == 0) {
            grow_room();
        }
        slots[--head] = node;
    }

private:
    void clear_slots() {
        slots.clear();
        head = 0;
    }
    void grow_room() {
        const size_t count = size(), room = count;
        std::vector<StateLine*> grown(room + count, nullptr);
        for (size_t i = 0; i < count; ++i) grown[room + i] = slots[head + i];
        journal_index_stats.nodes_moved += count;
        slots = std::move(grown);
        head = room;
    }
};

// The entry keeps no text of its own: a node's text sits in the node's
// own block, which a match writes to anyway, so comparing with it costs
// no further cache line. An entry without nodes is passed over until the
// next rebuild drops it.
struct TextEntry {
    uint64_t hash = 0;
    size_t length = 0;              // of the text, which every node has
    NodeSequence nodes;
    uint32_t generation = 0;        // the snapshot `unseen` belongs to
    bool counted_empty = false;     // counted in empty_entries
    size_t unseen = 0;              // length of the not-yet-seen suffix
};

// The line was just written byte by byte, so it is read byte by byte too
// (a wider load of it waits for those stores to retire), in two lanes of
// rotate-and-xor that do not wait on each other; one multiply mixes at
// the end. Only probing depends on the hash: texts are compared anyway.
uint64_t text_hash(const char* text, size_t length) {
    auto rotate = [](uint64_t v, int by) { return (v << by) | (v >> (64 - by)); };
    uint64_t even = 0x9E3779B97F4A7C15ull, odd = length;
    size_t i = 0;
    for (; i + 2 <= length; i += 2) {
        even = rotate(even, 5) ^ static_cast<unsigned char>(text[i]);
        odd = rotate(odd, 7) ^ static_cast<unsigned char>(text[i + 1]);
    }
    if (i < length) even = rotate(even, 5) ^ static_cast<unsigned char>(text[i]);
    uint64_t h = (even ^ rotate(odd, 32)) * 0xBF58476D1CE4E5B9ull;
    h ^= h >> 31;
    h *= 0x94D049BB133111EBull;
    return h ^ (h >> 29);
}

}  // namespace

struct JournalLineIndex {
    std::vector<TextEntry> entries;
    // Entry index + 1 in the low half, or 0 when free; the hash's high
    // half above it, so that a probe passes other texts without reading
    // their entries.
    std::vector<uint64_t> slots;
    size_t empty_entries = 0;     // entries whose text has no node left
    uint32_t generation = 1;
};

namespace {

JournalLineIndex& index() {
    if (journal.line_index == nullptr) journal.line_index = new JournalLineIndex();
    return *journal.line_index;
}

uint64_t slot_tag(uint64_t hash) { return hash & 0xFFFFFFFF00000000ull; }

void place(JournalLineIndex& ix, uint32_t entry_index) {
    size_t mask = ix.slots.size() - 1;
    const uint64_t hash = ix.entries[entry_index].hash;
    size_t slot = hash & mask;
    while (ix.slots[slot] != 0) slot = (slot + 1) & mask;
    ix.slots[slot] = slot_tag(hash) | (entry_index + 1);
}

// Rebuilds the slots, dropping entries that no node uses any more.
void rebuild(JournalLineIndex& ix, size_t wanted_entries) {
    std::vector<TextEntry> kept;
    kept.reserve(ix.entries.size() - ix.empty_entries + 1);
    for (auto& e : ix.entries)
        if (!e.nodes.empty()) kept.push_back(std::move(e));
    ix.entries = std::move(kept);
    ix.empty_entries = 0;
    size_t capacity = 64;
    while (capacity < 2 * (wanted_entries + 1)) capacity *= 2;
    ix.slots.assign(capacity, 0);
    for (uint32_t i = 0; i < ix.entries.size(); ++i) place(ix, i);
}

// The node a match of this entry would give now, whose text stands for
// the entry's: the first one not yet seen again, or the first.
const StateLine* witness(const JournalLineIndex& ix, const TextEntry& e) {
    if (e.generation == ix.generation && e.unseen > 0 && e.unseen <= e.nodes.size())
        return e.nodes[e.nodes.size() - e.unseen];
    return e.nodes.front();
}


TextEntry* find(const char* text, size_t length, uint64_t hash) {
    JournalLineIndex& ix = index();
    if (ix.slots.empty()) return nullptr;
    size_t mask = ix.slots.size() - 1;
    const uint64_t tag = slot_tag(hash);
    for (size_t slot = hash & mask; ix.slots[slot] != 0; slot = (slot + 1) & mask) {
        if (slot_tag(ix.slots[slot]) != tag) continue;
        TextEntry& e = ix.entries[(ix.slots[slot] & 0xFFFFFFFFull) - 1];
        if (e.hash != hash || e.length != length || e.nodes.empty()) continue;
        if (std::memcmp(witness(ix, e)->text, text, length) == 0) return &e;
    }
    return nullptr;
}

TextEntry* find(const char* text) {
    size_t length = std::strlen(text);
    return find(text, length, text_hash(text, length));
}

TextEntry& find_or_add(const char* text) {
    size_t length = std::strlen(text);
    uint64_t hash = text_hash(text, length);
    if (TextEntry* e = find(text, length, hash)) return *e;
    JournalLineIndex& ix = index();
    if (2 * (ix.entries.size() + 1) > ix.slots.size()) rebuild(ix, ix.entries.size() - ix.empty_entries + 1);
    ix.entries.push_back(TextEntry{});
    ix.entries.back().hash = hash;
    ix.entries.back().length = length;
    place(ix, static_cast<uint32_t>(ix.entries.size() - 1));
    return ix.entries.back();
}

// Brings an entry's unseen count up to the current snapshot.
void refresh(TextEntry& entry) {
    JournalLineIndex& ix = index();
    if (entry.generation != ix.generation) {
        entry.generation = ix.generation;
        entry.unseen = entry.nodes.size();
    }
}

void note_if_emptied(TextEntry& entry) {
    if (entry.nodes.empty() && !entry.counted_empty) {
        entry.counted_empty = true;
        ++index().empty_entries;
    }
}

}  // namespace

void journal_index_clear() {
    delete journal.line_index;
    journal.line_index = nullptr;
}

void journal_index_add_front(StateLine* node) {
    TextEntry& entry = find_or_add(node->text);
    refresh(entry);  // a new node is seen, so it stays outside the suffix
    if (entry.counted_empty) {
        entry.counted_empty = false;
        --index().empty_entries;
    }
    entry.nodes.push_front(node);
}

void journal_index_begin_snapshot() { ++index().generation; }

StateLine* journal_index_match(const char* text, size_t length) {
    TextEntry* entry = find(text, length, text_hash(text, length));
    if (entry == nullptr) return nullptr;
    refresh(*entry);
    if (entry->unseen == 0) return nullptr;
    StateLine* node = entry->nodes[entry->nodes.size() - entry->unseen];
    --entry->unseen;
    return node;
}

void journal_index_visit(const char* text, size_t length, void (*visit)(StateLine*, void*), void* context) {
    TextEntry* entry = find(text, length, text_hash(text, length));
    if (entry == nullptr) return;
    refresh(*entry);
    for (size_t i = 0; i < entry->nodes.size(); ++i) visit(entry->nodes[i], context);
}

void journal_index_remove_unmatched(StateLine* node) {
    TextEntry* entry = find(node->text);
    if (entry == nullptr) return;
    refresh(*entry);
    // Every unseen node of this text leaves in the same sweep, so dropping
    // from the back removes exactly the suffix by the sweep's end.
    if (entry->unseen > 0) {
        entry->nodes.pop_back();
        --entry->unseen;
        note_if_emptied(*entry);
    }
}

bool journal_index_doom_first(const char* text) {
    TextEntry* entry = find(text);
    if (entry == nullptr || entry->nodes.empty()) return false;
    StateLine* node = entry->nodes.front();
    entry->nodes.pop_front();
    node->flag = DOOMED;
    note_if_emptied(*entry);
    return true;
}

bool journal_index_take_doomed(StateLine* node) { return node->flag == DOOMED; }
