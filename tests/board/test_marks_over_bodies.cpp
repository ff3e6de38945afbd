// Tests that cuts and bridges stay visible over newly drawn bodies.
#include <gtest/gtest.h>

#include "board/draw.h"
#include "board/grid.h"
#include "board/objects.h"
#include "graphics/canvas.h"
#include "support/board_builders.h"

// An object drawn on its own must look as the layered redraw shows it:
// cuts and bridges stay on top of the body that crosses them.
TEST(MarksOverBodies, ANewObjectLeavesTheCutsAndBridgesUnderItVisible) {
    for (int zoom : {10, 20}) {
        reset_everything();
        canvas.zoom = zoom;
        for (int x = 95; x <= 205; x += 10) cell_set(20, x / 5, 1);  // cuts along row y = 100
        cell_set(41, 60, 1);                                          // a bridge under the resistor
        cell_set(20, 29, 1);                                          // a cut under the DIL
        redraw_rect({0, 0, 630, 400});

        int res = catalog_lookup("RES", -1).entry;
        WireRecord* plain = create_wire(board.plain_wire_type, 90, 100, 210, 100);
        WireRecord* resistor = create_wire(res, 300, 160, 300, 260);
        for (WireRecord* w : {plain, resistor}) {
            w->next = board.wire_list;
            board.wire_list = w;
            draw_wire(w);
        }
        ComponentRecord* dil = create_component("DIL8", 0, 130, 90);
        register_pins(dil);
        dil->next = board.component_list;
        board.component_list = dil;
        draw_component(dil);
        CanvasSnapshot incremental = take_canvas_snapshot();

        redraw_rect({0, 0, 630, 400});
        EXPECT_TRUE(take_canvas_snapshot() == incremental) << "zoom " << zoom;
        board_reset();
    }
}
