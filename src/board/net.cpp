// Net exposure: every hole reached from a start hole through strips,
// bridges and chosen wires gets its 10 x 10 square inverted, so a net
// shows as the outline around the union of its squares.
//
// The flood keeps its own stack: a net can reach every hole of the board,
// far deeper than a call stack should go. Holes are visited in exactly
// the order of the plain recursive flood (left, up, right, down, wires).
#include "board/net.h"

#include <vector>

#include "board/grid.h"
#include "board/objects.h"
#include "graphics/canvas.h"

NetExposureState net_state;

namespace {

enum FloodStage { STAGE_ENTER, STAGE_LEFT, STAGE_UP, STAGE_RIGHT, STAGE_DOWN, STAGE_WIRES };

struct FloodFrame {
    int column, row;
    FloodStage stage;
    const WireRecord* next_wire;  // where the wire walk goes on
};

bool wire_conducts(const WireRecord* w) {
    return net_state.any_wire_mode || w->entry == board.plain_wire_type;
}

// Visits the hole: false when it lies outside the grid or was seen.
bool enter_hole(int c, int r) {
    if (c < 0 || c >= GRID_COLUMNS || r < 0 || r >= GRID_ROWS) return false;
    if (scratch_get(r, c) != 0) return false;
    frame_rect({5 * (c - 1), 5 * (r - 1), 5 * (c + 1), 5 * (r + 1)});
    scratch_set(r, c, 1);
    return true;
}

void run_flood(int start_column, int start_row) {
    std::vector<FloodFrame> stack;
    stack.push_back({start_column, start_row, STAGE_ENTER, nullptr});
    while (!stack.empty()) {
        FloodFrame& f = stack.back();
        int c = f.column, r = f.row;
        switch (f.stage) {
        case STAGE_ENTER:
            if (!enter_hole(c, r)) {
                stack.pop_back();
                break;
            }
            f.stage = STAGE_LEFT;
            break;
        case STAGE_LEFT:
            f.stage = STAGE_UP;
            if (c > 1 && cell_get(r, c - 1) == 0) stack.push_back({c - 2, r, STAGE_ENTER, nullptr});
            break;
        case STAGE_UP:
            f.stage = STAGE_RIGHT;
            if (r > 1 && cell_get(r - 1, c) != 0) stack.push_back({c, r - 2, STAGE_ENTER, nullptr});
            break;
        case STAGE_RIGHT:
            f.stage = STAGE_DOWN;
            if (c < 125 && cell_get(r, c + 1) == 0) stack.push_back({c + 2, r, STAGE_ENTER, nullptr});
            break;
        case STAGE_DOWN:
            f.stage = STAGE_WIRES;
            f.next_wire = board.wire_list;
            if (r < 79 && cell_get(r + 1, c) != 0) stack.push_back({c, r + 2, STAGE_ENTER, nullptr});
            break;
        case STAGE_WIRES: {
            const WireRecord* w = f.next_wire;
            while (w != nullptr && !(wire_conducts(w) &&
                                     ((w->x1 / 5 == c && w->y1 / 5 == r) || (w->x2 / 5 == c && w->y2 / 5 == r))))
                w = w->next;
            if (w == nullptr) {
                stack.pop_back();
                break;
            }
            f.next_wire = w->next;
            // `f` may dangle once the stack grows, so it is not used below.
            if (w->x1 / 5 == c && w->y1 / 5 == r)
                stack.push_back({w->x2 / 5, w->y2 / 5, STAGE_ENTER, nullptr});
            else
                stack.push_back({w->x1 / 5, w->y1 / 5, STAGE_ENTER, nullptr});
            break;
        }
        }
    }
}

}  // namespace

void flood_net(int column, int row) { run_flood(column, row); }

void expose_net(int column, int row, bool any_wire) {
    int saved_mode = canvas.pen_mode;
    net_state.any_wire_mode = any_wire;
    canvas.pen_mode = PEN_INVERT;
    for (int r = 0; r < GRID_ROWS; ++r)
        for (int c = 0; c < GRID_COLUMNS; ++c) scratch_set(r, c, 0);
    flood_net(column, row);
    canvas.pen_mode = saved_mode;
}
