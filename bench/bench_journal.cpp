// The undo journal on a board of 2,000 objects: a snapshot after a
// one-object change against formatting every line of the board once, and
// undo followed by redo against one load of the same board. The ratios of
// the medians are printed after the run.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "bench_common.h"
#include "board/draw.h"
#include "board/grid.h"
#include "board/objects.h"
#include "editor/journal.h"
#include "fileio/board_file.h"
#include "graphics/canvas.h"
#include "shell/headless/headless.h"
#include "support/board_builders.h"

namespace {

constexpr int OBJECTS = 2000;

void build_board() {
    reset_for_benchmark();
    headless_state.messages_to_stderr = false;
    int res = catalog_lookup("RES", -1).entry;
    for (int i = 0; i < OBJECTS; ++i) {
        int x = 10 * (i % 63), y = 10 * ((i / 63) % 38);
        if (i % 2) {
            WireRecord* w = create_wire(i % 4 == 1 ? res : board.plain_wire_type, x, y, x, y + 20);
            w->next = board.wire_list;
            board.wire_list = w;
        } else {
            ComponentRecord* c = create_component(i % 4 ? "SIL2" : "NPN", 0, x, y);
            register_pins(c);
            if (i % 8 == 0) {
                std::string label = "Q" + std::to_string(i);
                set_description(c->desc, label.c_str());
            }
            c->next = board.component_list;
            board.component_list = c;
        }
    }
    journal_snapshot();
}

void format_every_line() {
    char line[BOARD_LINE_SIZE];
    size_t total = 0;
    for (auto* c = board.component_list; c; c = c->next) total += format_component_line(line, sizeof line, c);
    for (auto* w = board.wire_list; w; w = w->next) total += format_wire_line(line, sizeof line, w);
    for (int r = 0; r < GRID_ROWS; ++r)
        for (int c = 0; c < GRID_COLUMNS; ++c)
            if (((r | c) & 1) && cell_get(r, c)) total += format_cell_line(line, sizeof line, r, c);
    benchmark::DoNotOptimize(total);
}

void BM_FormatEveryLine(benchmark::State& state) {
    build_board();
    warm_up(format_every_line);
    for (auto _ : state) format_every_line();
}
BENCHMARK(BM_FormatEveryLine);

void BM_SnapshotAfterOneChange(benchmark::State& state) {
    build_board();
    WireRecord* w = board.wire_list;
    // Move one wire's end back and forth: each snapshot records one event.
    auto change_and_snapshot = [w] {
        unregister_wire_ends(w);
        w->y2 += (w->y2 % 20 == 0) ? 10 : -10;
        register_wire_ends(w);
        journal_snapshot();
    };
    warm_up(change_and_snapshot);
    journal_collect();
    for (auto _ : state) change_and_snapshot();
    journal_collect();
}
BENCHMARK(BM_SnapshotAfterOneChange);

std::string board_file_text() {
    FILE* f = std::tmpfile();
    write_board_file(f);
    std::rewind(f);
    std::string text;
    int ch;
    while ((ch = std::fgetc(f)) != EOF) text.push_back(static_cast<char>(ch));
    std::fclose(f);
    return text;
}

void BM_LoadBoard(benchmark::State& state) {
    build_board();
    std::string text = board_file_text();
    FILE* f = std::tmpfile();
    std::fwrite(text.data(), 1, text.size(), f);
    auto load = [f] {
        std::rewind(f);
        load_board_file(f);
    };
    warm_up([&] {
        board_reset();
        load();
    });
    for (auto _ : state) {
        state.PauseTiming();
        board_reset();
        state.ResumeTiming();
        load();
    }
    std::fclose(f);
}
BENCHMARK(BM_LoadBoard);

// The board with one wire's end moved since its first snapshot: one
// event to undo and redo.
void build_board_with_one_event() {
    build_board();
    WireRecord* w = board.wire_list;
    unregister_wire_ends(w);
    w->y2 += 10;
    register_wire_ends(w);
    journal_snapshot();
}

void BM_UndoThenRedo(benchmark::State& state) {
    build_board_with_one_event();
    auto undo_then_redo = [] {
        deselect_all();
        journal_undo();
        journal_rebuild_board();
        journal_redo();
        journal_rebuild_board();
    };
    warm_up(undo_then_redo);
    for (auto _ : state) undo_then_redo();
}
BENCHMARK(BM_UndoThenRedo);

// As the editor does it: each step is a pass of its own, whose checkpoint
// follows, and finds nothing new.
void BM_UndoThenRedoWithCheckpoints(benchmark::State& state) {
    build_board_with_one_event();
    auto passes = [] {
        deselect_all();
        journal_undo();
        journal_rebuild_board();
        journal_snapshot();
        journal_redo();
        journal_rebuild_board();
        journal_snapshot();
    };
    warm_up(passes);
    for (auto _ : state) passes();
}
BENCHMARK(BM_UndoThenRedoWithCheckpoints);

}  // namespace

int main(int argc, char** argv) {
    MedianReporter reporter;
    if (!run_benchmarks(argc, argv, reporter)) return 1;
    reporter.print_ratio("snapshot after one change / format every line:", "BM_SnapshotAfterOneChange",
                         "BM_FormatEveryLine", "(goal: at most 2)");
    reporter.print_ratio("undo then redo / one load:", "BM_UndoThenRedo", "BM_LoadBoard", "");
    reporter.print_ratio("undo then redo / snapshot after one change:", "BM_UndoThenRedo",
                         "BM_SnapshotAfterOneChange", "(goal: at most 1)");
    reporter.print_ratio("the same, each with its checkpoint / snapshot:", "BM_UndoThenRedoWithCheckpoints",
                         "BM_SnapshotAfterOneChange", "");
    return 0;
}
