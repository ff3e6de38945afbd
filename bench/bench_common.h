#pragma once
// What every benchmark program shares: a warm-up before each timed loop,
// repetitions by default, and the medians that the printed ratios use.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "board/integrity.h"
#include "graphics/canvas.h"
#include "support/board_builders.h"

// Every subsystem reset as the tests reset it, but with the board check
// that tests make after each load, undo and redo turned off again, as the
// program has it: the check walks the whole board and is not what a user
// waits for.
inline void reset_for_benchmark() {
    reset_everything();
    integrity_state.enabled = false;
}

// Runs the body at least `times` times and for at least `milliseconds`,
// so that caches, page tables and branch predictors are warm before the
// timed loop starts, whichever case ran before.
template <typename Body>
void warm_up(Body&& body, int times = 3, double milliseconds = 30) {
    const auto start = std::chrono::steady_clock::now();
    for (int done = 0;; ++done) {
        const std::chrono::duration<double, std::milli> spent = std::chrono::steady_clock::now() - start;
        if (done >= times && spent.count() >= milliseconds) break;
        body();
    }
}

struct MedianTimes {
    double real_ns = 0;
    double cpu_ns = 0;
};

// Keeps, per case, the median of its repetitions (or its one run when it
// is not repeated), in nanoseconds per iteration.
class MedianReporter : public benchmark::ConsoleReporter {
public:
    std::map<std::string, MedianTimes> medians;

    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.error_occurred) continue;
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            const bool single = run.run_type == Run::RT_Iteration && run.repetitions <= 1;
            if (!median && !single) continue;
            const double scale = unit_ns(run.time_unit);
            medians[run.run_name.str()] = {run.GetAdjustedRealTime() * scale, run.GetAdjustedCPUTime() * scale};
        }
        ConsoleReporter::ReportRuns(runs);
    }

    // CPU time of one case over another's; 0 when either is missing.
    double cpu_ratio(const std::string& name, const std::string& yardstick) const {
        auto a = medians.find(name), b = medians.find(yardstick);
        if (a == medians.end() || b == medians.end() || b->second.cpu_ns <= 0) return 0;
        return a->second.cpu_ns / b->second.cpu_ns;
    }
    double real_ratio(const std::string& name, const std::string& yardstick) const {
        auto a = medians.find(name), b = medians.find(yardstick);
        if (a == medians.end() || b == medians.end() || b->second.real_ns <= 0) return 0;
        return a->second.real_ns / b->second.real_ns;
    }

    // One line of the closing table: both ratios and the goal.
    void print_ratio(const char* label, const std::string& name, const std::string& yardstick,
                     const char* goal) const {
        std::printf("%-58s cpu %6.2f  real %6.2f  %s\n", label, cpu_ratio(name, yardstick),
                    real_ratio(name, yardstick), goal);
    }

private:
    static double unit_ns(benchmark::TimeUnit unit) {
        switch (unit) {
            case benchmark::kSecond: return 1e9;
            case benchmark::kMillisecond: return 1e6;
            case benchmark::kMicrosecond: return 1e3;
            default: return 1;
        }
    }
};

// Initialises the library with three repetitions and only their summary
// shown, unless the command line says otherwise; then runs every case.
// Returns false on an unrecognised argument.
// The floor of every repaint: the whole canvas and framebuffer filled once.
inline void BM_PlainFill(benchmark::State& state) {
    canvas_reset();
    int colour = 0;
    auto fill = [&] {
        canvas_plain_fill(colour);
        colour = (colour + 1) & 15;
        benchmark::ClobberMemory();
    };
    warm_up(fill);
    for (auto _ : state) fill();
}

inline bool run_benchmarks(int argc, char** argv, MedianReporter& reporter) {
    std::vector<char*> args(argv, argv + argc);
    auto given = [&](const char* flag) {
        for (int i = 1; i < argc; ++i)
            if (std::strncmp(argv[i], flag, std::strlen(flag)) == 0) return true;
        return false;
    };
    static char repetitions[] = "--benchmark_repetitions=3";
    static char aggregates[] = "--benchmark_display_aggregates_only=true";
    if (!given("--benchmark_repetitions")) args.push_back(repetitions);
    if (!given("--benchmark_display_aggregates_only") && !given("--benchmark_report_aggregates_only"))
        args.push_back(aggregates);
    int count = static_cast<int>(args.size());
    args.push_back(nullptr);
    benchmark::Initialize(&count, args.data());
    if (benchmark::ReportUnrecognizedArguments(count, args.data())) return false;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return true;
}
