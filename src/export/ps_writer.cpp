// The PostScript level 1 and level 2 writers.
#include "export/print_writer.h"
#include "export/settings.h"
#include "export/writers.h"

// One model unit is 0.72 points, so the 0.1 inch pitch prints at its size;
// the top edge of an unscaled image lies at 692 points.
static constexpr double POINTS_PER_UNIT = 0.72;
static constexpr double IMAGE_TOP = 692.0;
// Without it a printer or viewer finishes the job with no page.
static constexpr const char* SHOW_PAGE = "\nshowpage\n";

void write_ps_level1_body(PrintFile& file, int x0, int y0, int x1, int y1) {
    const int width = image_width(x0, x1);
    const int rows = image_rows(y0, y1);
    print_format(file, "%%!PS-Adobe-3.0\n{100 %f translate %f %f scale\n",
                 IMAGE_TOP - rows * POINTS_PER_UNIT,
                 width * POINTS_PER_UNIT * export_settings.export_hscale,
                 rows * POINTS_PER_UNIT * export_settings.export_vscale);
    print_format(file, " %d %d 1 [%d 0 0 %d 0 %d] currentfile image} exec\n", 2 * width, 2 * rows,
                 2 * width, -2 * rows, 2 * rows);
    emit_mono_image(x0, y0, x1, width, rows, file);
    print_text(file, SHOW_PAGE);
}

void write_ps_level2_body(PrintFile& file, int x0, int y0, int x1, int y1) {
    const int width = image_width(x0, x1);
    const int rows = image_rows(y0, y1);
    print_format(file,
                 "%%!PS-Adobe-3.0\n%%%%LanguageLevel: 2\n[ /Indexed /DeviceRGB 15\n"
                 " <000000 0000FF 00FF00 007F7F FF0000 7F007F 7F7F00 A6A6A6\n"
                 "  535353 7F7FFF 7FFF7F 00FFFF FF7F7F FF7FFF FFFF00 FFFFFF >\n"
                 "] setcolorspace\n100 %3.0f translate\n%6.1f %6.1f scale\n<<\n/ImageType 1\n",
                 IMAGE_TOP - rows * POINTS_PER_UNIT,
                 width * POINTS_PER_UNIT * export_settings.export_hscale,
                 rows * POINTS_PER_UNIT * export_settings.export_vscale);
    print_format(file, "/Width %d\n/Height %d\n/BitsPerComponent 4\n", 2 * width, 2 * rows);
    print_format(file, "/Decode [0 15]\n/ImageMatrix [%d 0 0 %d 0 %d]\n", 2 * width, -2 * rows,
                 2 * rows);
    print_text(file, "/DataSource currentfile\n/RunLengthDecode filter\n>>\nimage\n");
    emit_colour_image(x0, y0, x1, width, rows, &file);
    print_text(file, SHOW_PAGE);
}

int write_ps_level1(int x0, int y0, int x1, int y1) {
    return run_print_writer(x0, y0, x1, y1, ".ps", write_ps_level1_body);
}

int write_ps_level2(int x0, int y0, int x1, int y1) {
    return run_print_writer(x0, y0, x1, y1, ".ps", write_ps_level2_body);
}
