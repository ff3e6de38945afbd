// Whole-board export to PDF and to PostScript level 2, each against one
// full-board redraw at zoom 20 (what every export does first anyway).
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

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
    reset_everything();
    dialog_state_reset();
    export_settings_reset();
    export_state_reset();
    display_scheme = &screen_scheme;
    board.plain_wire_type = lookup_plain_wire_type();
    headless_state.messages_to_stderr = false;
    dense_board();
    canvas.zoom = 20;
    deselect_and_redraw();
}

void BM_RedrawWholeBoardZoom20(benchmark::State& state) {
    prepare_board();
    for (auto _ : state) {
        redraw_rect(0, 0, 630, 400);
        benchmark::DoNotOptimize(canvas.cells[200][300]);
    }
}

void run_writer(benchmark::State& state, int (*writer)(int, int, int, int)) {
    prepare_board();
    for (auto _ : state) {
        // The file exists after the first round; the overwrite question is
        // answered OK by the headless backend.
        headless_answer_file(output_path().c_str());
        if (writer(0, 0, 630, 400) != 0) state.SkipWithError("the writer failed");
    }
}

void BM_ExportPdfWholeBoard(benchmark::State& state) { run_writer(state, write_pdf); }
void BM_ExportPs2WholeBoard(benchmark::State& state) { run_writer(state, write_ps_level2); }

BENCHMARK(BM_RedrawWholeBoardZoom20)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportPdfWholeBoard)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportPs2WholeBoard)->Unit(benchmark::kMillisecond);

// Keeps each run's CPU time per iteration so that the ratios can be
// printed; CPU time, because the machine is shared and wall time wanders.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> seconds;
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.iterations > 0 && !run.error_occurred) {
                seconds[run.benchmark_name()] = run.GetAdjustedCPUTime();
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::remove(output_path().c_str());
    auto redraw = reporter.seconds.find("BM_RedrawWholeBoardZoom20");
    if (redraw == reporter.seconds.end() || redraw->second <= 0) return 0;
    for (const char* name : {"BM_ExportPdfWholeBoard", "BM_ExportPs2WholeBoard"}) {
        auto found = reporter.seconds.find(name);
        if (found == reporter.seconds.end()) continue;
        std::printf("%s: %.2f x one full-board redraw at zoom 20 (goal: at most 4)\n", name,
                    found->second / redraw->second);
    }
    benchmark::Shutdown();
    return 0;
}
