#pragma once
// The frame every print writer runs in: the outline inverted away, the
// scales clamped, the file asked for, written and checked, the outline back.
#include "export/settings.h"
#include "export/writers.h"

using PrintBody = void (*)(PrintFile& file, const Rect& area);

// Clamps the scales, asks for the file, has body write it and writes it
// out; 0 when the whole file was written, 1 after a box says why not.
int run_print_writer(const Rect& area, const char* extension, PrintBody body);

// One model unit is 0.72 points, so the 0.1 inch pitch prints at its size;
// the top edge of an unscaled image lies at 692 points, its left edge at 100.
constexpr double POINTS_PER_UNIT = 0.72;
constexpr double IMAGE_TOP = 692.0;

// The sixteen screen colours as an indexed colour space, written the same
// by the PDF and the PostScript level 2 writer.
inline constexpr const char* INDEXED_PALETTE =
    "[ /Indexed /DeviceRGB 15\n"
    " <000000 0000FF 00FF00 007F7F FF0000 7F007F 7F7F00 A6A6A6\n"
    "  535353 7F7FFF 7FFF7F 00FFFF FF7F7F FF7FFF FFFF00 FFFFFF >\n"
    "]";

// Where an image of width x rows canvas pixels lands, in points: its size
// under the export scales and the bottom edge of the unscaled image.
struct PagePlacement {
    double width;
    double height;
    double bottom;
};

inline PagePlacement page_placement(int width, int rows) {
    return {width * POINTS_PER_UNIT * export_settings.export_hscale,
            rows * POINTS_PER_UNIT * export_settings.export_vscale, IMAGE_TOP - rows * POINTS_PER_UNIT};
}
