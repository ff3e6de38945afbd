// Tests of object drawing.
#include <gtest/gtest.h>

#include "board/catalog.h"
#include "board/draw.h"
#include "board/grid.h"
#include "board/objects.h"
#include "graphics/canvas.h"
#include "graphics/font.h"
#include "graphics/palette.h"
#include "support/board_builders.h"

namespace {

class DrawTest : public ::testing::Test {
protected:
    void SetUp() override { reset_everything(); }
    void TearDown() override { board_reset(); }
};

uint16_t all_nibbles(int colour) { return static_cast<uint16_t>(colour * 0x1111); }
const uint16_t OBJECT = all_nibbles(screen_scheme.entry[ROLE_OBJECT]);
const uint16_t BACKGROUND = all_nibbles(screen_scheme.entry[ROLE_BACKGROUND]);

WireRecord* loose_wire(const char* name, int variant, int x1, int y1, int x2, int y2) {
    return create_wire(catalog_lookup(name, variant).entry, x1, y1, x2, y2);
}

// The diode's stored bottom row is wide one unit above it and narrow one
// unit below its bar: which side is wide tells the orientation.
TEST_F(DrawTest, WireSymbolsFaceEndOne) {
    canvas.zoom = 20;
    struct Case {
        int x1, y1, x2, y2;
        int wide_x, wide_y, narrow_x, narrow_y;  // relative to the centre
    } cases[] = {
        {100, 200, 100, 150, -2, 1, -2, -1},  // upwards: code 0
        {100, 150, 100, 200, -2, -1, -2, 1},  // downwards: code 2
        {100, 200, 150, 200, -1, -2, 1, -2},  // left to right: code 1
        {150, 200, 100, 200, 1, -2, -1, -2},  // right to left: code 3
    };
    for (const Case& k : cases) {
        canvas_plain_fill(3);
        WireRecord* w = loose_wire("DIODE", 0, k.x1, k.y1, k.x2, k.y2);
        draw_wire_body(w);
        const int cx = (k.x1 + k.x2) / 2, cy = (k.y1 + k.y2) / 2;
        EXPECT_EQ(read_cell(cx + k.wide_x, cy + k.wide_y), OBJECT) << k.x1 << "," << k.y1;
        EXPECT_EQ(read_cell(cx + k.narrow_x, cy + k.narrow_y), BACKGROUND) << k.x1 << "," << k.y1;
        delete_wire(w);
    }
}

TEST_F(DrawTest, PlainWireIsABareLine) {
    canvas_plain_fill(3);
    WireRecord* plain = loose_wire("WIRE", 0, 100, 100, 100, 160);
    draw_wire_body(plain);
    EXPECT_EQ(read_cell(100, 130), screen_scheme.entry[ROLE_OBJECT]);
    EXPECT_EQ(read_cell(101, 130), all_nibbles(3));
    EXPECT_EQ(read_cell(98, 128), all_nibbles(3));
    // The same line as a resistor gets the background box behind its symbol.
    WireRecord* resistor = loose_wire("RES", 0, 200, 100, 200, 160);
    draw_wire_body(resistor);
    EXPECT_NE(read_cell(198, 128), all_nibbles(3));
    EXPECT_EQ(read_cell(197, 128), all_nibbles(3));
    delete_wire(plain);
    delete_wire(resistor);
}

TEST_F(DrawTest, DilNotchSitsAtTheTopForEvenAndTheBottomForOddVariants) {
    for (int variant : {0, 1}) {
        canvas_plain_fill(3);
        ComponentRecord* c = create_component("DIL8", variant, 100, 100);
        draw_component_body(c);
        // Outline from y 97 to 133; the notch interrupts one edge at x 115.
        const uint16_t top = read_cell(115, 97), bottom = read_cell(115, 133);
        if (variant == 0) {
            EXPECT_EQ(top, all_nibbles(3));
            EXPECT_EQ(bottom, screen_scheme.entry[ROLE_OBJECT]);
            EXPECT_EQ(read_cell(115, 104), screen_scheme.entry[ROLE_OBJECT]);
        } else {
            EXPECT_EQ(top, screen_scheme.entry[ROLE_OBJECT]);
            EXPECT_EQ(bottom, all_nibbles(3));
            EXPECT_EQ(read_cell(115, 126), screen_scheme.entry[ROLE_OBJECT]);
        }
        EXPECT_EQ(read_cell(101, 115), screen_scheme.entry[ROLE_OBJECT]);  // left edge
        EXPECT_EQ(read_cell(129, 115), screen_scheme.entry[ROLE_OBJECT]);  // right edge
        delete_component(c);
    }
}

TEST_F(DrawTest, StripsLieUnderBodiesAndMarksOnTop) {
    add_component("SIL3", 0, 100, 100);   // pins at (100,100), (100,110), (100,120)
    add_wire("RES", 0, 60, 110, 140, 110);  // its symbol covers the strip at x 100
    add_solder_point(200, 110);
    add_solder_point(200, 110);            // strip reaches here, no cut
    redraw_rect({0, 0, BOARD_RIGHT, BOARD_BOTTOM});
    EXPECT_EQ(read_cell(170, 110), screen_scheme.entry[ROLE_STRIP]);
    EXPECT_EQ(read_cell(60, 110), screen_scheme.entry[ROLE_SOLDER]);
    EXPECT_EQ(read_cell(200, 110), screen_scheme.entry[ROLE_BACKGROUND]);  // two leads
    EXPECT_NE(read_cell(98, 110), screen_scheme.entry[ROLE_STRIP]);
    EXPECT_NE(read_cell(102, 110), screen_scheme.entry[ROLE_STRIP]);
    EXPECT_EQ(read_cell(100, 100), screen_scheme.entry[ROLE_SOLDER]);
    add_cut(165, 110);
    EXPECT_NE(read_cell(170, 110), screen_scheme.entry[ROLE_STRIP]);
    EXPECT_EQ(read_cell(165, 110), screen_scheme.entry[ROLE_CUT]);
    remove_solder_point(200, 110);
    remove_solder_point(200, 110);
}

// Redrawing only the marked areas after each edit gives the same picture
// as redrawing the whole board.
TEST_F(DrawTest, MarkedAreasCoverEveryChange) {
    for (int zoom : {10, 20}) {
        reset_everything();
        canvas.zoom = zoom;
        draw_board_frame();
        dense_board();
        WireRecord* w = take_wire_at(10, 10);
        ASSERT_NE(w, nullptr);
        invalidate_wire(w);
        unregister_wire_ends(w);
        invalidate_wire(w);
        move_wire_end(w, w->x2, w->y2, 50, w->y1);
        w->next = board.wire_list;
        board.wire_list = w;
        invalidate_wire(w);
        ComponentRecord* c = take_component_at(370, 10);
        ASSERT_NE(c, nullptr);
        unregister_pins(c);
        invalidate_component(c);
        translate_component(c, 20, 30, true);
        c->entry = variant_entry(c->entry, FIELD_FLIP);
        compute_component_box(c);
        register_pins(c);
        c->next = board.component_list;
        board.component_list = c;
        invalidate_component(c);
        toggle_cell(15, 20);
        toggle_cell(95, 10);
        toggle_cell(20, 15);
        const CanvasSnapshot incremental = take_canvas_snapshot();
        redraw_rect({0, 0, BOARD_RIGHT, BOARD_BOTTOM});
        EXPECT_TRUE(take_canvas_snapshot() == incremental) << "zoom " << zoom;
    }
}

TEST_F(DrawTest, HighlightsDrawnTwiceLeaveNoTrace) {
    for (int zoom : {10, 20}) {
        reset_everything();
        canvas.zoom = zoom;
        dense_board();
        WireRecord* w = add_wire("CAP", 1, 300, 300, 300, 360);
        describe_wire(w, "100N");
        ComponentRecord* text = add_text(500, 390, "OUT");
        ComponentRecord* dil = take_component_at(370, 10);
        ASSERT_NE(dil, nullptr);
        const CanvasSnapshot before = take_canvas_snapshot();
        highlight_wire(w, 300, 300);
        highlight_component(text, 0, 0);
        highlight_component(dil, 370, 10);
        EXPECT_FALSE(take_canvas_snapshot() == before);
        highlight_component(dil, 370, 10);
        highlight_component(text, 0, 0);
        highlight_wire(w, 300, 300);
        EXPECT_TRUE(take_canvas_snapshot() == before) << "zoom " << zoom;
        dil->next = board.component_list;
        board.component_list = dil;
    }
}

TEST_F(DrawTest, SelectThenDeselectRestoresThePicture) {
    draw_board_frame();
    dense_board();
    const CanvasSnapshot before = take_canvas_snapshot();
    WireRecord* w = take_wire_at(10, 10);
    select_wire(w, 10, 10);
    EXPECT_EQ(board.selection_marker_x, 10);
    EXPECT_FALSE(take_canvas_snapshot() == before);
    deselect_all();
    EXPECT_TRUE(take_canvas_snapshot() == before);
    // A selected object is still drawn by a redraw, highlights are not.
    ComponentRecord* c = take_component_at(370, 10);
    select_component(c, 370, 10);
    deselect_and_redraw();
    EXPECT_EQ(board.selected_component, nullptr);
    EXPECT_TRUE(take_canvas_snapshot() == before);
}

TEST_F(DrawTest, RedrawIsClippedToTheBoard) {
    for (int zoom : {10, 20}) {
        reset_everything();
        canvas.zoom = zoom;
        canvas_plain_fill(3);
        // Objects at the very edges, so the cell range is walked to its ends.
        add_wire("RES", 0, 630, 0, 630, 400);
        add_wire("DIODE", 1, 0, 400, 630, 400);
        add_component("SIL3", 0, 0, 0);
        add_cut(625, 400);
        add_bridge(630, 395);
        redraw_rect({700, 500, -50, -50});
        EXPECT_EQ(read_cell(631, 10), all_nibbles(3));
        EXPECT_EQ(read_cell(10, 401), all_nibbles(3));
        EXPECT_EQ(read_cell(631, 401), all_nibbles(3));
        EXPECT_EQ(read_cell(315, 205), BACKGROUND);
        EXPECT_NE(read_cell(630, 400), all_nibbles(3));
        // The clip comes back as it was.
        EXPECT_EQ(canvas.clip_rect.x1, 630);
        EXPECT_EQ(canvas.clip_rect.y1, 400);
        // A rectangle that misses the board draws nothing.
        const CanvasSnapshot before = take_canvas_snapshot();
        redraw_rect({640, 0, 700, 400});
        redraw_rect({-20, -20, -1, -1});
        EXPECT_TRUE(take_canvas_snapshot() == before);
    }
}

TEST_F(DrawTest, RedrawInsideARectangleTouchesNothingOutside) {
    dense_board();
    canvas_plain_fill(3);
    redraw_rect({200, 150, 120, 100});
    for (int y = 0; y <= 400; ++y) {
        for (int x = 0; x <= 630; ++x) {
            const bool inside = x >= 120 && x <= 200 && y >= 100 && y <= 150;
            if (!inside) {
                ASSERT_EQ(read_cell(x, y), all_nibbles(3)) << x << "," << y;
            }
        }
    }
    EXPECT_NE(read_cell(120, 100), all_nibbles(3));
}

TEST_F(DrawTest, DeferredMarkingGrowsTheDirtyRectangle) {
    dense_board();
    const CanvasSnapshot before = take_canvas_snapshot();
    canvas_plain_fill(3);
    const CanvasSnapshot blank = take_canvas_snapshot();
    redraw_state.redraw_deferred = true;
    reset_dirty_rect();
    invalidate_rect({200, 150, 120, 100});
    invalidate_rect({300, 50, 310, 60});
    invalidate_bridge(20, 5);
    EXPECT_TRUE(take_canvas_snapshot() == blank);
    EXPECT_EQ(redraw_state.dirty.x0, 19);
    EXPECT_EQ(redraw_state.dirty.y0, 0);
    EXPECT_EQ(redraw_state.dirty.x1, 310);
    EXPECT_EQ(redraw_state.dirty.y1, 150);
    redraw_state.redraw_deferred = false;
    redraw_dirty_rect();
    EXPECT_EQ(read_cell(315, 200), all_nibbles(3));
    EXPECT_EQ(read_cell(150, 120), before.cells[120 * CANVAS_WIDTH + 150]);
    // Nothing marked: nothing redrawn (the empty value is not a rectangle).
    const CanvasSnapshot after = take_canvas_snapshot();
    redraw_dirty_rect();
    EXPECT_TRUE(take_canvas_snapshot() == after);
}

}  // namespace

