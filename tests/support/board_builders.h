#pragma once
// Building boards in code the way the editor does, for tests, benchmarks
// and developer tools.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "board/objects.h"

// Every subsystem back to its starting state (the program's one reset),
// with the headless backend installed as the platform.
void reset_everything();

// Create, register, link at the head and redraw, as the editor would.
// Null when the name and variant are not in the catalog.
WireRecord* add_wire(const char* name, int variant, int x1, int y1, int x2, int y2);
ComponentRecord* add_component(const char* name, int variant, int x, int y);
// A free text with its anchor placed so that the text starts at (x, y).
ComponentRecord* add_text(int x, int y, const char* text);
// Sets a description and redraws the object's area.
void describe_wire(WireRecord* w, const char* text);
void describe_component(ComponentRecord* c, const char* text);
// Sets a cut (between horizontal neighbours) or bridge (between vertical
// neighbours) cell at a half-grid point and redraws around it.
void add_cut(int x, int y);
void add_bridge(int x, int y);

// A board filled with many objects of every kind: wires of every type in
// both directions, transistors, DIL and SIL packages, texts, descriptions,
// cuts and bridges. Drawn once at the end.
void dense_board();

// A copy of every canvas cell and framebuffer pixel, to compare pictures.
struct CanvasSnapshot {
    std::vector<uint16_t> cells;
    std::vector<uint8_t> pixels;
    bool operator==(const CanvasSnapshot&) const = default;
};
CanvasSnapshot take_canvas_snapshot();
// A hash of the same, where many pictures are kept for comparison.
size_t canvas_hash();

// The board as a save would write it (which puts a selection back first).
std::string saved_board_text();
