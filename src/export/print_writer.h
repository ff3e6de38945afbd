#pragma once
// The frame every print writer runs in: the outline inverted away, the
// scales clamped, the file asked for, written and checked, the outline back.
#include "export/writers.h"

using PrintBody = void (*)(PrintFile& file, int x0, int y0, int x1, int y1);

int run_print_writer(int x0, int y0, int x1, int y1, const char* extension, PrintBody body);