namespace {

// At the doubled zoom the lettering reaches one row below the base line.
TEST_F(DrawTest, DescenderRowBelongsToTheDescription) {
    reset_everything();
    canvas.zoom = 20;
    bool has_descender = false;
    for (int i = 0; i < 8; ++i)
        for (int j = 14; j < 16; ++j) has_descender = has_descender || large_glyph_pixel('g', i, j);
    ASSERT_TRUE(has_descender) << "the test needs a large 'g' with a descender";

    draw_board_frame();
    const CanvasSnapshot empty_board = take_canvas_snapshot();
    // The description moved well away from its wire, as ctrl-N/P/F/B can.
    WireRecord* w = loose_wire("RES", 0, 100, 100, 200, 100);
    set_description(w->desc, "gggg");
    w->desc.x = 300;
    w->desc.y = 200;
    w->next = board.wire_list;
    board.wire_list = w;
    invalidate_wire(w);
    // The object's own area includes the descenders...
    const CanvasSnapshot described = take_canvas_snapshot();
    redraw_rect({0, 0, BOARD_RIGHT, BOARD_BOTTOM});
    EXPECT_TRUE(take_canvas_snapshot() == described);
    // ...and a redraw of the descender row alone keeps the text whole.
    redraw_rect({w->desc.x, w->desc.y + 1, w->desc.x + w->desc.width, w->desc.y + 1});
    EXPECT_TRUE(take_canvas_snapshot() == described);
    // Removing the wire removes every row of its lettering.
    ASSERT_EQ(take_wire_at(100, 100), w);
    unregister_wire_ends(w);
    invalidate_wire(w);
    delete_wire(w);
    EXPECT_TRUE(take_canvas_snapshot() == empty_board);
}

}  // namespace
