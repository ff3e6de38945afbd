// The pairing of state lines with the records and cells that hold them,
// and the snapshot that formats only what changed since the last one.
//
// A snapshot matches the k-th board line of a text with the k-th state
// node of that text and adds the lines left over at the head of the set,
// in board order. After a snapshot each node is held by exactly one board
// line. A text no changed, new or removed line has is then matched whole
// again, so only the texts that changed lines had or have are worked out,
// with every board line of those texts in board order: the same matches,
// the same additions in the same order, and the same nodes vanish.
#include "editor/journal_holders.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "board/grid.h"
#include "board/objects.h"
#include "editor/journal_index.h"
#include "fileio/board_file.h"

namespace {

enum HolderKind : int32_t { HOLDER_FREE = 0, HOLDER_WIRE, HOLDER_COMPONENT, HOLDER_CELL };
// What a snapshot found of a holder it looked at.
enum HolderState : int32_t { HOLDER_KEPT = 0, HOLDER_CHANGED, HOLDER_GONE };

// A record or cell as it was when its line was formatted.
struct Holder {
    const void* record = nullptr;  // null for a cell
    int32_t kind = HOLDER_FREE;
    int32_t fields[8] = {};        // what the line is made of; a cell's row and column
    const char* text = nullptr;    // the description's letters
    StateLine* node = nullptr;     // its line in the state set
    uint32_t walk = 0;             // the snapshot that last looked at it
    int32_t state = HOLDER_KEPT;   // what that snapshot found
    uint32_t position = 0;         // its place in that snapshot's board order
    uint32_t text_at = 0;          // a changed one's new line in `texts`
    uint32_t text_length = 0;
};

// A board line of a text being worked out, at its place in board order.
struct Occurrence {
    uint32_t position;
    int32_t holder;
    const char* text;
    size_t length;
};

struct TextRef {
    const char* text;
    size_t length;
    bool operator<(const TextRef& o) const {
        if (length != o.length) return length < o.length;
        return std::memcmp(text, o.text, length) < 0;
    }
    bool operator==(const TextRef& o) const { return length == o.length && std::memcmp(text, o.text, length) == 0; }
};

const void* const DELETED_KEY = reinterpret_cast<const void*>(uintptr_t{1});

}  // namespace

struct JournalHolders {
    bool valid = false;
    bool follows_step = false;  // valid until the undo or redo now being applied
    std::vector<Holder> holders;
    std::vector<int32_t> free_holders;
    // Record address to holder index, open addressing (null: free), built
    // at the first record a walk does not find where the last walk had it:
    // the whole-board snapshot pairs every line and should cost no more.
    bool table_built = false;
    std::vector<const void*> keys;
    std::vector<int32_t> values;
    size_t used_keys = 0;  // live and deleted
    size_t live_records = 0;
    std::vector<int32_t> cell_holder;  // holder index + 1 of each cell
    std::vector<int8_t> seen_grid;     // the grid as the last snapshot saw it
    uint32_t walk = 0;
    size_t cursor = 0;  // where the walk expects the next record's holder
    // The work of one snapshot, kept for its capacity.
    std::vector<int32_t> pending;  // changed holders, in board order
    std::vector<int32_t> gone;     // removed ones
    std::string texts;             // the changed ones' new lines
    std::vector<TextRef> touched;
    std::vector<Occurrence> occurrences;
};

