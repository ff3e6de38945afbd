#pragma once
// The canvas: 640 x 480 cells of four colour nibbles (read back by the
// exporters) and the 1279 x 856 RGB framebuffer that a backend shows.
#include <cstdint>
#include "graphics/geometry.h"
#include "graphics/shape.h"

constexpr int CANVAS_WIDTH = 640;
constexpr int CANVAS_HEIGHT = 480;
constexpr int FRAMEBUFFER_WIDTH = 1279;
constexpr int FRAMEBUFFER_HEIGHT = 856;

enum PenMode { PEN_INVERT = 0, PEN_PAINT = 1 };

struct Canvas {
    uint16_t cells[CANVAS_HEIGHT][CANVAS_WIDTH];
    uint8_t framebuffer[FRAMEBUFFER_HEIGHT][FRAMEBUFFER_WIDTH][3];
    int zoom;             // 10 or 20 screen pixels per hole pitch
    Rect clip_rect;       // model units; starts (0, 0, 630, 400)
    int pen;              // bits 3..0 colour, bits 7..4 skip mask (7 TL, 6 TR, 5 BL, 4 BR)
    int pen_mode;         // PEN_PAINT or PEN_INVERT
    Rect changed;         // framebuffer pixels changed since the backend last presented them
};

extern Canvas canvas;

// All cells 0, framebuffer black, zoom 10, starting clip, pen 0, paint.
void canvas_reset();

inline void set_pen_colour(int colour) { canvas.pen = (canvas.pen & 0xF0) | (colour & 15); }
inline void set_skip_mask(int mask) { canvas.pen = (canvas.pen & 0x0F) | ((mask & 15) << 4); }
inline void clear_skip_mask() { canvas.pen &= 0x0F; }
inline int pen_colour() { return canvas.pen & 15; }

// The drawing primitives work in cell (model) units, inclusive corners in
// any order, and draw only inside the clip rectangle and the canvas. A
// point is one cell at zoom 10 and its four sub-points at zoom 20, where
// the pen's skip mask leaves the masked ones alone. Painting sets the pen
// colour; inverting turns each drawn colour c into 15 - c, so doing it
// twice restores the picture.
void plot_point(int x, int y);
// The cell's four nibbles (TL TR BL BR, top first); 0 outside the canvas.
uint16_t read_cell(int x, int y);
// Bresenham between the ends, both drawn; straight lines take a fast path.
void draw_line(int x0, int y0, int x1, int y1);
// Every point of the rectangle (corners in any order), each once, as
// plot_point draws it.
void plot_rect(Rect r);
// Paints every nibble of the rectangle's cells in the pen colour (no skip
// mask, no inversion).
void fill_rect(Rect r);
// The outline, each point drawn once (so an inverted frame undoes itself).
void frame_rect(Rect r);
// The picture's ink points with its hot spot at (x, y), in one of the
// ORIENT_ orientations (any other draws nothing).
void draw_shape(int x, int y, const ShapeBitmap& shape, int orientation);

// One point of a picture taken apart: its place from the hot spot and
// the sub-points it leaves alone, as a skip mask (8 TL .. 1 BR).
struct PointMark {
    int16_t dx, dy;
    uint8_t skip;
};
// Plots each mark at (x + dx, y + dy) as plot_point does with the mark's
// skip mask; the pen's own skip mask is neither used nor changed.
void plot_marks(int x, int y, const PointMark* marks, int count);

// Fills cells and the framebuffer with one colour, ignoring the clip: the
// yardstick the redraw benchmark compares against.
void canvas_plain_fill(int colour);

// Blanks every framebuffer pixel that does not show one of `cells` at the
// current zoom (as the start does) and adds them to the changed rectangle:
// after a zoom change the picture is smaller, and what the larger one left
// around it must go.
void clear_framebuffer_outside(const Rect& cells);

// The changed-rectangle record: backends take it and present that part;
// taking it leaves it empty.
Rect take_changed_rect();
// Adds framebuffer pixels (corners in any order, clipped to the
// framebuffer) to the changed rectangle, for pixels written directly.
void damage_canvas(Rect pixels);
