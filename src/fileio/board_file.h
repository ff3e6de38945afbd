#pragma once
// The board line format: formatters, the line parser, the file writer and reader.
#include <cstdio>
#include <string>
#include "board/objects.h"

// Room for any line the writer makes from a description the ask prompt
// can return (255 characters) with the widest numbers; longer lines are
// still formatted whole through component_line / wire_line.
constexpr int BOARD_LINE_SIZE = 1024;

// Numbers of a board line beyond these magnitudes count as not scanned, so
// that the model arithmetic on positions (x 5, offsets, midpoints, widths)
// can never overflow and the strip searches stay short. Half-pitch numbers
// (anchors, wire ends, cells, variants) have the smaller limit; text
// positions are model units and must hold 5 times that plus any offset,
// so that whatever the reader took, the writer writes in a readable form.
constexpr int BOARD_HALF_PITCH_LIMIT = 100000;
constexpr int BOARD_MODEL_LIMIT = 1000000;

extern const float program_version;

// Each formatter returns the line's length, or a negative number when the
// whole line did not fit (the buffer then holds a cut, terminated line).
int format_component_line(char* buffer, size_t capacity, const ComponentRecord* c);
int format_wire_line(char* buffer, size_t capacity, const WireRecord* w);
int format_cell_line(char* buffer, size_t capacity, int row, int column);
int format_strip_line(char* buffer, size_t capacity, int row, int first_column, int last_column);

// The same lines, always whole, whatever the description length.
std::string component_line(const ComponentRecord* c);
std::string wire_line(const WireRecord* w);

// Writes the whole board; returns true only when every byte reached the
// stream and it flushed without error (the caller closes it).
bool write_board_file(FILE* stream);
// The whole file as text (what write_board_file writes).
void board_file_text(std::string* text);
// Writes the board to path through the file writer (shell/safe_file.h);
// on failure the previous file is left as it was and false is returned.
bool save_board_to_path(const char* path);

// Reads every line into the current board (not cleared); 0 ok, 1 stopped
// (by a line, or by a read error).
int load_board_file(FILE* stream);
// The reading part of load_board_file alone: no pointer bracket, no
// deferral, no final redraw, no version warning. 0 ok, 1 stopped.
int read_board_lines(FILE* stream, float* file_version);
// 0 taken or skipped, non-zero: stop reading.
int parse_board_line(const char* line, float* file_version);

// The first column from column on (a hole's: rounded up to even) whose
// cell is not zero, in the row; -1 when none or column is negative.
int next_marked_hole(int row, int column);
int next_marked_cell(int row, int column);
