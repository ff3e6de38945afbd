// Full-board redraw against the plain fill of the canvas, in one run.
// The goal is a zoom-20 redraw of a dense board costing at most three plain
// fills; the ratio is printed after the run.
#include <benchmark/benchmark.h>

#include <cstdio>

#include "board/draw.h"
#include "board/grid.h"
#include "graphics/canvas.h"
#include "support/board_builders.h"

namespace {

// Per-iteration times in microseconds: [0] real, [1] CPU.
double plain_fill_us[2] = {};
double redraw_us[21][2] = {};

void prepare_board(int zoom) {
    reset_everything();
    canvas.zoom = zoom;
    draw_board_frame();
    dense_board();
}

void BM_PlainFill(benchmark::State& state) {
    canvas_reset();
    int colour = 0;
    for (auto _ : state) {
        canvas_plain_fill(colour);
        colour = (colour + 1) & 15;
        benchmark::ClobberMemory();
    }
}

void BM_FullRedraw(benchmark::State& state) {
    const int zoom = static_cast<int>(state.range(0));
    prepare_board(zoom);
    for (auto _ : state) {
        redraw_rect(0, 0, BOARD_RIGHT, BOARD_BOTTOM);
        benchmark::ClobberMemory();
    }
    board_reset();
}

BENCHMARK(BM_PlainFill)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FullRedraw)->Arg(10)->Arg(20)->Unit(benchmark::kMicrosecond);

// Collects the per-iteration times so the ratio can be printed in the same run.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            // With repetitions, the medians stand for the runs.
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name != "median") continue;
            const double times[2] = {run.GetAdjustedRealTime(), run.GetAdjustedCPUTime()};
            const std::string name = run.run_name.str();
            double* slot = nullptr;
            if (name == "BM_PlainFill") slot = plain_fill_us;
            if (name == "BM_FullRedraw/10") slot = redraw_us[10];
            if (name == "BM_FullRedraw/20") slot = redraw_us[20];
            if (slot != nullptr) {
                slot[0] = times[0];
                slot[1] = times[1];
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    // CPU time is the steadier yardstick on a shared machine; both are shown.
    if (plain_fill_us[0] > 0 && plain_fill_us[1] > 0) {
        std::printf("full redraw / plain fill (real time): zoom 10 %.2f, zoom 20 %.2f\n",
                    redraw_us[10][0] / plain_fill_us[0], redraw_us[20][0] / plain_fill_us[0]);
        std::printf("full redraw / plain fill (CPU time):  zoom 10 %.2f, zoom 20 %.2f (goal: zoom 20 at most 3)\n",
                    redraw_us[10][1] / plain_fill_us[1], redraw_us[20][1] / plain_fill_us[1]);
    }
    return 0;
}
