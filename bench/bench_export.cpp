// Whole-board export to PDF and to PostScript level 2, each against one
// full-board redraw at zoom 20 (what every export does first anyway).
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench_common.h"
#include "board/draw.h"
#include "board/objects.h"
#include "export/settings.h"
#include "export/writers.h"
#include "graphics/canvas.h"
#include "graphics/palette.h"
#include "shell/dialogs.h"
#include "shell/headless/headless.h"
#include "support/board_builders.h"

namespace {

std::string output_path() {
    static std::string path;
    if (path.empty()) {
        char pattern[] = "/tmp/cuprolay-bench-XXXXXX";
        int fd = mkstemp(pattern);
        if (fd >= 0) close(fd);
        path = pattern;
    }
    return path;
}

void prepare_board() {
    static bool prepared = false;
    if (prepared) return;
    prepared = true;
    reset_for_benchmark();
    headless_state.messages_to_stderr = false;
    dense_board();
    canvas.zoom = 20;
    deselect_and_redraw();
}

void BM_RedrawWholeBoardZoom20(benchmark::State& state) {
    prepare_board();
    auto redraw = [] {
        redraw_rect({0, 0, 630, 400});
        benchmark::DoNotOptimize(canvas.cells[200][300]);
    };
    warm_up(redraw);
    for (auto _ : state) redraw();
}

void run_writer(benchmark::State& state, int (*writer)(const Rect&)) {
    prepare_board();
    // The file exists after the first round; the overwrite question is
    // answered OK by the headless backend.
    bool failed = false;
    auto write = [&] {
        headless_answer_file(output_path().c_str());
        failed = failed || writer({0, 0, 630, 400}) != 0;
    };
    warm_up(write);
    for (auto _ : state) write();
    if (failed) state.SkipWithError("the writer failed");
}

void BM_ExportPdfWholeBoard(benchmark::State& state) { run_writer(state, write_pdf); }
void BM_ExportPs2WholeBoard(benchmark::State& state) { run_writer(state, write_ps_level2); }

BENCHMARK(BM_RedrawWholeBoardZoom20)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportPdfWholeBoard)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportPs2WholeBoard)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    MedianReporter reporter;
    const bool ran = run_benchmarks(argc, argv, reporter);
    std::remove(output_path().c_str());
    if (!ran) return 1;
    const char* yardstick = "BM_RedrawWholeBoardZoom20";
    reporter.print_ratio("PDF export / full redraw at zoom 20:", "BM_ExportPdfWholeBoard", yardstick,
                         "(goal: at most 4)");
    reporter.print_ratio("PostScript level 2 export / full redraw at zoom 20:", "BM_ExportPs2WholeBoard", yardstick,
                         "(goal: at most 4)");
    return 0;
}
