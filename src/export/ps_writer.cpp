// The PostScript level 1 and level 2 writers.
#include "export/print_writer.h"
#include "export/settings.h"
#include "export/writers.h"

// Without it a printer or viewer finishes the job with no page.
static constexpr const char* SHOW_PAGE = "\nshowpage\n";

void write_ps_level1_body(PrintFile& file, const Rect& area) {
    const auto [x0, y0, x1, y1] = area;
    const int width = image_width(x0, x1);
    const int rows = image_rows(y0, y1);
    const PagePlacement page = page_placement(width, rows);
    print_format(file, "%%!PS-Adobe-3.0\n{100 %f translate %f %f scale\n", page.bottom, page.width,
                 page.height);
    print_format(file, " %d %d 1 [%d 0 0 %d 0 %d] currentfile image} exec\n", 2 * width, 2 * rows,
                 2 * width, -2 * rows, 2 * rows);
    emit_mono_image(area, file);
    print_text(file, SHOW_PAGE);
}

void write_ps_level2_body(PrintFile& file, const Rect& area) {
    const auto [x0, y0, x1, y1] = area;
    const int width = image_width(x0, x1);
    const int rows = image_rows(y0, y1);
    const PagePlacement page = page_placement(width, rows);
    print_text(file, "%!PS-Adobe-3.0\n%%LanguageLevel: 2\n");
    print_text(file, INDEXED_PALETTE);
    print_format(file, " setcolorspace\n100 %3.0f translate\n%6.1f %6.1f scale\n<<\n/ImageType 1\n",
                 page.bottom, page.width, page.height);
    print_format(file, "/Width %d\n/Height %d\n/BitsPerComponent 4\n", 2 * width, 2 * rows);
    print_format(file, "/Decode [0 15]\n/ImageMatrix [%d 0 0 %d 0 %d]\n", 2 * width, -2 * rows,
                 2 * rows);
    print_text(file, "/DataSource currentfile\n/RunLengthDecode filter\n>>\nimage\n");
    emit_colour_image(area, &file);
    print_text(file, SHOW_PAGE);
}

int write_ps_level1(const Rect& area) {
    return run_print_writer(area, ".ps", write_ps_level1_body);
}

int write_ps_level2(const Rect& area) {
    return run_print_writer(area, ".ps", write_ps_level2_body);
}
