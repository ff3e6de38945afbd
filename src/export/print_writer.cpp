// The common run of the PostScript and PDF writers.
#include "export/print_writer.h"

#include "export/settings.h"
#include "shell/dialogs.h"

int run_print_writer(int x0, int y0, int x1, int y1, const char* extension, PrintBody body) {
    // The outline of a region is on screen in inverted form; inverting it
    // again takes it out of the picture the writer reads.
    draw_print_frame(x0, y0, x1, y1);
    clamp_export_scales();

    PrintFile file;
    if (!print_file_open(file, "Print to file", extension)) {
        message_box("Error", "Couldn't open file for printing", false);
        draw_print_frame(x0, y0, x1, y1);
        return 1;
    }
    body(file, x0, y0, x1, y1);
    bool written = print_file_close(file);
    draw_print_frame(x0, y0, x1, y1);
    return written ? 0 : 1;
}
