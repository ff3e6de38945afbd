#pragma once
// The export settings: format and the two scales.

struct ExportSettings {
    char export_format = 'D';    // 'D' PDF, 'P' PostScript 1, 'Q' PostScript 2, 'G' Gerber
    float export_hscale = 1.0f;
    float export_vscale = 1.0f;
};

extern ExportSettings export_settings;
void export_settings_reset();
// Clamps each scale into 0.5..2.0 (not a number: 0.5) and stores it back.
void clamp_export_scales();

// The export dialog (export_dialog.cpp); returns true when cancelled. A
// format click counts at once; OK takes the scales that start with a number.
bool export_dialog();
