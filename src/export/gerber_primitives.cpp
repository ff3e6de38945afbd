// Gerber pads and tracks: drawn on the preview and written to the layer file.
#include "export/writers.h"
#include "graphics/canvas.h"
#include "graphics/palette.h"

void gerber_pad(PrintFile* file, int x, int y, GerberOffsets offsets, bool drill) {
    canvas.pen_mode = PEN_PAINT;
    set_pen_colour(PREVIEW_COPPER_COLOUR);
    for (int dy = -2; dy <= 2; ++dy) draw_line(x - 2, y + dy, x + 2, y + dy);
    // The centre point shows where the drill goes.
    set_pen_colour(scheme_colour(ROLE_DARK));
    plot_point(x, y);
    if (file == nullptr) return;
    if (drill) {
        print_format(*file, "X%dY%d\n", x - offsets.x0, offsets.y1 - y);
    } else {
        print_format(*file, "X%dY%dD03*\n", x - offsets.x0, offsets.y1 - y);
    }
}

void gerber_track(PrintFile* file, int xa, int ya, int xb, int yb, GerberOffsets offsets) {
    canvas.pen_mode = PEN_PAINT;
    set_pen_colour(PREVIEW_COPPER_COLOUR);
    if (ya == yb && xa != xb) {
        for (int d = -1; d <= 1; ++d) draw_line(xa, ya + d, xb, yb + d);
    } else if (xa == xb && ya != yb) {
        for (int d = -1; d <= 1; ++d) draw_line(xa + d, ya, xb + d, yb);
    }
    if (file == nullptr) return;
    print_format(*file, "X%dY%dD02*\nX%dY%dD01*\n", xa - offsets.x0, offsets.y1 - ya,
                 xb - offsets.x0, offsets.y1 - yb);
}
