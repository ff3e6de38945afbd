// Tests of the one reset: a used session returns to the starting state.
#include <gtest/gtest.h>
#include <cstring>
#include "board/net.h"
#include "board/objects.h"
#include "core/arena.h"
#include "editor/editor_state.h"
#include "editor/journal.h"
#include "editor/state_reset.h"
#include "export/settings.h"
#include "export/writers.h"
#include "graphics/canvas.h"
#include "graphics/palette.h"
#include "shell/dialogs.h"
#include "shell/input.h"
#include "shell/safe_file.h"
#include "support/board_builders.h"

namespace {

// Touches every subsystem the reset owns.
void use_every_subsystem() {
    dense_board();
    journal_snapshot();
    journal_snapshot();
    WireRecord* w = board.wire_list;  // the selected wire lives outside the list
    board.wire_list = w->next;
    select_wire(w, w->x1, w->y1);
    canvas.zoom = 20;
    canvas.pen_mode = PEN_INVERT;
    static const DisplayScheme other = screen_scheme;
    display_scheme = &other;
    input_state.key_code = 'Q';
    input_state.key_available = 1;
    input_state.control = 1;
    input_state.pointer_hide_counter = 3;
    std::strcpy(dialog_state.current_file_name, "/tmp/board.cpx");
    export_settings.export_format = 'G';
    export_settings.export_hscale = 2.0f;
    export_state.last_result = 1;
    safe_file_state.fail_at = 4;
    net_state.any_wire_mode = true;
    editor_state.modified = true;
    editor_state.quit = true;
}

}  // namespace

TEST(StateReset, AUsedSessionStartsOverWithAllItsMemoryGivenBack) {
    reset_everything();
    const int32_t empty_usage = temp_usage();
    for (int round = 0; round < 2; ++round) {
        use_every_subsystem();
        ASSERT_GT(temp_usage(), empty_usage);
        reset_all_state();

        EXPECT_EQ(temp_usage(), empty_usage);
        EXPECT_NE(temp_arena.give_up_oldest_event, nullptr);  // the journal's hooks are back
        EXPECT_EQ(board.wire_list, nullptr);
        EXPECT_EQ(board.component_list, nullptr);
        EXPECT_EQ(board.selected_wire, nullptr);
        EXPECT_EQ(board.plain_wire_type, lookup_plain_wire_type());
        EXPECT_EQ(journal.state, nullptr);
        EXPECT_EQ(journal.current, &journal.base);
        EXPECT_EQ(canvas.zoom, 10);
        EXPECT_EQ(canvas.pen_mode, PEN_PAINT);
        EXPECT_EQ(display_scheme, &screen_scheme);
        EXPECT_EQ(input_state.key_available, 0);
        EXPECT_EQ(input_state.control, 0);
        EXPECT_EQ(input_state.pointer_hide_counter, -1);
        EXPECT_STREQ(dialog_state.current_file_name, "");
        EXPECT_EQ(export_settings.export_format, 'D');
        EXPECT_EQ(export_settings.export_hscale, 1.0f);
        EXPECT_EQ(export_state.last_result, 0);
        EXPECT_EQ(safe_file_state.fail_at, 0);
        EXPECT_FALSE(net_state.any_wire_mode);
        EXPECT_FALSE(editor_state.modified);
        EXPECT_FALSE(editor_state.quit);
    }
}
