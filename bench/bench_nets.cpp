// The net listing (what --nets computes and prints) against one load of
// the same board, on the densest example and on a board of 2,000 objects.
// Goal: at most 2 times the load. The ratios are printed after the run.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "bench_common.h"
#include "board/draw.h"
#include "board/net_list.h"
#include "board/objects.h"
#include "fileio/board_file.h"
#include "shell/headless/headless.h"
#include "support/board_builders.h"

namespace {

const char* const DENSE_PATH = "bench_nets_2000.cpx";

std::string example_path() {
    const std::string source = __FILE__;  // .../bench/bench_nets.cpp
    return source.substr(0, source.rfind("/bench/")) + "/examples/catalog.cpx";
}

// 2,000 described parts and plain wires over the holes, with cuts and
// bridges, saved by the writer.
void make_dense_file() {
    reset_for_benchmark();
    headless_state.messages_to_stderr = false;
    std::string text = "VERSION 1.000 Cuprolay generated data\n";
    const char* components[] = {"NPN 0", "PNP 9", "DIL8 0", "SIL3 0", "DIL14 1"};
    const char* wires[] = {"WIRE 0", "RES 0", "CAP 1", "DIODE 2", "XTAL 1", "IND 0", "WIRE 0"};
    char line[256];
    for (int i = 0; i < 700; ++i) {
        std::snprintf(line, sizeof line, "%s %d %d * %d %d U%d\n", components[i % 5], (i * 14) % 112,
                      (i * 6) % 60, (i * 37) % 600, (i * 11) % 390 + 8, i);
        text += line;
    }
    for (int i = 0; i < 1300; ++i) {
        const int x = (i * 26) % 124, y = (i * 10) % 76;
        std::snprintf(line, sizeof line, "%s %d %d %d %d * %d %d R%d 1k\n", wires[i % 7], x, y, x, y + 2 + 2 * (i % 3),
                      x * 5 + 4, y * 5 + 6, i);
        text += line;
    }
    for (int i = 0; i < 900; ++i) {
        std::snprintf(line, sizeof line, "CUT %d %d\n", (i * 22 + 1) % 126 | 1, (i * 4) % 80 & ~1);
        text += line;
        std::snprintf(line, sizeof line, "BRIDGE %d %d\n", (i * 34) % 126 & ~1, ((i * 6) % 80) | 1);
        text += line;
    }
    FILE* source = std::tmpfile();
    std::fwrite(text.data(), 1, text.size(), source);
    std::rewind(source);
    load_board_file(source);
    std::fclose(source);
    save_board_to_path(DENSE_PATH);
    board_reset();
}

void load(const std::string& path) {
    FILE* f = std::fopen(path.c_str(), "rb");
    const int result = load_board_file(f);
    std::fclose(f);
    benchmark::DoNotOptimize(result);
}

// A load as --nets makes it: a clean board, the file read, its one redraw.
void BM_Load(benchmark::State& state, const std::string& path) {
    reset_for_benchmark();
    headless_state.messages_to_stderr = false;
    board.plain_wire_type = lookup_plain_wire_type();
    warm_up([&] {
        board_reset();
        reset_dirty_rect();
        load(path);
    });
    for (auto _ : state) {
        state.PauseTiming();
        board_reset();
        reset_dirty_rect();
        state.ResumeTiming();
        load(path);
    }
    board_reset();
}

// The nets of the loaded board, formatted as --nets prints them.
void BM_Nets(benchmark::State& state, const std::string& path) {
    reset_for_benchmark();
    headless_state.messages_to_stderr = false;
    board.plain_wire_type = lookup_plain_wire_type();
    load(path);
    size_t pins = 0;
    std::string out;
    auto list = [&] {
        const BoardNets nets = collect_board_nets();
        out.clear();
        for (size_t n = 0; n < nets.nets.size(); ++n) (out += net_line(nets, static_cast<int>(n))) += '\n';
        pins = nets.pins.size();
        benchmark::DoNotOptimize(out.data());
    };
    warm_up(list);
    for (auto _ : state) list();
    state.counters["pins"] = static_cast<double>(pins);
    board_reset();
}

}  // namespace

int main(int argc, char** argv) {
    make_dense_file();
    const std::string example = example_path();
    benchmark::RegisterBenchmark("BM_Load/catalog", BM_Load, example)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("BM_Nets/catalog", BM_Nets, example)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("BM_Load/dense2000", BM_Load, std::string(DENSE_PATH))->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("BM_Nets/dense2000", BM_Nets, std::string(DENSE_PATH))->Unit(benchmark::kMicrosecond);
    MedianReporter reporter;
    const bool ran = run_benchmarks(argc, argv, reporter);
    std::remove(DENSE_PATH);
    if (!ran) return 1;
    reporter.print_ratio("nets / load, examples/catalog.cpx:", "BM_Nets/catalog", "BM_Load/catalog", "(goal: at most 2)");
    reporter.print_ratio("nets / load, 2,000 objects:", "BM_Nets/dense2000", "BM_Load/dense2000", "(goal: at most 2)");
    return 0;
}