namespace {

JournalHolders& holders_state() {
    if (journal.holders == nullptr) journal.holders = new JournalHolders();
    return *journal.holders;
}

size_t slot_of(const JournalHolders& s, const void* record) {
    const uint64_t x = static_cast<uint64_t>(reinterpret_cast<uintptr_t>(record)) * 0x9E3779B97F4A7C15ull;
    return static_cast<size_t>(x >> 32) & (s.keys.size() - 1);
}

void grow_table(JournalHolders& s) {
    size_t capacity = 64;
    while (capacity < 4 * (s.live_records + 1)) capacity *= 2;
    std::vector<const void*> keys(capacity, nullptr);
    std::vector<int32_t> values(capacity, -1);
    std::swap(keys, s.keys);
    std::swap(values, s.values);
    s.used_keys = 0;
    for (size_t i = 0; i < keys.size(); ++i) {
        if (keys[i] == nullptr || keys[i] == DELETED_KEY) continue;
        size_t slot = slot_of(s, keys[i]);
        while (s.keys[slot] != nullptr) slot = (slot + 1) & (s.keys.size() - 1);
        s.keys[slot] = keys[i];
        s.values[slot] = values[i];
        ++s.used_keys;
    }
}

void table_insert(JournalHolders& s, const void* record, int32_t holder);

void build_table(JournalHolders& s) {
    std::fill(s.keys.begin(), s.keys.end(), nullptr);
    s.used_keys = 0;
    s.table_built = true;
    for (size_t h = 0; h < s.holders.size(); ++h)
        if (s.holders[h].record != nullptr) table_insert(s, s.holders[h].record, static_cast<int32_t>(h));
}

int32_t table_find(JournalHolders& s, const void* record) {
    if (!s.table_built) build_table(s);
    if (s.keys.empty()) return -1;
    for (size_t slot = slot_of(s, record); s.keys[slot] != nullptr; slot = (slot + 1) & (s.keys.size() - 1))
        if (s.keys[slot] == record) return s.values[slot];
    return -1;
}

void table_insert(JournalHolders& s, const void* record, int32_t holder) {
    if (2 * (s.used_keys + 1) > s.keys.size()) grow_table(s);
    size_t slot = slot_of(s, record);
    while (s.keys[slot] != nullptr && s.keys[slot] != DELETED_KEY) slot = (slot + 1) & (s.keys.size() - 1);
    if (s.keys[slot] == nullptr) ++s.used_keys;
    s.keys[slot] = record;
    s.values[slot] = holder;
}

void table_erase(JournalHolders& s, const void* record) {
    if (s.keys.empty()) return;
    for (size_t slot = slot_of(s, record); s.keys[slot] != nullptr; slot = (slot + 1) & (s.keys.size() - 1)) {
        if (s.keys[slot] == record) {
            s.keys[slot] = DELETED_KEY;
            return;
        }
    }
}

int32_t new_holder(JournalHolders& s, int32_t kind, const void* record) {
    int32_t h;
    if (!s.free_holders.empty()) {
        h = s.free_holders.back();
        s.free_holders.pop_back();
        s.holders[h] = Holder{};
    } else {
        h = static_cast<int32_t>(s.holders.size());
        s.holders.emplace_back();
    }
    s.holders[h].kind = kind;
    s.holders[h].record = record;
    if (record != nullptr) {
        if (s.table_built) table_insert(s, record, h);
        ++s.live_records;
    }
    return h;
}

void free_holder(JournalHolders& s, int32_t h) {
    Holder& holder = s.holders[h];
    if (holder.record != nullptr) {
        if (s.table_built) table_erase(s, holder.record);
        --s.live_records;
    } else if (holder.kind == HOLDER_CELL) {
        s.cell_holder[holder.fields[0] * GRID_COLUMNS + holder.fields[1]] = 0;
    }
    holder = Holder{};
    s.free_holders.push_back(h);
}

void fields_of(const WireRecord* w, int32_t* f) {
    const int32_t v[8] = {w->entry, w->x1, w->y1, w->x2, w->y2, w->desc.width, w->desc.x, w->desc.y};
    std::memcpy(f, v, sizeof v);
}

void fields_of(const ComponentRecord* c, int32_t* f) {
    const int32_t v[8] = {c->entry, c->ax, c->ay, 0, 0, c->desc.width, c->desc.x, c->desc.y};
    std::memcpy(f, v, sizeof v);
}

// What the next walk compares the record with.
template <typename Record>
void take_fields(Holder& h, const Record* r) {
    fields_of(r, h.fields);
    h.text = r->desc.text;
}

// A description's letters may have been replaced by others at the same
// address, so they are checked against the end of the line too.
bool line_ends_with(const char* line, const char* text) {
    if (text == nullptr) return true;
    const size_t n = std::strlen(line), k = std::strlen(text);
    return k <= n && std::memcmp(line + n - k, text, k) == 0;
}

template <typename Record>
bool unchanged(const Holder& h, int32_t kind, const Record* r) {
    if (h.node == nullptr || h.kind != kind || h.text != r->desc.text) return false;
    int32_t now[8];
    fields_of(r, now);
    if (std::memcmp(now, h.fields, sizeof now) != 0) return false;
    return r->desc.width == 0 || line_ends_with(h.node->text, r->desc.text);
}

void pair(JournalHolders& s, int32_t h, StateLine* node) {
    s.holders[h].node = node;
    node->holder = h + 1;
}

// Appends a changed record's or cell's new line to the snapshot's texts.
void keep_text(JournalHolders& s, Holder& h, const char* line, size_t length) {
    h.text_at = static_cast<uint32_t>(s.texts.size());
    h.text_length = static_cast<uint32_t>(length);
    s.texts.append(line, length);
    s.texts.push_back('\0');
}

template <typename Record>
void keep_record_text(JournalHolders& s, Holder& h, const Record* r,
                      int (*format_line)(char*, size_t, const Record*), std::string (*whole_line)(const Record*)) {
    char line[BOARD_LINE_SIZE];
    const int length = format_line(line, sizeof line, r);
    if (length >= 0 && length < BOARD_LINE_SIZE) {
        keep_text(s, h, line, static_cast<size_t>(length));
    } else {
        const std::string whole = whole_line(r);
        keep_text(s, h, whole.data(), whole.size());
    }
}

struct Walk {
    JournalHolders& s;
    uint32_t position = 0;
    size_t found = 0;  // records that had a holder
    bool twice = false;

