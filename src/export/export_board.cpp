// The export command: dialog, format choice and the writer it runs.
#include <algorithm>
#include <cctype>

#include "board/draw.h"
#include "board/grid.h"
#include "export/export.h"
#include "export/settings.h"
#include "export/writers.h"
#include "graphics/canvas.h"
#include "graphics/geometry.h"
#include "shell/dialogs.h"

static int run_export(const Rect& area);

int export_board(const Rect& area) {
    export_state.last_result = run_export(area);
    return export_state.last_result;
}

int export_region(const Rect& area) {
    export_state.region_print = true;
    const int result = export_board(area);
    export_state.region_print = false;
    return result;
}

static int run_export(const Rect& requested) {
    // Nothing of the board lies outside it, and inside it every number of
    // the files keeps its nominal width.
    const Rect o = ordered(requested);
    const Rect area{std::clamp(o.x0, 0, BOARD_RIGHT), std::clamp(o.y0, 0, BOARD_BOTTOM),
                    std::clamp(o.x1, 0, BOARD_RIGHT), std::clamp(o.y1, 0, BOARD_BOTTOM)};

    if (export_dialog()) return 1;

    // The writers read four sub-pixels per point, which only zoom 20 draws.
    const int former_zoom = canvas.zoom;
    const bool switched = former_zoom != 20;
    if (switched) {
        canvas.zoom = 20;
        deselect_and_redraw();
    }

    int result = 1;
    switch (std::toupper(static_cast<unsigned char>(export_settings.export_format))) {
    case 'D': result = write_pdf(area); break;
    case 'P': result = write_ps_level1(area); break;
    case 'Q': result = write_ps_level2(area); break;
    case 'G': result = write_gerber_set(area); break;
    default: break;
    }

    if (switched) {
        canvas.zoom = former_zoom;
        clear_framebuffer_outside({0, 0, BOARD_RIGHT, BOARD_BOTTOM});
        deselect_and_redraw();
    }
    return result;
}
