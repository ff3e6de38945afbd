// The one reset of every subsystem's state.
#include "editor/state_reset.h"
#include "board/draw.h"
#include "board/integrity.h"
#include "board/net.h"
#include "board/objects.h"
#include "board/record_pool.h"
#include "core/arena.h"
#include "editor/editor_state.h"
#include "editor/journal.h"
#include "export/settings.h"
#include "export/writers.h"
#include "graphics/canvas.h"
#include "graphics/font.h"
#include "graphics/palette.h"
#include "shell/dialogs.h"
#include "shell/input.h"
#include "shell/safe_file.h"

void reset_all_state() {
    integrity_state_reset();  // before the journal hands it its byte count
    journal_reset();
    board_reset();
    release_spare_chunks();  // the emptied board's blocks back to the heap: each run starts from none
    temp_arena_reset();
    // The fresh arena has no give-up hooks; the now empty journal installs them.
    journal_reset();
    canvas_reset();
    font_reset();
    display_scheme = &screen_scheme;
    redraw_state_reset();
    net_state = NetExposureState{};
    input_reset();
    dialog_state_reset();
    export_settings_reset();
    export_state_reset();
    safe_file_state_reset();
    editor_state_reset();
}