    template <typename Record>
    void visit(int32_t kind, const Record* r, int (*format_line)(char*, size_t, const Record*),
               std::string (*whole_line)(const Record*)) {
        int32_t h = -1;
        if (s.cursor < s.holders.size() && s.holders[s.cursor].record == r)
            h = static_cast<int32_t>(s.cursor);
        else
            h = table_find(s, r);
        if (h >= 0) {
            if (s.holders[h].walk == s.walk) {
                twice = true;
                return;
            }
            ++found;
        } else {
            h = new_holder(s, kind, r);
        }
        s.cursor = static_cast<size_t>(h) + 1;
        Holder& holder = s.holders[h];
        holder.walk = s.walk;
        holder.position = position++;
        if (unchanged(holder, kind, r)) {
            holder.state = HOLDER_KEPT;
            return;
        }
        holder.state = HOLDER_CHANGED;
        holder.kind = kind;  // another kind of record may now live at the address
        s.pending.push_back(h);
        keep_record_text(s, holder, r, format_line, whole_line);
    }
};

// A record's or cell's board line is one of the lines being worked out
// unless it changed or went.
bool kept(const JournalHolders& s, const Holder& h) {
    return h.walk == s.walk ? h.state == HOLDER_KEPT : h.kind == HOLDER_CELL;
}

uint32_t position_of(const Holder& h, uint32_t records) {
    if (h.kind != HOLDER_CELL) return h.position;
    return records + static_cast<uint32_t>(h.fields[0] * GRID_COLUMNS + h.fields[1]);
}

struct Gather {
    JournalHolders& s;
    const TextRef& text;
    uint32_t records;
    bool broken = false;
};

void gather_kept(StateLine* node, void* context) {
    Gather& g = *static_cast<Gather*>(context);
    const int32_t h = node->holder - 1;
    if (h < 0 || static_cast<size_t>(h) >= g.s.holders.size() || g.s.holders[h].node != node) {
        g.broken = true;
        return;
    }
    const Holder& holder = g.s.holders[h];
    if (kept(g.s, holder)) g.s.occurrences.push_back({position_of(holder, g.records), h, g.text.text, g.text.length});
}

struct Unmatched {
    int32_t mark;
    int count = 0;
};

void flag_unmatched(StateLine* node, void* context) {
    Unmatched& u = *static_cast<Unmatched*>(context);
    if (node->flag == u.mark) return;
    node->flag = -1;
    ++u.count;
}

// The cells that changed since the last snapshot, in board order.
void walk_cells(JournalHolders& s, uint32_t records) {
    for (int row = 0; row < GRID_ROWS; ++row) {
        const int8_t* cells = board_grid.cells[row];
        int8_t* seen = &s.seen_grid[static_cast<size_t>(row) * GRID_COLUMNS];
        if (std::memcmp(cells, seen, GRID_COLUMNS) == 0) continue;
        for (int column = 0; column < GRID_COLUMNS; ++column) {
            if (((row | column) & 1) == 0) continue;
            int32_t& cell = s.cell_holder[static_cast<size_t>(row) * GRID_COLUMNS + column];
            const bool now = cells[column] != 0;
            if (now == (cell != 0)) continue;
            if (!now) {
                s.holders[cell - 1].walk = s.walk;
                s.holders[cell - 1].state = HOLDER_GONE;
                s.gone.push_back(cell - 1);
                continue;
            }
            const int32_t h = new_holder(s, HOLDER_CELL, nullptr);
            cell = h + 1;
            Holder& holder = s.holders[h];
            holder.fields[0] = row;
            holder.fields[1] = column;
            holder.walk = s.walk;
            holder.state = HOLDER_CHANGED;
            holder.position = records + static_cast<uint32_t>(row * GRID_COLUMNS + column);
            s.pending.push_back(h);
            char line[BOARD_LINE_SIZE];
            const int length = format_cell_line(line, sizeof line, row, column);
            keep_text(s, holder, line, static_cast<size_t>(length));
        }
        std::memcpy(seen, cells, GRID_COLUMNS);
    }
}

void remember_grid(JournalHolders& s) {
    for (int row = 0; row < GRID_ROWS; ++row)
        std::memcpy(&s.seen_grid[static_cast<size_t>(row) * GRID_COLUMNS], board_grid.cells[row], GRID_COLUMNS);
}

}  // namespace

