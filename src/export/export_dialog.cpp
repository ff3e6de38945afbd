// The portable half of the export dialog: the fields from the settings and
// the typed answers back into them.
#include <cstdio>

#include "core/format.h"
#include "export/settings.h"
#include "shell/dialogs.h"

namespace {

bool is_export_format(char format) {
    return format == 'D' || format == 'P' || format == 'Q' || format == 'G';
}

// A format click counts at once: a later Cancel does not take it back.
void export_format_clicked(char format) {
    if (is_export_format(format)) export_settings.export_format = format;
}

// A field that does not start with a number leaves the scale as it was.
void scan_scale(const char* text, float* scale) {
    format_into(dialog_state.dialog_text, DIALOG_TEXT_SIZE - 1, "%s", text);
    float value;
    if (std::sscanf(dialog_state.dialog_text, "%f", &value) == 1) *scale = value;
}

}  // namespace

bool export_dialog() {
    dialog_state.dialog_mode = DIALOG_EXPORT;
    ExportDialogFields fields = {};
    fields.format = export_settings.export_format;
    format_into(fields.hscale_text, sizeof fields.hscale_text, "%.2f", export_settings.export_hscale);
    format_into(fields.vscale_text, sizeof fields.vscale_text, "%.2f", export_settings.export_vscale);

    if (platform_export_dialog(&fields, export_format_clicked) != DIALOG_OK) return true;

    fields.hscale_text[sizeof fields.hscale_text - 1] = '\0';
    fields.vscale_text[sizeof fields.vscale_text - 1] = '\0';
    export_format_clicked(fields.format);
    scan_scale(fields.hscale_text, &export_settings.export_hscale);
    scan_scale(fields.vscale_text, &export_settings.export_vscale);
    return false;
}
