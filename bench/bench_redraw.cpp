// Full-board redraw against the plain fill of the canvas, in one run.
// The goal is a zoom-20 redraw of a dense board costing at most three plain
// fills; the ratios of the medians are printed after the run.
#include <benchmark/benchmark.h>

#include <cstdio>

#include "bench_common.h"
#include "board/draw.h"
#include "board/grid.h"
#include "graphics/canvas.h"
#include "support/board_builders.h"

namespace {

void prepare_board(int zoom) {
    reset_for_benchmark();
    canvas.zoom = zoom;
    draw_board_frame();
    dense_board();
}

void BM_FullRedraw(benchmark::State& state) {
    prepare_board(static_cast<int>(state.range(0)));
    auto redraw = [] {
        redraw_rect({0, 0, BOARD_RIGHT, BOARD_BOTTOM});
        benchmark::ClobberMemory();
    };
    warm_up(redraw);
    for (auto _ : state) redraw();
    board_reset();
}

BENCHMARK(BM_PlainFill)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FullRedraw)->Arg(10)->Arg(20)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    MedianReporter reporter;
    if (!run_benchmarks(argc, argv, reporter)) return 1;
    reporter.print_ratio("full redraw at zoom 10 / plain fill:", "BM_FullRedraw/10", "BM_PlainFill", "");
    reporter.print_ratio("full redraw at zoom 20 / plain fill:", "BM_FullRedraw/20", "BM_PlainFill",
                         "(goal: at most 3)");
    return 0;
}
