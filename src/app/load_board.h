#pragma once
// The start-up a batch command shares with the editor: a clean program
// state, the empty board drawn, the plain wire type looked up, and the
// board file read. Returns 0 when the board was read; otherwise a message
// has gone to standard error.
int load_board_for_batch(const char* board_path);
