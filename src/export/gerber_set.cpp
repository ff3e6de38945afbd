// The set of Gerber layer files written for one export.
#include "board/draw.h"
#include "board/grid.h"
#include "export/writers.h"
#include "graphics/canvas.h"
#include "shell/dialogs.h"
#include "shell/input.h"

namespace {

using LayerBody = void (*)(PrintFile* file, int x0, int y0, int x1, int y1);

struct GerberLayer {
    const char* title;
    const char* extension;
    LayerBody body;
};

// Asks for the layer's file and writes it; a declined file still gets its
// preview. Returns true when the whole file was written.
bool write_layer(const GerberLayer& layer, int x0, int y0, int x1, int y1) {
    PrintFile file;
    bool opened = print_file_open(file, layer.title, layer.extension);
    {
        PointerHidden hidden;
        layer.body(opened ? &file : nullptr, x0, y0, x1, y1);
    }
    return opened && print_file_close(file);
}

void draw_preview_ground(int x0, int y0, int x1, int y1) {
    PointerHidden hidden;
    canvas.pen_mode = PEN_PAINT;
    set_pen_colour(PREVIEW_GROUND_COLOUR);
    fill_rect({0, 0, BOARD_RIGHT, BOARD_BOTTOM});
    redraw_rect({x0, y0, x1, y1});
}

}  // namespace

int write_gerber_set(int x0, int y0, int x1, int y1) {
    static const GerberLayer contour = {"Board contour file", ".ctr", write_gerber_contour};
    static const GerberLayer later_layers[] = {
        {"Solder masks (.smt=.smb)", ".smb", write_gerber_solder_mask},
        {"Silk screen top file", ".sst", write_gerber_silk_screen},
        {"Bottom copper layer file", ".bot", write_gerber_bottom_copper},
        {"Top copper layer file", ".top", write_gerber_top_copper},
        {"Excellon Drill drawing file", ".drd", write_excellon_drill},
    };
    canvas.pen_mode = PEN_PAINT;

    int missing = 0;
    if (!write_layer(contour, x0, y0, x1, y1)) ++missing;
    draw_preview_ground(x0, y0, x1, y1);
    for (const GerberLayer& layer : later_layers) {
        if (!write_layer(layer, x0, y0, x1, y1)) ++missing;
    }

    char answer[DIALOG_TEXT_SIZE];
    while (ask_prompt("Continue or admire the result?", "", answer, sizeof answer) != DIALOG_OK) {
    }
    {
        PointerHidden hidden;
        redraw_rect({0, 0, BOARD_RIGHT, BOARD_BOTTOM});
    }
    return missing == 0 ? 0 : 1;
}
