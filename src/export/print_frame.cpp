// The inverted frame drawn around the area being printed.
#include "export/writers.h"
#include "graphics/canvas.h"
#include "shell/input.h"

void draw_print_frame(const Rect& area) {
    PointerHidden hidden;
    canvas.pen_mode = PEN_INVERT;
    frame_rect(area);
    canvas.pen_mode = PEN_PAINT;
}
