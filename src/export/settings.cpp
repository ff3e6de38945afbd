// The export settings and their clamping.
#include "export/settings.h"
#include <cmath>

ExportSettings export_settings;

void export_settings_reset() { export_settings = ExportSettings{}; }

static float clamp_scale(float scale) {
    // Written so that a NaN fails the first test and lands on the minimum.
    if (!(scale > 0.5f)) return 0.5f;
    if (scale > 2.0f) return 2.0f;
    return scale;
}

void clamp_export_scales() {
    export_settings.export_hscale = clamp_scale(export_settings.export_hscale);
    export_settings.export_vscale = clamp_scale(export_settings.export_vscale);
}
