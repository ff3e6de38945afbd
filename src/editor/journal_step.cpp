// Undo and redo on the board alone. A full rebuild clears the board and
// parses every state line, so its lists run in the reverse of the state
// set's order. A step may instead take away the records of the lines it
// removes and parse the lines it adds, appending them where the full
// rebuild would put them, when the board is shown to hold exactly the
// state set from before the step: every other line's record in that
// order and as the rebuild made it, every cell, and nothing else. The
// picture then differs from the full rebuild's only in the areas of the
// changed objects, and those are redrawn.
#include "editor/journal_step.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "board/draw.h"
#include "board/grid.h"
#include "board/integrity.h"
#include "board/objects.h"
#include "core/arena.h"
#include "editor/journal_holders.h"
#include "fileio/board_file.h"

namespace {

// Larger steps (region operations, loads) rebuild the whole board.
constexpr int MAX_STEP_LINES = 64;

LineMade made_of(const WireRecord* w) {
    LineMade m{};
    m.kind = LINE_MADE_WIRE;
    m.record = w;
    const int32_t fields[8] = {w->entry, w->x1, w->y1, w->x2, w->y2, 0, 0, 0};
    std::memcpy(m.fields, fields, sizeof fields);
    m.desc = w->desc;
    return m;
}

LineMade made_of(const ComponentRecord* c) {
    LineMade m{};
    m.kind = LINE_MADE_COMPONENT;
    m.record = c;
    const int32_t fields[8] = {c->entry, c->ax, c->ay, c->box_x0, c->box_y0, c->box_x1, c->box_y1, 0};
    std::memcpy(m.fields, fields, sizeof fields);
    m.desc = c->desc;
    return m;
}

// A description's text may have been replaced by another at the same
// address, so its letters are checked against the end of the line too.
bool ends_with(const char* line, const char* text) {
    const size_t n = std::strlen(line), k = std::strlen(text);
    return k <= n && std::memcmp(line + n - k, text, k) == 0;
}

// The record is still what the rebuild made of a line. Compared field by
// field: a LineMade assembled on the stack first would be read back before
// its stores had landed, on every kept line of every step. Without the
// line's text the letters are not checked.
bool same_description(const LineMade& then_made, const char* text, const DescriptionHead& now) {
    const DescriptionHead& then = then_made.desc;
    if (now.text != then.text || now.width != then.width || now.x != then.x || now.y != then.y) return false;
    return now.width == 0 || text == nullptr || ends_with(text, now.text);
}

bool unchanged(const LineMade& then, const char* text, const WireRecord* w) {
    if (then.kind != LINE_MADE_WIRE || then.record != w) return false;
    const int32_t* f = then.fields;
    if (f[0] != w->entry || f[1] != w->x1 || f[2] != w->y1 || f[3] != w->x2 || f[4] != w->y2) return false;
    if ((f[5] | f[6] | f[7]) != 0) return false;
    return same_description(then, text, w->desc);
}

bool unchanged(const LineMade& then, const char* text, const ComponentRecord* c) {
    if (then.kind != LINE_MADE_COMPONENT || then.record != c) return false;
    const int32_t* f = then.fields;
    if (f[0] != c->entry || f[1] != c->ax || f[2] != c->ay || f[3] != c->box_x0 || f[4] != c->box_y0 ||
        f[5] != c->box_x1 || f[6] != c->box_y1 || f[7] != 0)
        return false;
    return same_description(then, text, c->desc);
}

template <typename Record>
bool unchanged(const StateLine* node, const Record* r) {
    return unchanged(*node->made, node->text, r);
}

bool is_space(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

// Reads one number as the line parser does; false leaves it as it was.
bool read_number(const char*& p, int& out) {
    while (is_space(*p)) ++p;
    const char* q = p;
    bool negative = false;
    if (*q == '+' || *q == '-') negative = *q++ == '-';
    if (*q < '0' || *q > '9') return false;
    long value = 0;
    for (; *q >= '0' && *q <= '9'; ++q) {
        value = value * 10 + (*q - '0');
        if (value > BOARD_HALF_PITCH_LIMIT) return false;
    }
    out = static_cast<int>(negative ? -value : value);
    p = q;
    return true;
}

// The cell a cut or bridge line sets, as the parser takes it: false when
// the line sets none.
bool cell_of_line(const char* text, int& row, int& column) {
    const char* p = text;
    while (is_space(*p)) ++p;
    while (*p != '\0' && !is_space(*p)) ++p;
    row = 0;
    column = 0;
    if (read_number(p, column)) read_number(p, row);
    if (row < 0 || row >= GRID_ROWS || column < 0 || column >= GRID_COLUMNS) return false;
    return !(row % 2 == 0 && column % 2 == 0);
}

bool is_cell_line(const char* text) {
    while (is_space(*text)) ++text;
    auto word_is = [text](const char* word) {
        const size_t n = std::strlen(word);
        for (size_t i = 0; i < n; ++i) {
            char c = text[i];
            if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
            if (c != word[i]) return false;
        }
        return text[n] == '\0' || is_space(text[n]);
    };
    return word_is("CUT") || word_is("BRIDGE");
}

// The records of a list in the order the full rebuild made them, which is
// the reverse of the list's: read into an array kept from step to step, so
// that planning walks each list once and writes nothing into it.
//
// While `kept` holds, the arrays are also the lists as the last rebuild or
// step left them, each record with the state line it was made of and the
// rectangle its picture reaches, and `grid` the grid then: the board is
// then the full rebuild of the state set. While the board's change count
// stays where it was then and the grid is the same, the next step takes
// the board from these alone, without walking the state set or the
// records. A snapshot that records an event, or a change of the set that
// no rebuild follows, drops them.
struct RebuildOrder {
    std::vector<WireRecord*> wires;
    std::vector<ComponentRecord*> components;
    bool kept = false;
    uint64_t changes = 0;  // the board's change count when kept
    std::vector<const StateLine*> wire_lines, component_lines;
    std::vector<Rect> wire_reach, component_reach;
    std::vector<int8_t> grid;
    // The state nodes the step being applied took away (released since:
    // only their addresses are compared).
    const StateLine* removed[MAX_STEP_LINES];
    int32_t removed_holders[MAX_STEP_LINES];  // each one's holder then
    int removed_count = 0;
    bool removed_overflow = false;
};
RebuildOrder rebuild_order;

template <typename Record>
void fill_reversed(std::vector<Record*>& out, Record* list) {
    out.clear();
    for (; list != nullptr; list = list->next) out.push_back(list);
    std::reverse(out.begin(), out.end());
}

// Takes the planned records out of their list in one go and returns the
// list's new tail. `order` is the list in rebuild order (its reverse) and
// `at` the positions in it of the records that go: each is replaced by a
// link between its nearest neighbours that stay, so that no list is
// walked.
template <typename Record>
Record* unlink_planned(Record*& list, const std::vector<Record*>& order, const size_t* at, int count) {
    auto going = [&](size_t i) {
        for (int k = 0; k < count; ++k)
            if (at[k] == i) return true;
        return false;
    };
    for (int k = 0; k < count; ++k) {
        size_t before = at[k] + 1;  // towards the list's head
        while (before < order.size() && going(before)) ++before;
        size_t after = at[k];  // towards its tail: order[after - 1]
        while (after > 0 && going(after - 1)) --after;
        Record* next = after > 0 ? order[after - 1] : nullptr;
        if (before < order.size())
            order[before]->next = next;
        else
            list = next;
        order[at[k]]->next = nullptr;
    }
    size_t last = 0;
    while (last < order.size() && going(last)) ++last;
    return last < order.size() ? order[last] : nullptr;
}

// Lists the step's lines and the board's records not held by kept lines.
struct StepPlan {
    const StateLine* removed[MAX_STEP_LINES];
    int removed_count = 0;
    StateLine* added[MAX_STEP_LINES];  // the fresh state nodes, head first
    int added_count = 0;
    WireRecord* wires[MAX_STEP_LINES];
    size_t wire_at[MAX_STEP_LINES];  // each one's place in the rebuild order
    int wire_count = 0;
    ComponentRecord* components[MAX_STEP_LINES];
    size_t component_at[MAX_STEP_LINES];
    int component_count = 0;
    int removed_cells[MAX_STEP_LINES][2];
    int removed_cell_count = 0;
};

bool collect_changes(const JournalEvent* step, bool forward, StepPlan& plan) {
    int adding = 0;
    for (const StateLine* change = step->changes; change != nullptr; change = change->next) {
        const bool adds = forward ? change->flag >= 1 : change->flag < 0;
        if (adds) {
            ++adding;
        } else {
            if (plan.removed_count == MAX_STEP_LINES) return false;
            plan.removed[plan.removed_count++] = change;
        }
    }
    if (adding > MAX_STEP_LINES) return false;
    // The added lines were put at the head of the state set one by one, so
    // they are its first nodes, the last added first.
    StateLine* node = journal.state;
    for (int i = 0; i < adding; ++i, node = node->next) {
        if (node == nullptr || node->made != nullptr) return false;
        plan.added[plan.added_count++] = node;
    }
    int i = adding;
    for (const StateLine* change = step->changes; change != nullptr; change = change->next) {
        const bool adds = forward ? change->flag >= 1 : change->flag < 0;
        if (adds && std::strcmp(plan.added[--i]->text, change->text) != 0) return false;
    }
    return true;
}

// Walks the kept lines against the lists in the rebuild's order; the
// records passed over must be the removed lines' records.
bool match_kept_lines(StepPlan& plan, int& kept_cells) {
    const std::vector<WireRecord*>& wires = rebuild_order.wires;
    const std::vector<ComponentRecord*>& components = rebuild_order.components;
    size_t wire = 0, component = 0;
    StateLine* node = journal.state;
    for (int i = 0; i < plan.added_count; ++i) node = node->next;
    for (; node != nullptr; node = node->next) {
        if (node->made == nullptr) return false;  // a line no rebuild has parsed
        const LineMade& made = *node->made;
        switch (made.kind) {
            case LINE_MADE_WIRE:
                while (wire < wires.size() && wires[wire] != made.record) {
                    if (plan.wire_count == MAX_STEP_LINES) return false;
                    plan.wire_at[plan.wire_count] = wire;
                    plan.wires[plan.wire_count++] = wires[wire++];
                }
                if (wire == wires.size() || !unchanged(node, wires[wire])) return false;
                ++wire;
                break;
            case LINE_MADE_COMPONENT:
                while (component < components.size() && components[component] != made.record) {
                    if (plan.component_count == MAX_STEP_LINES) return false;
                    plan.component_at[plan.component_count] = component;
                    plan.components[plan.component_count++] = components[component++];
                }
                if (component == components.size() || !unchanged(node, components[component])) return false;
                ++component;
                break;
            case LINE_MADE_CELL:
                if (cell_get(made.fields[0], made.fields[1]) != 1) return false;
                ++kept_cells;
                break;
            case LINE_MADE_NOTHING:
                break;
            default:
                return false;  // a line no rebuild has parsed
        }
    }
    for (; wire < wires.size(); ++wire) {
        if (plan.wire_count == MAX_STEP_LINES) return false;
        plan.wire_at[plan.wire_count] = wire;
        plan.wires[plan.wire_count++] = wires[wire];
    }
    for (; component < components.size(); ++component) {
        if (plan.component_count == MAX_STEP_LINES) return false;
        plan.component_at[plan.component_count] = component;
        plan.components[plan.component_count++] = components[component];
    }
    return true;
}

// Each record left over formats to one removed line, each removed cell is
// set, and the grid holds no other cut or bridge.
bool match_removed_lines(StepPlan& plan, int kept_cells) {
    bool used[MAX_STEP_LINES] = {};
    auto claim = [&](const std::string& line) {
        for (int i = 0; i < plan.removed_count; ++i) {
            if (!used[i] && line == plan.removed[i]->text) {
                used[i] = true;
                return true;
            }
        }
        return false;
    };
    for (int i = 0; i < plan.wire_count; ++i)
        if (!claim(wire_line(plan.wires[i]))) return false;
    for (int i = 0; i < plan.component_count; ++i)
        if (!claim(component_line(plan.components[i]))) return false;
    for (int i = 0; i < plan.removed_count; ++i) {
        if (used[i]) continue;
        int row = 0, column = 0;
        if (!is_cell_line(plan.removed[i]->text) || !cell_of_line(plan.removed[i]->text, row, column)) return false;
        if (cell_get(row, column) != 1) return false;
        plan.removed_cells[plan.removed_cell_count][0] = row;
        plan.removed_cells[plan.removed_cell_count][1] = column;
        ++plan.removed_cell_count;
    }
    // Odd rows hold bridges and the cells between holes, even rows cuts
    // in their odd columns.
    int set_cells = 0;
    for (int row = 0; row < GRID_ROWS; ++row) {
        const int8_t* cells = board_grid.cells[row];
        const int step = row % 2 != 0 ? 1 : 2;
        for (int column = row % 2 != 0 ? 0 : 1; column < GRID_COLUMNS; column += step) {
            if (cells[column] == 0) continue;
            if (cells[column] != 1) return false;  // a rebuild would store 1
            ++set_cells;
        }
    }
    return set_cells == kept_cells + plan.removed_cell_count;
}

bool plan_step(const JournalEvent* step, bool forward, StepPlan& plan) {
    if (board.selected_wire != nullptr || board.selected_component != nullptr) return false;
    if (!collect_changes(step, forward, plan)) return false;
    // The rebuild's order is the reverse of the state set's.
    rebuild_order.kept = false;
    fill_reversed(rebuild_order.wires, board.wire_list);
    fill_reversed(rebuild_order.components, board.component_list);
    int kept_cells = 0;
    const bool matched = match_kept_lines(plan, kept_cells);
    return matched && match_removed_lines(plan, kept_cells);
}

// The list is still the kept array, record by record, each as its line's
// rebuild made it. Letters replaced at the same address are a change no
// checkpoint saw, which the editor never makes: only checked boards (the
// tests') compare them.
template <typename Record>
bool list_is_kept(const Record* list, const std::vector<Record*>& order, const std::vector<const StateLine*>& lines) {
    const size_t n = order.size();
    const bool letters_checked = integrity_state.enabled;
    if (list != (n > 0 ? order[n - 1] : nullptr)) return false;
    for (size_t i = 0; i < n; ++i) {
        const Record* r = order[i];
        if (r->next != (i > 0 ? order[i - 1] : nullptr)) return false;
        if (!unchanged(*lines[i]->made, letters_checked ? lines[i]->text : nullptr, r)) return false;
    }
    return true;
}

bool grid_is_kept() {
    return rebuild_order.grid.size() == sizeof board_grid.cells &&
           std::memcmp(rebuild_order.grid.data(), board_grid.cells, sizeof board_grid.cells) == 0;
}

// Finds the record a removed line was made of among the kept ones; the
// records going stay in rebuild order.
template <typename Record>
bool find_going(const std::vector<const StateLine*>& lines, const std::vector<Record*>& order,
                const StateLine* removed, Record** going, size_t* going_at, int& going_count) {
    const auto found = std::find(lines.begin(), lines.end(), removed);
    if (found == lines.end()) return false;
    const auto at = static_cast<size_t>(found - lines.begin());
    int k = going_count++;
    for (; k > 0 && going_at[k - 1] > at; --k) {
        going_at[k] = going_at[k - 1];
        going[k] = going[k - 1];
    }
    going_at[k] = at;
    going[k] = order[at];
    return true;
}

// The plan of a step that adds and takes away only records, from the kept
// board of the last rebuild or step: false when it is not kept, a line of
// the step sets a cell, or the board changed since.
bool plan_kept_step(const JournalEvent* step, bool forward, StepPlan& plan) {
    RebuildOrder& o = rebuild_order;
    if (!o.kept || o.removed_overflow || o.changes != board.changes) return false;
    if (board.selected_wire != nullptr || board.selected_component != nullptr) return false;
    if (!collect_changes(step, forward, plan) || plan.removed_count != o.removed_count) return false;
    // A removed cell line has no record among the kept ones, and is not found below.
    for (int i = 0; i < plan.added_count; ++i)
        if (is_cell_line(plan.added[i]->text)) return false;
    if (!grid_is_kept()) return false;
    for (int i = 0; i < o.removed_count; ++i) {
        if (!find_going(o.wire_lines, o.wires, o.removed[i], plan.wires, plan.wire_at, plan.wire_count) &&
            !find_going(o.component_lines, o.components, o.removed[i], plan.components, plan.component_at,
                        plan.component_count))
            return false;
    }
    return true;
}

// Checked boards (the tests') also plan the step by walking the state set
// and the lists: a change the count missed shows as another plan.
bool walked_plan_agrees(const JournalEvent* step, bool forward, const StepPlan& kept_plan) {
    StepPlan walked;
    if (!plan_step(step, forward, walked)) return false;
    if (walked.wire_count != kept_plan.wire_count || walked.component_count != kept_plan.component_count ||
        walked.removed_cell_count != 0)
        return false;
    for (int i = 0; i < walked.wire_count; ++i)
        if (walked.wires[i] != kept_plan.wires[i] || walked.wire_at[i] != kept_plan.wire_at[i]) return false;
    for (int i = 0; i < walked.component_count; ++i)
        if (walked.components[i] != kept_plan.components[i] || walked.component_at[i] != kept_plan.component_at[i])
            return false;
    rebuild_order.kept = true;  // the walk refilled the same arrays
    return true;
}

// The arrays as the full rebuild of the state set makes the lists: its
// record lines in the set's order, the order they are parsed in.
void fill_from_state(RebuildOrder& o) {
    o.kept = false;
    o.wires.clear();
    o.components.clear();
    o.wire_lines.clear();
    o.component_lines.clear();
    o.wire_reach.clear();
    o.component_reach.clear();
    for (const StateLine* node = journal.state; node != nullptr; node = node->next) {
        if (node->made == nullptr) return;  // refused memory: steps walk the board
        const LineMade& made = *node->made;
        if (made.kind == LINE_MADE_WIRE) {
            auto* w = static_cast<WireRecord*>(const_cast<void*>(made.record));
            o.wires.push_back(w);
            o.wire_lines.push_back(node);
            o.wire_reach.push_back(wire_reach(w));
        } else if (made.kind == LINE_MADE_COMPONENT) {
            auto* c = static_cast<ComponentRecord*>(const_cast<void*>(made.record));
            o.components.push_back(c);
            o.component_lines.push_back(node);
            o.component_reach.push_back(component_reach(c));
        }
    }
    o.grid.assign(&board_grid.cells[0][0], &board_grid.cells[0][0] + sizeof board_grid.cells);
    o.removed_count = 0;
    o.removed_overflow = false;
    o.changes = board.changes;
    // Only a board that is these arrays is kept.
    o.kept = list_is_kept(board.wire_list, o.wires, o.wire_lines) &&
             list_is_kept(board.component_list, o.components, o.component_lines);
}

void keep_board_from_state() { fill_from_state(rebuild_order); }

// Checked boards (the tests') compare the arrays a step updated with
// those the state set gives afresh.
bool kept_board_is_fresh() {
    RebuildOrder fresh;
    fill_from_state(fresh);
    const RebuildOrder& o = rebuild_order;
    return fresh.kept == o.kept && fresh.wires == o.wires && fresh.components == o.components &&
           fresh.wire_lines == o.wire_lines && fresh.component_lines == o.component_lines &&
           fresh.wire_reach == o.wire_reach && fresh.component_reach == o.component_reach && fresh.grid == o.grid;
}

// Drops the records at the positions `at` (ascending) from the arrays.
template <typename Record>
void remove_going(std::vector<Record*>& order, std::vector<const StateLine*>& lines, std::vector<Rect>& reach,
                  const size_t* at, int count) {
    size_t to = count > 0 ? at[0] : order.size();
    int k = 0;
    for (size_t i = to; i < order.size(); ++i) {
        if (k < count && at[k] == i) {
            ++k;
            continue;
        }
        order[to] = order[i];
        lines[to] = lines[i];
        reach[to] = reach[i];
        ++to;
    }
    order.resize(to);
    lines.resize(to);
    reach.resize(to);
}

// Drops the planned records from the kept arrays and puts the added ones
// first, where the full rebuild parses them.
template <typename Record>
void update_kept_list(std::vector<Record*>& order, std::vector<const StateLine*>& lines, std::vector<Rect>& reach,
                      const size_t* at, int count, const StepPlan& plan, int32_t kind,
                      Rect (*reach_of)(const Record*)) {
    size_t added = 0;
    for (int i = 0; i < plan.added_count; ++i)
        if (plan.added[i]->made->kind == kind) ++added;
    // A step back and forth over the newest change replaces the first
    // records with as many: the rest stay where they are.
    bool replaces_first = added == static_cast<size_t>(count);
    for (int k = 0; k < count && replaces_first; ++k) replaces_first = at[k] == static_cast<size_t>(k);
    if (!replaces_first) {
        remove_going(order, lines, reach, at, count);
        order.insert(order.begin(), added, nullptr);
        lines.insert(lines.begin(), added, nullptr);
        reach.insert(reach.begin(), added, Rect{});
    }
    size_t at_front = 0;
    for (int i = 0; i < plan.added_count; ++i) {
        const StateLine* node = plan.added[i];
        if (node->made->kind != kind) continue;
        auto* r = static_cast<Record*>(const_cast<void*>(node->made->record));
        order[at_front] = r;
        lines[at_front] = node;
        reach[at_front] = reach_of(r);
        ++at_front;
    }
}

void update_kept_board(const StepPlan& plan) {
    RebuildOrder& o = rebuild_order;
    o.kept = false;
    for (int i = 0; i < plan.added_count; ++i)
        if (plan.added[i]->made == nullptr) return;
    update_kept_list(o.wires, o.wire_lines, o.wire_reach, plan.wire_at, plan.wire_count, plan, LINE_MADE_WIRE,
                     wire_reach);
    update_kept_list(o.components, o.component_lines, o.component_reach, plan.component_at, plan.component_count,
                     plan, LINE_MADE_COMPONENT, component_reach);
    std::memcpy(o.grid.data(), board_grid.cells, sizeof board_grid.cells);
    o.removed_count = 0;
    o.changes = board.changes;
    o.kept = true;
}

}  // namespace

namespace {

// The node's record of what was made, allocated on first use; null when
// the memory is refused, which only makes later steps rebuild everything.
LineMade* made_slot(StateLine* node) {
    if (node->made == nullptr) node->made = static_cast<LineMade*>(temp_alloc(sizeof(LineMade), "made"));
    return node->made;
}

}  // namespace

void journal_note_made_wire(StateLine* node, const WireRecord* w) {
    if (LineMade* made = made_slot(node)) *made = made_of(w);
}

void journal_note_made_component(StateLine* node, const ComponentRecord* c) {
    if (LineMade* made = made_slot(node)) *made = made_of(c);
}

void journal_note_made_cell(StateLine* node) {
    LineMade* made = made_slot(node);
    if (made == nullptr) return;
    *made = LineMade{};
    int row = 0, column = 0;
    if (is_cell_line(node->text) && cell_of_line(node->text, row, column)) {
        made->kind = LINE_MADE_CELL;
        made->fields[0] = row;
        made->fields[1] = column;
    } else {
        made->kind = LINE_MADE_NOTHING;
    }
}

void journal_forget_made(StateLine* node) {
    if (node->made != nullptr) temp_free(&node->made, sizeof(LineMade));
}

namespace {

// The lists' last records once the planned ones are gone.
struct ListTails {
    WireRecord* wire;
    ComponentRecord* component;
};

// Marked before and after the solder points go, so that the strips they
// ended are repainted too.
ListTails remove_planned(const StepPlan& plan) {
    const ListTails tails{
        unlink_planned(board.wire_list, rebuild_order.wires, plan.wire_at, plan.wire_count),
        unlink_planned(board.component_list, rebuild_order.components, plan.component_at, plan.component_count)};
    for (int i = 0; i < plan.wire_count; ++i) {
        WireRecord* w = plan.wires[i];
        invalidate_wire(w);
        unregister_wire_ends(w);
        invalidate_wire(w);
        discard_wire(w);
    }
    for (int i = 0; i < plan.component_count; ++i) {
        ComponentRecord* c = plan.components[i];
        invalidate_component(c);
        unregister_pins(c);
        invalidate_component(c);
        discard_component(c);
    }
    for (int i = 0; i < plan.removed_cell_count; ++i) {
        const int row = plan.removed_cells[i][0], column = plan.removed_cells[i][1];
        cell_set(row, column, 0);
        if (column % 2 != 0)
            invalidate_cut(column * 5, row * 5);
        else
            invalidate_bridge(column * 5, row * 5);
    }
    return tails;
}

// A record just parsed to the head of its list goes to the tail instead.
template <typename Record>
void move_head_to_tail(Record*& list, Record*& tail) {
    Record* r = list;
    if (r->next != nullptr) {
        list = r->next;
        r->next = nullptr;
        tail->next = r;
    }
    tail = r;
}

// The added lines end the lists, the first added last: parsed from the
// last added on, each new record moves from the head to the tail.
void add_planned(const StepPlan& plan, ListTails tails) {
    WireRecord* wire_tail = tails.wire;
    ComponentRecord* component_tail = tails.component;
    float version = 0.0f;
    for (int i = plan.added_count - 1; i >= 0; --i) {
        StateLine* node = plan.added[i];
        WireRecord* wires = board.wire_list;
        ComponentRecord* components = board.component_list;
        parse_board_line(node->text, &version);
        if (board.wire_list != wires) {
            journal_note_made_wire(node, board.wire_list);
            move_head_to_tail(board.wire_list, wire_tail);
        } else if (board.component_list != components) {
            journal_note_made_component(node, board.component_list);
            move_head_to_tail(board.component_list, component_tail);
        } else {
            journal_note_made_cell(node);
        }
    }
}

}  // namespace

namespace {

// The snapshot's pairings of lines and records follow a step that took
// away and made only records; otherwise they stay forgotten, as the step
// left them.
void follow_with_holders(const StepPlan& plan) {
    const RebuildOrder& o = rebuild_order;
    if (o.removed_overflow || plan.removed_cell_count != 0) return;
    const void* taken[2 * MAX_STEP_LINES];
    int taken_count = 0;
    for (int i = 0; i < plan.wire_count; ++i) taken[taken_count++] = plan.wires[i];
    for (int i = 0; i < plan.component_count; ++i) taken[taken_count++] = plan.components[i];
    journal_holders_follow_step(o.removed, o.removed_holders, o.removed_count, taken, taken_count, plan.added,
                                plan.added_count);
}

void apply_kept_step(const StepPlan& plan) {
    {
        DeferredRedraw bulk;
        add_planned(plan, remove_planned(plan));
        follow_with_holders(plan);
        update_kept_board(plan);
        // The repaint looks only at the records near what changed, found
        // in the kept arrays rather than along the lists.
        const RebuildOrder& o = rebuild_order;
        if (o.kept && !redraw_state.dirty.empty())
            begin_nearby_records_reversed(redraw_state.dirty, o.wires.data(), o.wire_reach.data(), o.wires.size(),
                                          o.components.data(), o.component_reach.data(), o.components.size());
    }
    end_nearby_records();
    ++journal.steps_taken_from_kept_board;
    if (integrity_state.enabled && !kept_board_is_fresh()) {
        ++journal.kept_board_mismatches;
        keep_board_from_state();
    }
}

}  // namespace

bool journal_apply_step_to_board(const JournalEvent* step, bool forward) {
    if (step == nullptr) return false;
    StepPlan plan;
    if (plan_kept_step(step, forward, plan)) {
        if (!integrity_state.enabled || walked_plan_agrees(step, forward, plan)) {
            apply_kept_step(plan);
            return true;
        }
        ++journal.kept_board_mismatches;
        rebuild_order.kept = false;
    }
    plan = StepPlan{};
    if (!plan_step(step, forward, plan)) return false;
    {
        DeferredRedraw bulk;
        add_planned(plan, remove_planned(plan));
        follow_with_holders(plan);
    }
    keep_board_from_state();
    return true;
}

void journal_step_board_rebuilt() { keep_board_from_state(); }

void journal_step_forget_board() {
    rebuild_order.kept = false;
    rebuild_order.removed_count = 0;
}

void journal_step_reset() { rebuild_order = RebuildOrder{}; }

void journal_step_begin_removals() {
    rebuild_order.removed_count = 0;
    rebuild_order.removed_overflow = false;
}

void journal_step_note_removed(const StateLine* node) {
    RebuildOrder& o = rebuild_order;
    if (o.removed_count == MAX_STEP_LINES)
        o.removed_overflow = true;
    else {
        o.removed_holders[o.removed_count] = node->holder;
        o.removed[o.removed_count++] = node;
    }
}
