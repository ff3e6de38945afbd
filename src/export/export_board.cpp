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

static int run_export(int x0, int y0, int x1, int y1);

int export_board(int x0, int y0, int x1, int y1) {
    export_state.last_result = run_export(x0, y0, x1, y1);
    return export_state.last_result;
}

int export_region(int x0, int y0, int x1, int y1) {
    export_state.region_print = true;
    const int result = export_board(x0, y0, x1, y1);
    export_state.region_print = false;
    return result;
}

static int run_export(int x0, int y0, int x1, int y1) {
    order_pair(x0, x1);
    order_pair(y0, y1);
    // Nothing of the board lies outside it, and inside it every number of
    // the files keeps its nominal width.
    x0 = std::clamp(x0, 0, BOARD_RIGHT);
    x1 = std::clamp(x1, 0, BOARD_RIGHT);
    y0 = std::clamp(y0, 0, BOARD_BOTTOM);
    y1 = std::clamp(y1, 0, BOARD_BOTTOM);

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
    case 'D': result = write_pdf(x0, y0, x1, y1); break;
    case 'P': result = write_ps_level1(x0, y0, x1, y1); break;
    case 'Q': result = write_ps_level2(x0, y0, x1, y1); break;
    case 'G': result = write_gerber_set(x0, y0, x1, y1); break;
    default: break;
    }

    if (switched) {
        canvas.zoom = former_zoom;
        deselect_and_redraw();
    }
    return result;
}