void journal_holders_clear() {
    delete journal.holders;
    journal.holders = nullptr;
}

void journal_holders_begin_step() {
    if (journal.holders == nullptr) return;
    JournalHolders& s = *journal.holders;
    s.follows_step = s.valid;
    s.valid = false;
}

bool journal_holders_follow_step(const StateLine* const* removed, const int32_t* removed_holders, int removed_count,
                                 const void* const* taken, int taken_count, StateLine* const* added,
                                 int added_count) {
    if (journal.holders == nullptr || !journal.holders->follows_step) return false;
    JournalHolders& s = *journal.holders;
    s.follows_step = false;
    // Each removed line's holder held one of the records taken, once.
    constexpr int MOST_TAKEN = 64;
    if (removed_count != taken_count || taken_count > MOST_TAKEN) return false;
    bool claimed[MOST_TAKEN] = {};
    for (int i = 0; i < removed_count; ++i) {
        const int32_t h = removed_holders[i] - 1;
        if (h < 0 || static_cast<size_t>(h) >= s.holders.size() || s.holders[h].node != removed[i]) return false;
        int j = 0;
        while (j < taken_count && (claimed[j] || taken[j] != s.holders[h].record)) ++j;
        if (j == taken_count) return false;
        claimed[j] = true;
    }
    // A line that made no record, or a cell, is left to the whole-board
    // snapshot, which sees it vanish or pairs it with its cell.
    for (int i = 0; i < added_count; ++i) {
        const LineMade* made = added[i]->made;
        if (made == nullptr || (made->kind != LINE_MADE_WIRE && made->kind != LINE_MADE_COMPONENT)) return false;
    }
    for (int i = 0; i < removed_count; ++i) free_holder(s, removed_holders[i] - 1);
    for (int i = 0; i < added_count; ++i) {
        const LineMade& made = *added[i]->made;
        if (made.kind == LINE_MADE_WIRE) {
            const auto* w = static_cast<const WireRecord*>(made.record);
            const int32_t h = new_holder(s, HOLDER_WIRE, w);
            take_fields(s.holders[h], w);
            pair(s, h, added[i]);
        } else {
            const auto* c = static_cast<const ComponentRecord*>(made.record);
            const int32_t h = new_holder(s, HOLDER_COMPONENT, c);
            take_fields(s.holders[h], c);
            pair(s, h, added[i]);
        }
    }
    s.valid = true;
    return true;
}

void journal_holders_begin_full() {
    JournalHolders& s = holders_state();
    s.valid = false;
    s.follows_step = false;
    const size_t cells = static_cast<size_t>(GRID_ROWS) * GRID_COLUMNS;
    if (s.cell_holder.size() != cells) {
        s.cell_holder.assign(cells, 0);
        s.seen_grid.assign(cells, 0);
    }
    for (const Holder& h : s.holders)
        if (h.kind == HOLDER_CELL) s.cell_holder[static_cast<size_t>(h.fields[0]) * GRID_COLUMNS + h.fields[1]] = 0;
    s.holders.clear();
    s.free_holders.clear();
    s.table_built = false;
    s.live_records = 0;
    s.cursor = 0;
}

namespace {

// The whole-board snapshot's holders come in board order, one after the
// other, so that the next walk finds each where it looks first.
void push_holder(JournalHolders& s, const Holder& holder) {
    const auto h = static_cast<int32_t>(s.holders.size());
    s.holders.push_back(holder);
    if (holder.record != nullptr) ++s.live_records;
    holder.node->holder = h + 1;
}

template <typename Record>
void note_record_holder(const Record* r, int32_t kind, StateLine* node) {
    Holder holder;
    holder.record = r;
    holder.kind = kind;
    take_fields(holder, r);
    holder.node = node;
    push_holder(holders_state(), holder);
}

}  // namespace

void journal_holders_note_wire(const WireRecord* w, StateLine* node) { note_record_holder(w, HOLDER_WIRE, node); }

void journal_holders_note_component(const ComponentRecord* c, StateLine* node) {
    note_record_holder(c, HOLDER_COMPONENT, node);
}

