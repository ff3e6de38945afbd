// One pass of the editor's main loop as a user feels it during a wire drag,
// against the plain fill, on boards of 500, 2,000 and 8,000 objects. The
// pass: the checkpoint of what the previous pass changed, one drag step
// (the rubber line moved by one hole), the partial redraw of the moved
// wire end, and the present of the changed rectangle into a buffer the
// size of the framebuffer. Goals: at most one plain fill at 2,000 objects,
// and 8,000 over 2,000 at most 4.4. The wire dragged has objects all
// around it at every size, as the larger boards have more of them
// stacked: the newest wire of all lies on the edge of the filled rows on
// some boards and amid them on others, and a pass redraws what lies near.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "bench_common.h"
#include "board/draw.h"
#include "board/grid.h"
#include "board/objects.h"
#include "editor/editor_state.h"
#include "editor/journal.h"
#include "graphics/canvas.h"
#include "shell/headless/headless.h"
#include "support/board_builders.h"

namespace {

// Components and wires spread over the holes, with some descriptions; the
// larger boards stack objects over the same holes.
void build_board(int objects) {
    reset_for_benchmark();
    headless_state.messages_to_stderr = false;
    const int res = catalog_lookup("RES", -1).entry;
    for (int i = 0; i < objects; ++i) {
        const int x = 10 * (i % 61) + 10, y = 10 * ((i / 61) % 36) + 10;
        if (i % 2) {
            WireRecord* w = create_wire(i % 4 == 1 ? res : board.plain_wire_type, x, y, x, y + 20);
            w->next = board.wire_list;
            board.wire_list = w;
        } else {
            ComponentRecord* c = create_component(i % 4 ? "SIL2" : "NPN", 0, x, y);
            register_pins(c);
            if (i % 8 == 0) set_description(c->desc, ("Q" + std::to_string(i)).c_str());
            c->next = board.component_list;
            board.component_list = c;
        }
    }
    canvas.zoom = 10;
    redraw_rect({0, 0, BOARD_RIGHT, BOARD_BOTTOM});
    journal_snapshot();
    take_changed_rect();
}

// The newest plain wire nearest the middle of the middle row the objects fill.
WireRecord* middle_wire(int objects) {
    const int rows = std::min(36, (objects + 60) / 61);
    const int y = 10 * (rows / 2) + 10;
    WireRecord* best = board.wire_list;
    int best_distance = INT_MAX;
    for (WireRecord* w = board.wire_list; w != nullptr; w = w->next) {
        if (w->entry != board.plain_wire_type || w->y1 != y) continue;
        const int distance = std::abs(w->x1 - 310);
        if (distance < best_distance) {
            best = w;
            best_distance = distance;
        }
    }
    return best;
}

std::vector<uint8_t> window(sizeof canvas.framebuffer);

// What a backend does with the changed rectangle: copy its rows out.
void present_changed_rect() {
    const Rect r = take_changed_rect();
    if (r.empty()) return;
    const size_t row_bytes = static_cast<size_t>(r.x1 - r.x0 + 1) * 3;
    for (int py = r.y0; py <= r.y1; ++py) {
        const size_t at = (static_cast<size_t>(py) * FRAMEBUFFER_WIDTH + r.x0) * 3;
        std::memcpy(&window[at], canvas.framebuffer[py][r.x0], row_bytes);
    }
    benchmark::DoNotOptimize(window.data());
}

void invert_line(int x0, int y0, int x1, int y1) {
    canvas.pen_mode = PEN_INVERT;
    draw_line(x0, y0, x1, y1);
    canvas.pen_mode = PEN_PAINT;
}

// One pass: the wire's far end goes one hole down or back up each time.
struct DragPass {
    WireRecord* wire;
    void operator()() const {
        WireRecord* w = wire;
        journal_checkpoint();
        const int from = w->y2, to = w->y2 % 20 == 0 ? w->y2 + 10 : w->y2 - 10;
        invert_line(w->x1, w->y1, w->x2, from);  // the rubber line moves
        invert_line(w->x1, w->y1, w->x2, to);
        invert_line(w->x1, w->y1, w->x2, to);    // and is taken away on release
        unregister_wire_ends(w);
        invalidate_wire(w);
        w->y2 = to;
        register_wire_ends(w);
        invalidate_wire(w);
        editor_state.modified = true;
        present_changed_rect();
    }
};

void BM_EditorPass(benchmark::State& state) {
    const int objects = static_cast<int>(state.range(0));
    build_board(objects);
    const DragPass pass{middle_wire(objects)};
    warm_up(pass);
    journal_collect();
    for (auto _ : state) pass();
    journal_reset();
    board_reset();
}

BENCHMARK(BM_PlainFill)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EditorPass)->Arg(500)->Arg(2000)->Arg(8000)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    MedianReporter reporter;
    if (!run_benchmarks(argc, argv, reporter)) return 1;
    reporter.print_ratio("editor pass at 500 objects / plain fill:", "BM_EditorPass/500", "BM_PlainFill", "");
    reporter.print_ratio("editor pass at 2,000 objects / plain fill:", "BM_EditorPass/2000", "BM_PlainFill",
                         "(goal: at most 1)");
    reporter.print_ratio("editor pass at 8,000 objects / plain fill:", "BM_EditorPass/8000", "BM_PlainFill", "");
    reporter.print_ratio("editor pass, 8,000 over 2,000 objects:", "BM_EditorPass/8000", "BM_EditorPass/2000",
                         "(goal: at most 4.4)");
    return 0;
}
