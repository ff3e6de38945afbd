#pragma once
// The pieces of the print pipeline: the checked output file, the samples
// read back from the canvas, the run-length encoder and the writers.
#include <cstddef>
#include <cstdio>
#include <string>

#include "graphics/geometry.h"

// ---- The output file -------------------------------------------------------

// A file being written by one of the writers. Bytes go through a buffer so
// that the encoder can hand them over one at a time cheaply, and collect in
// memory; the file writer (shell/safe_file.h) writes them out at the close,
// so a failed export keeps the earlier file. bytes_written counts what was
// handed over, which is what the PDF cross-reference must agree with.
struct PrintFile {
    bool open = false;
    std::string content;  // the whole file, written out by print_file_close
    char path[256] = {};
    long bytes_written = 0;
    bool failed = false;
    size_t used = 0;
    unsigned char buffer[8192];
};

// Asks for the file through the file dialog (write mode, the base name as
// proposed name). False when no file was chosen or it did not open.
bool print_file_open(PrintFile& file, const char* title, const char* extension);
// Writes to a known path (tests, tools); the path is written at the close.
bool print_file_open_path(PrintFile& file, const char* path);
void print_put(PrintFile& file, const void* bytes, size_t count);
void print_text(PrintFile& file, const char* text);
// Formatted text; returns the number of bytes it produced.
int print_format(PrintFile& file, const char* format, ...) __attribute__((format(printf, 2, 3)));
// Moves the buffered bytes to the content.
void print_drain(PrintFile& file);
inline void print_byte(PrintFile& file, int byte) {
    if (file.used == sizeof file.buffer) print_drain(file);
    file.buffer[file.used++] = static_cast<unsigned char>(byte);
    ++file.bytes_written;
}
// Writes the file out. On any failure an "Error" box names it and the
// earlier file at the path is left as it was; true only when the whole
// file reached the disk.
bool print_file_close(PrintFile& file);

// ---- Export state ----------------------------------------------------------

// The one run-length encoder state: 0 nothing held, 1 one byte held, 2 a run.
struct RleState {
    int state = 0;
    int count = 0;
    int value = 0;
};

// Where the PDF writer is: position counts bytes by the nominal widths of
// the pieces; actual_offset records where each object really began.
struct PdfPosition {
    long position = 0;
    int next_object = 1;
    long object_offset[7] = {};
    long actual_offset[7] = {};
    long xref_offset = 0;
    long actual_xref_offset = 0;
};

struct ExportState {
    RleState rle;
    PdfPosition pdf;
    // What the last export_board returned, for callers that reach it
    // through a command that keeps no result (the batch --export).
    int last_result = 0;
    // A region is being printed: its outline is off the screen already,
    // so the writers draw no frame into the picture.
    bool region_print = false;
};

extern ExportState export_state;
void export_state_reset();

// ---- Samples ----------------------------------------------------------------

// Sample of one sub-pixel of colour index colour at canvas column x of a
// print rectangle ending at x1 (columns beyond x1 are padding).
int mono_sample(int x, int x1, int colour);    // 1 white, 0 black
int colour_sample(int x, int x1, int colour);  // palette index, 15 white

// Canvas columns of an image: x1 - x0 + 1 rounded up to a multiple of 8.
inline int image_width(int x0, int x1) { return ((x1 - x0) / 8 + 1) * 8; }
inline int image_rows(int y0, int y1) { return y1 - y0 + 1; }

// ---- Run-length encoding -----------------------------------------------------

constexpr int RLE_END = -1;
// Feeds one byte (0..255) or RLE_END; returns the bytes produced, which
// are written to out unless out is null.
int rle_put(int byte, PrintFile* out);
// The same as count calls of rle_put with byte, in far fewer steps.
int rle_put_run(int byte, long count, PrintFile* out);
// Every colour sample pair of the image through rle_put, then the end.
long emit_colour_image(const Rect& area, PrintFile* out);
// The black and white image of PostScript level 1, not encoded: each line
// packs four canvas pixels a byte, two samples each, first bit leftmost.
void emit_mono_image(const Rect& area, PrintFile& out);

// ---- Writers ----------------------------------------------------------------

// The inverted outline of the print rectangle (drawn twice it disappears).
void draw_print_frame(const Rect& area);

// Each takes the normalised rectangle; 0 when the whole file was written.
int write_ps_level1(const Rect& area);
int write_ps_level2(const Rect& area);
int write_pdf(const Rect& area);
// The bodies of the writers, into a file already open.
void write_ps_level1_body(PrintFile& file, const Rect& area);
void write_ps_level2_body(PrintFile& file, const Rect& area);
void write_pdf_body(PrintFile& file, const Rect& area);

// The PDF pieces, each advancing the nominal position by what it should
// take: text by its length; an object header "N 0 obj " by 8, recording
// where objects 1 to 6 begin; a number by its nominal width.
void pdf_put(PrintFile& file, const char* text);
void pdf_begin_object(PrintFile& file, const char* text);
void pdf_put_number(PrintFile& file, const char* format, double value, int nominal_width);

// The Gerber and Excellon set; 0 when all six files were written.
int write_gerber_set(const Rect& area);

// Model point to file coordinates of a rectangle: X = x - x0, Y = y1 - y.
struct GerberOffsets {
    int x0;
    int y1;
};
// Draws the pad preview; with a file writes the flash (or the drill line).
void gerber_pad(PrintFile* file, int x, int y, GerberOffsets offsets, bool drill);
// Draws a straight track three units wide in the preview (a track of no
// length draws nothing); with a file writes its move and draw.
void gerber_track(PrintFile* file, int xa, int ya, int xb, int yb, GerberOffsets offsets);

// The six layer bodies, each into a file or none (preview only).
void write_gerber_contour(PrintFile* file, const Rect& area);
void write_gerber_solder_mask(PrintFile* file, const Rect& area);
void write_gerber_silk_screen(PrintFile* file, const Rect& area);
void write_gerber_bottom_copper(PrintFile* file, const Rect& area);
void write_gerber_top_copper(PrintFile* file, const Rect& area);
void write_excellon_drill(PrintFile* file, const Rect& area);

// Colours of the Gerber preview.
constexpr int PREVIEW_GROUND_COLOUR = 8;  // dark grey around the print rectangle
constexpr int PREVIEW_COPPER_COLOUR = 6;  // olive pads and tracks