void journal_holders_note_cell(int row, int column, StateLine* node) {
    JournalHolders& s = holders_state();
    Holder holder;
    holder.kind = HOLDER_CELL;
    holder.fields[0] = row;
    holder.fields[1] = column;
    holder.node = node;
    s.cell_holder[static_cast<size_t>(row) * GRID_COLUMNS + column] = static_cast<int32_t>(s.holders.size()) + 1;
    push_holder(s, holder);
}

void journal_holders_end_full() {
    JournalHolders& s = holders_state();
    remember_grid(s);
    s.valid = true;
}

bool journal_holders_snapshot(JournalEvent* event) {
    if (journal.holders == nullptr || !journal.holders->valid) return false;
    JournalHolders& s = *journal.holders;
    // Until this one ends, a failed attempt leaves no pairing to trust.
    s.valid = false;
    ++s.walk;
    s.pending.clear();
    s.gone.clear();
    s.texts.clear();
    s.touched.clear();
    s.occurrences.clear();
    s.cursor = 0;

    // The board in the order the whole-board snapshot notes it.
    const size_t live_before = s.live_records;
    Walk walk{s};
    if (board.selected_component != nullptr)
        walk.visit(HOLDER_COMPONENT, board.selected_component, format_component_line, component_line);
    if (board.selected_wire != nullptr) walk.visit(HOLDER_WIRE, board.selected_wire, format_wire_line, wire_line);
    for (const ComponentRecord* c = board.component_list; c != nullptr && !walk.twice; c = c->next)
        walk.visit(HOLDER_COMPONENT, c, format_component_line, component_line);
    for (const WireRecord* w = board.wire_list; w != nullptr && !walk.twice; w = w->next)
        walk.visit(HOLDER_WIRE, w, format_wire_line, wire_line);
    if (walk.twice) return false;
    if (walk.found < live_before) {
        for (size_t h = 0; h < s.holders.size(); ++h) {
            Holder& holder = s.holders[h];
            if (holder.record == nullptr || holder.walk == s.walk) continue;
            holder.walk = s.walk;
            holder.state = HOLDER_GONE;
            s.gone.push_back(static_cast<int32_t>(h));
        }
    }
    const uint32_t records = walk.position;
    walk_cells(s, records);
    // Much changed (a load, a region): the whole board costs no more.
    if (s.pending.size() + s.gone.size() > 64 + s.live_records / 8) return false;

    // The texts changed lines had and have.
    for (int32_t h : s.pending) {
        const Holder& holder = s.holders[h];
        if (holder.node != nullptr) s.touched.push_back({holder.node->text, std::strlen(holder.node->text)});
        s.touched.push_back({s.texts.data() + holder.text_at, holder.text_length});
    }
    for (int32_t h : s.gone) {
        const StateLine* node = s.holders[h].node;
        if (node != nullptr) s.touched.push_back({node->text, std::strlen(node->text)});
    }
    std::sort(s.touched.begin(), s.touched.end());
    s.touched.erase(std::unique(s.touched.begin(), s.touched.end()), s.touched.end());

    // Every board line of those texts, in board order.
    for (const TextRef& text : s.touched) {
        Gather gather{s, text, records};
        journal_index_visit(text.text, text.length, gather_kept, &gather);
        if (gather.broken) return false;
    }
    for (int32_t h : s.pending) {
        const Holder& holder = s.holders[h];
        s.occurrences.push_back({holder.position, h, s.texts.data() + holder.text_at, holder.text_length});
    }
    std::sort(s.occurrences.begin(), s.occurrences.end(),
              [](const Occurrence& a, const Occurrence& b) { return a.position < b.position; });

    // From here on the state set changes: matched as the whole board would be.
    for (const Occurrence& o : s.occurrences) pair(s, o.holder, journal_state_note(event, o.text, o.length));
    Unmatched unmatched{journal.snapshot_mark};
    for (const TextRef& text : s.touched) journal_index_visit(text.text, text.length, flag_unmatched, &unmatched);
    journal_move_flagged_lines(event, unmatched.count);

    for (int32_t h : s.pending) {
        Holder& holder = s.holders[h];
        holder.text = nullptr;
        if (holder.kind == HOLDER_WIRE)
            take_fields(holder, static_cast<const WireRecord*>(holder.record));
        else if (holder.kind == HOLDER_COMPONENT)
            take_fields(holder, static_cast<const ComponentRecord*>(holder.record));
    }
    for (int32_t h : s.gone) free_holder(s, h);
    s.valid = true;
    return true;
}
