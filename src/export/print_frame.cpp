// The inverted frame drawn around the area being printed.
#include "export/writers.h"
#include "graphics/canvas.h"
#include "shell/input.h"

void draw_print_frame(int x0, int y0, int x1, int y1) {
    PointerHidden hidden;
    canvas.pen_mode = PEN_INVERT;
    frame_rect({x0, y0, x1, y1});
    canvas.pen_mode = PEN_PAINT;
}
