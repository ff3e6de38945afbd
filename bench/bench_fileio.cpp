// Loading and saving a board file of 10,000 lines against reading the same
// file into memory and splitting it into lines, in one run. Goals: a load
// (without its one final redraw, which is measured apart) at most 10 times
// the yardstick, a save at most 5 times. The ratios of the medians are
// printed after the run.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "bench_common.h"
#include "board/draw.h"
#include "board/grid.h"
#include "board/objects.h"
#include "fileio/board_file.h"
#include "shell/headless/headless.h"
#include "support/board_builders.h"

namespace {

const char* const FILE_PATH = "bench_fileio_board.cpx";
const char* const SAVE_PATH = "bench_fileio_saved.cpx";

// A board of components, wires, texts, cuts and bridges spread over the
// holes so that no hole gathers too many leads, saved by the writer.
int make_board_file() {
    reset_for_benchmark();
    headless_state.messages_to_stderr = false;
    std::string text = "VERSION 1.000 Cuprolay generated data\n";
    const char* components[] = {"NPN 0", "PNP 4", "DIL8 0", "SIL3 0", "NPN 9", "DIL14 1"};
    const char* wires[] = {"WIRE 0", "RES 0", "CAP 1", "DIODE 2", "XTAL 1", "IND 0", "RES 1"};
    char line[256];
    int n = 0;
    for (int i = 0; i < 2500; ++i, ++n) {
        std::snprintf(line, sizeof line, "%s %d %d * %d %d C%d\n", components[i % 6], (i * 7) % 110,
                      (i * 3) % 60, (i * 37) % 600, (i * 11) % 390 + 8, i);
        text += line;
    }
    for (int i = 0; i < 3500; ++i, ++n) {
        const int x = (i * 13) % 120, y = (i * 5) % 76;
        if (i % 2 == 0)
            std::snprintf(line, sizeof line, "%s %d %d %d %d \n", wires[i % 7], x, y, x, y + 2 + i % 4);
        else
            std::snprintf(line, sizeof line, "%s %d %d %d %d * %d %d value %d\n", wires[i % 7], x, y,
                          x + 2 + i % 6, y, x * 5, y * 5 - 4, i);
        text += line;
    }
    for (int i = 0; i < 1000; ++i, ++n) {
        std::snprintf(line, sizeof line, "TEXT * %d %d note number %d\n", (i * 29) % 600, (i * 17) % 390 + 6, i);
        text += line;
    }
    for (int row = 0; row < GRID_ROWS && n < 7140; ++row) {
        for (int column = row % 2 == 0 ? 1 : 0; column < GRID_COLUMNS && n < 7140; column += 2) {
            if ((row * 7 + column * 3) % 5 == 0) continue;  // some strips stay whole
            std::snprintf(line, sizeof line, "CUT %d %d\n", column, row);
            text += line;
            ++n;
        }
    }
    FILE* source = std::tmpfile();
    std::fwrite(text.data(), 1, text.size(), source);
    std::rewind(source);
    load_board_file(source);
    std::fclose(source);
    // Saved by the writer, so the measured file is the writer's own.
    save_board_to_path(FILE_PATH);

    FILE* f = std::fopen(FILE_PATH, "rb");
    int lines = 0;
    for (int c; (c = std::fgetc(f)) != EOF;) lines += c == '\n';
    std::fclose(f);
    board_reset();
    return lines;
}

void BM_ReadAndSplit(benchmark::State& state) {
    std::vector<char> data;
    std::vector<std::string_view> lines;
    auto read_and_split = [&] {
        FILE* f = std::fopen(FILE_PATH, "rb");
        data.clear();
        char block[64 * 1024];
        for (size_t n; (n = std::fread(block, 1, sizeof block, f)) > 0;) data.insert(data.end(), block, block + n);
        std::fclose(f);
        lines.clear();
        const char* p = data.data();
        const char* end = p + data.size();
        while (p < end) {
            const char* feed = static_cast<const char*>(std::memchr(p, '\n', static_cast<size_t>(end - p)));
            if (feed == nullptr) feed = end;
            lines.emplace_back(p, static_cast<size_t>(feed - p));
            p = feed + 1;
        }
        benchmark::DoNotOptimize(lines.data());
    };
    warm_up(read_and_split);
    for (auto _ : state) read_and_split();
    state.counters["lines"] = static_cast<double>(lines.size());
}

// load_board_file without its final redraw: the same reading under deferred
// drawing, the dirty rectangle collected but not painted.
void BM_LoadWithoutRedraw(benchmark::State& state) {
    reset_for_benchmark();
    headless_state.messages_to_stderr = false;
    auto load = [] {
        FILE* f = std::fopen(FILE_PATH, "rb");
        float version = 0.94f;
        redraw_state.redraw_deferred = true;
        const int result = read_board_lines(f, &version);
        redraw_state.redraw_deferred = false;
        std::fclose(f);
        benchmark::DoNotOptimize(result);
    };
    warm_up([&] {
        board_reset();
        reset_dirty_rect();
        load();
    });
    for (auto _ : state) {
        state.PauseTiming();
        board_reset();
        reset_dirty_rect();
        state.ResumeTiming();
        load();
    }
    board_reset();
}

// The one redraw of the dirty rectangle that ends a load.
void BM_FinalRedraw(benchmark::State& state) {
    reset_for_benchmark();
    headless_state.messages_to_stderr = false;
    FILE* f = std::fopen(FILE_PATH, "rb");
    float version = 0.94f;
    redraw_state.redraw_deferred = true;
    read_board_lines(f, &version);
    redraw_state.redraw_deferred = false;
    std::fclose(f);
    const RedrawState collected = redraw_state;
    auto redraw = [&] {
        redraw_state = collected;
        redraw_dirty_rect();
        benchmark::ClobberMemory();
    };
    warm_up(redraw);
    for (auto _ : state) redraw();
    board_reset();
}

void BM_LoadWithRedraw(benchmark::State& state) {
    reset_for_benchmark();
    headless_state.messages_to_stderr = false;
    auto load = [] {
        FILE* f = std::fopen(FILE_PATH, "rb");
        const int result = load_board_file(f);
        std::fclose(f);
        benchmark::DoNotOptimize(result);
    };
    warm_up([&] {
        board_reset();
        reset_dirty_rect();
        load();
    });
    for (auto _ : state) {
        state.PauseTiming();
        board_reset();
        reset_dirty_rect();
        state.ResumeTiming();
        load();
    }
    board_reset();
}

// The writer alone, into a file opened once and overwritten in place, so
// that the file system's work on truncating and replacing is not counted.
void BM_Save(benchmark::State& state) {
    reset_for_benchmark();
    headless_state.messages_to_stderr = false;
    FILE* f = std::fopen(FILE_PATH, "rb");
    load_board_file(f);
    std::fclose(f);
    FILE* out = std::fopen(SAVE_PATH, "wb");
    auto save = [&] {
        std::rewind(out);
        const bool ok = write_board_file(out);
        benchmark::DoNotOptimize(ok);
    };
    warm_up(save);
    for (auto _ : state) save();
    std::fclose(out);
    board_reset();
    std::remove(SAVE_PATH);
}

// A whole save as the editor makes it: temporary file, close, rename.
void BM_SaveToPath(benchmark::State& state) {
    reset_for_benchmark();
    headless_state.messages_to_stderr = false;
    FILE* f = std::fopen(FILE_PATH, "rb");
    load_board_file(f);
    std::fclose(f);
    auto save = [] {
        const bool ok = save_board_to_path(SAVE_PATH);
        benchmark::DoNotOptimize(ok);
    };
    warm_up(save);
    for (auto _ : state) save();
    board_reset();
    std::remove(SAVE_PATH);
}

BENCHMARK(BM_ReadAndSplit)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LoadWithoutRedraw)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FinalRedraw)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LoadWithRedraw)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Save)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SaveToPath)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    const int lines = make_board_file();
    std::printf("board file: %d lines\n", lines);
    MedianReporter reporter;
    const bool ran = run_benchmarks(argc, argv, reporter);
    std::remove(FILE_PATH);
    if (!ran) return 1;
    const char* yardstick = "BM_ReadAndSplit";
    reporter.print_ratio("load without final redraw / read and split:", "BM_LoadWithoutRedraw", yardstick,
                         "(goal: at most 10)");
    reporter.print_ratio("load with final redraw / read and split:", "BM_LoadWithRedraw", yardstick, "");
    reporter.print_ratio("final redraw alone / read and split:", "BM_FinalRedraw", yardstick, "");
    reporter.print_ratio("save / read and split:", "BM_Save", yardstick, "(goal: at most 5)");
    reporter.print_ratio("save to path (temporary, close, rename) / read and split:", "BM_SaveToPath", yardstick,
                         "");
    return 0;
}
