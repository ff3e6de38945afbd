// The common run of the PostScript and PDF writers.
#include "export/print_writer.h"

#include "export/settings.h"
#include "shell/dialogs.h"

namespace {

// A whole-board print carries an inverted frame at its border. A region's
// outline is gone from the screen before its print starts (the zoom switch
// redraws the board, and the region command takes it off), so inverting it
// here would put it back into the picture.
void frame_unless_region(const Rect& area) {
    if (!export_state.region_print) draw_print_frame(area);
}

}  // namespace

int run_print_writer(const Rect& area, const char* extension, PrintBody body) {
    frame_unless_region(area);
    clamp_export_scales();

    PrintFile file;
    if (!print_file_open(file, "Print to file", extension)) {
        message_box("Error", "Couldn't open file for printing", false);
        frame_unless_region(area);
        return 1;
    }
    body(file, area);
    bool written = print_file_close(file);
    frame_unless_region(area);
    return written ? 0 : 1;
}
