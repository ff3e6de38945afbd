// The set of Gerber layer files written for one export.
#include "board/draw.h"
#include "board/grid.h"
#include "export/writers.h"
#include "graphics/canvas.h"
#include "shell/dialogs.h"
#include "shell/input.h"

namespace {

using LayerBody = void (*)(PrintFile* file, const Rect& area);

struct GerberLayer {
    const char* title;
    const char* extension;
    LayerBody body;
};

// Asks for the layer's file and writes it; a declined file still gets its
// preview. Returns true when the whole file was written.
bool write_layer(const GerberLayer& layer, const Rect& area) {
    PrintFile file;
    bool opened = print_file_open(file, layer.title, layer.extension);
    {
        PointerHidden hidden;
        layer.body(opened ? &file : nullptr, area);
    }
    return opened && print_file_close(file);
}

void draw_preview_ground(const Rect& area) {
    PointerHidden hidden;
    canvas.pen_mode = PEN_PAINT;
    set_pen_colour(PREVIEW_GROUND_COLOUR);
    fill_rect({0, 0, BOARD_RIGHT, BOARD_BOTTOM});
    redraw_rect(area);
}

}  // namespace

int write_gerber_set(const Rect& area) {
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
    if (!write_layer(contour, area)) ++missing;
    draw_preview_ground(area);
    for (const GerberLayer& layer : later_layers) {
        if (!write_layer(layer, area)) ++missing;
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
